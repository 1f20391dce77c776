#include "ui/SkinFrame.h"

#include <gtest/gtest.h>

namespace {
SkinFrameMetrics Resizable(int border, int caption) {
    SkinFrameMetrics m;
    m.border = border;
    m.captionHeight = caption;
    m.resizable = true;
    return m;
}
}  // namespace

TEST(SkinHitTest, ResizableBordersCornersAndBands) {
    const SkinFrameMetrics m = Resizable(4, 30);
    const int w = 800, h = 600;
    EXPECT_EQ(SkinHitTest(0, 0, w, h, m, DpiScale()), SkinHit::TopLeft);
    EXPECT_EQ(SkinHitTest(3, 599, w, h, m, DpiScale()), SkinHit::BottomLeft);
    EXPECT_EQ(SkinHitTest(2, 15, w, h, m, DpiScale()), SkinHit::Left) << "side columns size over the title band too";
    EXPECT_EQ(SkinHitTest(799, 3, w, h, m, DpiScale()), SkinHit::TopRight);
    EXPECT_EQ(SkinHitTest(796, 596, w, h, m, DpiScale()), SkinHit::BottomRight);
    EXPECT_EQ(SkinHitTest(797, 300, w, h, m, DpiScale()), SkinHit::Right);
    EXPECT_EQ(SkinHitTest(400, 2, w, h, m, DpiScale()), SkinHit::Top);
    EXPECT_EQ(SkinHitTest(400, 3, w, h, m, DpiScale()), SkinHit::Caption) << "the top band is 3 pixels, not the border";
    EXPECT_EQ(SkinHitTest(400, 29, w, h, m, DpiScale()), SkinHit::Caption);
    EXPECT_EQ(SkinHitTest(400, 30, w, h, m, DpiScale()), SkinHit::Default);
    EXPECT_EQ(SkinHitTest(400, 596, w, h, m, DpiScale()), SkinHit::Bottom);
    EXPECT_EQ(SkinHitTest(400, 595, w, h, m, DpiScale()), SkinHit::Default);
}

TEST(SkinHitTest, BordersAndBandsScaleWithTheDpi) {
    // 144 DPI: border 4 -> 6, top band 3 -> 5 (4.5), title band 30 -> 45.
    const SkinFrameMetrics m = Resizable(4, 30);
    const DpiScale s(144);
    const int w = 1200, h = 900;
    EXPECT_EQ(SkinHitTest(5, 300, w, h, m, s), SkinHit::Left);
    EXPECT_EQ(SkinHitTest(6, 300, w, h, m, s), SkinHit::Default);
    EXPECT_EQ(SkinHitTest(1194, 300, w, h, m, s), SkinHit::Right);
    EXPECT_EQ(SkinHitTest(600, 894, w, h, m, s), SkinHit::Bottom);
    EXPECT_EQ(SkinHitTest(600, 4, w, h, m, s), SkinHit::Top);
    EXPECT_EQ(SkinHitTest(600, 5, w, h, m, s), SkinHit::Caption);
    EXPECT_EQ(SkinHitTest(600, 44, w, h, m, s), SkinHit::Caption);
    EXPECT_EQ(SkinHitTest(600, 45, w, h, m, s), SkinHit::Default);
    EXPECT_TRUE(InTitleBand(44, 30, s));
    EXPECT_FALSE(InTitleBand(45, 30, s));
}

TEST(SkinHitTest, WideBorderStillHasAThinTopBand) {
    const SkinFrameMetrics m = Resizable(8, 30);
    EXPECT_EQ(SkinHitTest(400, 5, 800, 600, m, DpiScale()), SkinHit::Caption);
    EXPECT_EQ(SkinHitTest(5, 5, 800, 600, m, DpiScale()), SkinHit::TopLeft);
}

TEST(SkinHitTest, WholeWindowTitleBandAndFixedWindows) {
    SkinFrameMetrics m = Resizable(3, -1);
    EXPECT_EQ(SkinHitTest(100, 500, 800, 600, m, DpiScale()), SkinHit::Caption) << "caption -1: drag anywhere";
    EXPECT_EQ(SkinHitTest(100, 598, 800, 600, m, DpiScale()), SkinHit::Caption) << "the band rule comes before the bottom";

    m.resizable = false;
    EXPECT_EQ(SkinHitTest(0, 0, 800, 600, m, DpiScale()), SkinHit::Caption);
    m.captionHeight = 30;
    EXPECT_EQ(SkinHitTest(0, 10, 800, 600, m, DpiScale()), SkinHit::Caption);
    EXPECT_EQ(SkinHitTest(0, 30, 800, 600, m, DpiScale()), SkinHit::Default);

    m.resizable = true;
    m.maximized = true;
    EXPECT_EQ(SkinHitTest(0, 0, 800, 600, m, DpiScale()), SkinHit::Default) << "a maximised window is not sized";
}

TEST(SkinHitTest, BordersMapToTheirSizingCommands) {
    EXPECT_EQ(SizeCommandForHit(SkinHit::Left), 0xF001u);
    EXPECT_EQ(SizeCommandForHit(SkinHit::Right), 0xF002u);
    EXPECT_EQ(SizeCommandForHit(SkinHit::Top), 0xF003u);
    EXPECT_EQ(SizeCommandForHit(SkinHit::TopLeft), 0xF004u);
    EXPECT_EQ(SizeCommandForHit(SkinHit::TopRight), 0xF005u);
    EXPECT_EQ(SizeCommandForHit(SkinHit::Bottom), 0xF006u);
    EXPECT_EQ(SizeCommandForHit(SkinHit::BottomLeft), 0xF007u);
    EXPECT_EQ(SizeCommandForHit(SkinHit::BottomRight), 0xF008u);
    EXPECT_EQ(SizeCommandForHit(SkinHit::Caption), 0u);
    EXPECT_EQ(SizeCommandForHit(SkinHit::Default), 0u);
}

TEST(SkinFrame, RestoreRectangles) {
    EXPECT_EQ(InitialRestoreRect(Rect{0, 0, 1280, 770}), (Rect{160, 96, 1120, 674}));
    EXPECT_EQ(InitialRestoreRect(Rect{100, 20, 107, 27}), (Rect{100, 20, 107, 27})) << "eighths round down";
    // A display left of and above the primary one, at negative coordinates.
    EXPECT_EQ(InitialRestoreRect(Rect{-1920, -1040, 0, 0}), (Rect{-1680, -910, -240, -130}));
}

TEST(SkinFrame, CentredOnTheAreaEvenWhereItStartsLeftOfOrAboveTheOrigin) {
    EXPECT_EQ(CentredRect(Rect{0, 0, 1024, 740}, Size{300, 200}), (Rect{362, 270, 662, 470}));
    EXPECT_EQ(CentredRect(Rect{-1920, -1080, 0, -40}, Size{301, 201}), (Rect{-1111, -661, -810, -460}));
    // Larger than the area: as much hangs over each side.
    EXPECT_EQ(CentredRect(Rect{-100, 0, 100, 50}, Size{300, 90}), (Rect{-150, -20, 150, 70}));
}
