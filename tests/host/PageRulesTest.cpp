#include "engine/PageRules.h"

#include <gtest/gtest.h>

#include <optional>

TEST(BeforeNavigate, AppAddressesAreCancelledCaseSensitively) {
    EXPECT_TRUE(CancelBeforeNavigate(L"app://loadgame?x|y", false));
    EXPECT_TRUE(CancelBeforeNavigate(L"app:", false));
    EXPECT_FALSE(CancelBeforeNavigate(L"APP://loadgame", false));
    EXPECT_FALSE(CancelBeforeNavigate(L"App:x", false));
    EXPECT_FALSE(CancelBeforeNavigate(L"app", false)) << "shorter than four characters";
    EXPECT_FALSE(CancelBeforeNavigate(L"", false));
    EXPECT_FALSE(CancelBeforeNavigate(L"http://x/app:", false));
}

TEST(BeforeNavigate, ScriptLinksProceedOthersKeepTheBrowsersValue) {
    EXPECT_FALSE(CancelBeforeNavigate(L"javascript:void(0)", true));
    EXPECT_TRUE(CancelBeforeNavigate(L"JavaScript:void(0)", true)) << "case-sensitive: left as it came";
    EXPECT_TRUE(CancelBeforeNavigate(L"javascrip", true));
    EXPECT_TRUE(CancelBeforeNavigate(L"http://x/", true));
    EXPECT_FALSE(CancelBeforeNavigate(L"http://x/", false));
}

namespace {
// The dialog's button logic replayed on plain values: the held element and
// whether the dialog holds the mouse.
struct ButtonBench {
    std::optional<int> held;
    bool capture = false;
    int frames[4] = {0, 0, 0, 0};
    int clicks[4] = {0, 0, 0, 0};
    bool disabled[4] = {false, false, false, true};

    void Apply(int element, const SpriteStep& s) {
        if (s.frame != kSpriteNone) frames[element] = s.frame;
        if (s.click) ++clicks[element];
    }
    void Over(int e) { Apply(e, SpriteMouseOver(capture, disabled[e])); }
    void Out(int e) { Apply(e, SpriteMouseOut(capture)); }
    void Down(int e) {
        const SpriteStep s = SpriteMouseDown(disabled[e]);
        if (s.hold) {
            held = e;
            capture = true;
        }
        Apply(e, s);
    }
    void UpUncaptured(int e) { Apply(e, SpriteUncapturedMouseUp(capture, disabled[e])); }
    void Release(bool inside) {
        if (!capture) return;
        capture = false;
        if (held) Apply(*held, SpriteCapturedRelease(inside));
        held.reset();
    }
};
}  // namespace

TEST(SpriteButtons, DragOffAndReleaseOutsideGivesFrameZeroAndNoClick) {
    ButtonBench b;
    b.Over(1);
    EXPECT_EQ(b.frames[1], kSpriteHover);
    b.Down(1);
    EXPECT_EQ(b.frames[1], kSpritePressed);
    b.Out(1);  // dragged off: the dialog holds the capture, nothing changes
    EXPECT_EQ(b.frames[1], kSpritePressed);
    b.Over(2);  // over another button while pressing: nothing
    EXPECT_EQ(b.frames[2], kSpriteNormal);
    b.Release(false);
    EXPECT_EQ(b.frames[1], kSpriteNormal);
    EXPECT_EQ(b.clicks[1], 0);
}

TEST(SpriteButtons, ReleaseOverGivesFrameOneAndExactlyOneClick) {
    ButtonBench b;
    b.Down(1);
    b.Release(true);
    EXPECT_EQ(b.frames[1], kSpriteHover);
    EXPECT_EQ(b.clicks[1], 1);
    b.Release(true);  // a release without capture does nothing more
    EXPECT_EQ(b.clicks[1], 1);
}

TEST(SpriteButtons, DisabledButtonsNeverPressOrHoverButReturnToNormal) {
    ButtonBench b;
    b.frames[3] = kSpriteHover;
    b.Over(3);
    b.Down(3);
    EXPECT_FALSE(b.capture);
    EXPECT_EQ(b.frames[3], kSpriteHover) << "neither over nor down change it";
    b.Out(3);
    EXPECT_EQ(b.frames[3], kSpriteNormal);
    b.UpUncaptured(3);  // the page's own mouse-up still clicks
    EXPECT_EQ(b.clicks[3], 1);
    EXPECT_EQ(b.frames[3], kSpriteNormal) << "and shows no hover frame";
}

TEST(SpriteButtons, ANewPressReplacesTheHeldElement) {
    ButtonBench b;
    b.Down(1);
    b.Down(2);
    EXPECT_EQ(b.held, 2);
    b.Release(true);
    EXPECT_EQ(b.clicks[2], 1);
    EXPECT_EQ(b.clicks[1], 0);
    EXPECT_EQ(SpriteBackgroundX(kSpritePressed, 80), -160);
    EXPECT_EQ(SpriteBackgroundX(kSpriteNormal, 80), 0);
}

TEST(PageDrag, ScreenPointsPackLikeMouseMessages) {
    EXPECT_EQ(PackScreenPoint(100, 200), (200u << 16) | 100u);
    EXPECT_EQ(PackScreenPoint(-1, 5), (5u << 16) | 0xFFFFu) << "negative x keeps to its 16 bits";
    EXPECT_TRUE(PointInBox(10, 10, 10, 10, 20, 20));
    EXPECT_FALSE(PointInBox(20, 10, 10, 10, 20, 20));
    EXPECT_FALSE(PointInBox(9, 15, 10, 10, 20, 20));
}
