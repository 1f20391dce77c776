#include <gtest/gtest.h>

#include "base/WindowMessages.h"
#include "mainwnd/KeyFilter.h"
#include "mainwnd/TabStripRules.h"
#include "mainwnd/TitleLayout.h"
#include "ui/PageArea.h"

using namespace keyfilter;

namespace {
constexpr intptr_t kF5Lparam = 0x003F0001;       // scan code of F5, repeat 1
constexpr intptr_t kCtrlDLparam = 0x00200001;    // scan code of D, repeat 1
constexpr unsigned kVkTab = 9;

KeyFilterInput Key(unsigned message, uintptr_t wp, intptr_t lp = 1) {
    KeyFilterInput in;
    in.message = message;
    in.wParam = wp;
    in.lParam = lp;
    in.switchKey = HotkeyRecord{static_cast<int32_t>(kVkTab), kModCtrl};  // Ctrl+Tab
    return in;
}

KeyFilterInput Close(intptr_t lp, int pages, bool pending) {
    KeyFilterInput in = Key(kSysCommand, kScClose, lp);
    in.pageCount = pages;
    in.hasPendingChild = pending;
    return in;
}
}  // namespace

TEST(KeyFilter, SwitchHotkeyNeedsExactlyItsModifiersAndRealInput) {
    KeyFilterInput in = Key(kKeyDown, kVkTab);
    in.modifierState = kModCtrl;
    EXPECT_EQ(FilterMainWindowMessage(in), KeyFilterAction::SwitchPage);
    in.message = kSysKeyDown;
    EXPECT_EQ(FilterMainWindowMessage(in), KeyFilterAction::SwitchPage);
    in.lParam = 0x40000001;  // the key held down repeats: the pages turned already
    EXPECT_EQ(FilterMainWindowMessage(in), KeyFilterAction::Swallow);

    in.lParam = 1;
    in.message = kKeyDown;
    in.modifierState = kModCtrl | kModShift;
    EXPECT_EQ(FilterMainWindowMessage(in), KeyFilterAction::PassOn) << "an extra modifier prevents a match";
    in.modifierState = 0;
    EXPECT_EQ(FilterMainWindowMessage(in), KeyFilterAction::PassOn);
}

TEST(KeyFilter, SynthesisedF5IsNeverTheSwitchKeyAndGoesToThePage) {
    KeyFilterInput in = Key(kKeyDown, kVkF5, kSystemMarker);
    in.switchKey = HotkeyRecord{static_cast<int32_t>(kVkF5), 0};
    in.pageCount = 1;
    in.currentPageVisible = true;
    EXPECT_EQ(FilterMainWindowMessage(in), KeyFilterAction::ForwardToCurrentPage);

    in.lParam = kF5Lparam;  // the player's own F5 is the switch key here
    EXPECT_EQ(FilterMainWindowMessage(in), KeyFilterAction::SwitchPage);
}

TEST(KeyFilter, UnloadedSwitchKeyMatchesNothing) {
    KeyFilterInput in = Key(kKeyDown, static_cast<uintptr_t>(-1));
    in.modifierState = -1;
    in.switchKey = HotkeyRecord{};
    EXPECT_EQ(FilterMainWindowMessage(in), KeyFilterAction::PassOn);
    in.switchKey = HotkeyRecord{0, 0};  // "no hotkey" never matches key code 0
    in.wParam = 0;
    in.modifierState = 0;
    EXPECT_EQ(FilterMainWindowMessage(in), KeyFilterAction::PassOn);
}

TEST(KeyFilter, EscapeAndSpaceAreSwallowedEnterIsNot) {
    EXPECT_EQ(FilterMainWindowMessage(Key(kKeyDown, kVkEscape)), KeyFilterAction::Swallow);
    EXPECT_EQ(FilterMainWindowMessage(Key(kKeyDown, kVkSpace)), KeyFilterAction::Swallow);
    // Enter reaches the dialog, whose OK does nothing.
    EXPECT_EQ(FilterMainWindowMessage(Key(kKeyDown, 0x0D)), KeyFilterAction::PassOn);
    // Only key-downs: the matching key-ups and system keys pass.
    EXPECT_EQ(FilterMainWindowMessage(Key(kSysKeyDown, kVkEscape)), KeyFilterAction::PassOn);
}

TEST(KeyFilter, AbandonedLoginCloseRequest) {
    EXPECT_EQ(FilterMainWindowMessage(Close(kSystemMarker, 0, true)), KeyFilterAction::Exit);
    EXPECT_EQ(FilterMainWindowMessage(Close(kSystemMarker, 0, false)), KeyFilterAction::Exit);
    EXPECT_EQ(FilterMainWindowMessage(Close(kSystemMarker, 2, true)), KeyFilterAction::ReleasePendingChild);
    // Pages but no pending child: an ordinary close, which asks the exit question.
    EXPECT_EQ(FilterMainWindowMessage(Close(kSystemMarker, 2, false)), KeyFilterAction::PassOn);
    // Every page died since: a later login is let go, the instance stays.
    KeyFilterInput later = Close(kSystemMarker, 0, true);
    later.hadPage = true;
    EXPECT_EQ(FilterMainWindowMessage(later), KeyFilterAction::ReleasePendingChild);
}

TEST(KeyFilter, PlainCloseRequest) {
    EXPECT_EQ(FilterMainWindowMessage(Close(0, 0, true)), KeyFilterAction::TerminatePendingAndExit);
    EXPECT_EQ(FilterMainWindowMessage(Close(0, 1, true)), KeyFilterAction::PassOn);
    // Other lParams (a mouse position from the system menu) are not ours to act on.
    EXPECT_EQ(FilterMainWindowMessage(Close(0x00100020, 0, false)), KeyFilterAction::PassOn);
    // The system's own low bits of the command do not hide a close.
    KeyFilterInput in = Close(0, 0, false);
    in.wParam = kScClose | 2;
    EXPECT_EQ(FilterMainWindowMessage(in), KeyFilterAction::TerminatePendingAndExit);
}

TEST(KeyFilter, CtrlDAndF5GoToTheVisiblePageOrHall) {
    KeyFilterInput ctrlD = Key(kChar, kCtrlD, kCtrlDLparam);
    ctrlD.pageCount = 2;
    ctrlD.currentPageVisible = true;
    ctrlD.hallVisible = true;
    EXPECT_EQ(FilterMainWindowMessage(ctrlD), KeyFilterAction::ForwardToCurrentPage);
    ctrlD.currentPageVisible = false;
    EXPECT_EQ(FilterMainWindowMessage(ctrlD), KeyFilterAction::ForwardToHall);
    ctrlD.hallVisible = false;
    EXPECT_EQ(FilterMainWindowMessage(ctrlD), KeyFilterAction::Swallow);

    // With no page only the hall counts, for Ctrl+D; F5 needs a page.
    ctrlD.pageCount = 0;
    ctrlD.currentPageVisible = true;
    ctrlD.hallVisible = true;
    EXPECT_EQ(FilterMainWindowMessage(ctrlD), KeyFilterAction::ForwardToHall);
    KeyFilterInput f5 = Key(kKeyDown, kVkF5, kF5Lparam);
    f5.hallVisible = true;
    EXPECT_EQ(FilterMainWindowMessage(f5), KeyFilterAction::PassOn);
}

TEST(KeyFilter, F11TogglesFullScreenOnlyWithAPageAndWhenNothingElseHasIt) {
    KeyFilterInput f11 = Key(kKeyDown, kVkF11);
    f11.pageCount = 1;
    EXPECT_EQ(FilterMainWindowMessage(f11), KeyFilterAction::ToggleFullScreen);
    f11.settingsOpen = true;
    EXPECT_EQ(FilterMainWindowMessage(f11), KeyFilterAction::Swallow);
    f11.settingsOpen = false;
    f11.f11BelongsToHook = true;
    EXPECT_EQ(FilterMainWindowMessage(f11), KeyFilterAction::Swallow);
    f11.f11BelongsToHook = false;
    f11.pageCount = 0;
    EXPECT_EQ(FilterMainWindowMessage(f11), KeyFilterAction::Swallow);
    f11.pageCount = 1;
    f11.switchKey = HotkeyRecord{static_cast<int32_t>(kVkF11), 0};
    EXPECT_EQ(FilterMainWindowMessage(f11), KeyFilterAction::SwitchPage) << "the switch key comes first";
}

TEST(KeyFilter, CtrlDMustComeFromTheDKeyWithoutFlags) {
    KeyFilterInput in = Key(kChar, kCtrlD, 0x00210001);  // another scan code
    in.pageCount = 1;
    in.currentPageVisible = true;
    EXPECT_EQ(FilterMainWindowMessage(in), KeyFilterAction::PassOn);
    in.lParam = 0x20200001;  // Alt held (context bit)
    EXPECT_EQ(FilterMainWindowMessage(in), KeyFilterAction::PassOn);
    in.lParam = 0x40200001;  // repeated key
    EXPECT_EQ(FilterMainWindowMessage(in), KeyFilterAction::PassOn);
}

TEST(KeyFilter, RestoreWithoutPagesShowsTheWindowFirst) {
    KeyFilterInput in = Key(kSysCommand, kScRestore, 0);
    EXPECT_EQ(FilterMainWindowMessage(in), KeyFilterAction::RestoreThenPassOn);
    in.pageCount = 1;
    EXPECT_EQ(FilterMainWindowMessage(in), KeyFilterAction::PassOn);
}

TEST(TitleLayout, ControlsKeepTheirDistanceFromTheRightEdge) {
    for (int cx : {672, 1024, 1920}) {
        TitleControlsLayout l = LayoutTitleControls(cx, DpiScale());
        EXPECT_EQ(l.hide, (Rect{cx - 114, 0, cx - 87, 27}));
        EXPECT_EQ(l.sound, (Rect{cx - 141, 0, cx - 114, 27}));
        EXPECT_EQ(l.menu, (Rect{cx - 185, 0, cx - 141, 28}));
        EXPECT_EQ(l.addAccount, (Rect{cx - 285, 7, cx - 193, 23}));
        // Neighbours touch without overlapping.
        EXPECT_EQ(l.sound.right, l.hide.left);
        EXPECT_EQ(l.menu.right, l.sound.left);
        EXPECT_LT(l.addAccount.right, l.menu.left);
    }
    // Scaled, they still touch, and at the smallest width the link stays
    // clear of the last tab.
    for (int dpi : {120, 144, 192}) {
        const DpiScale s(dpi);
        for (int pages = 1; pages <= 3; ++pages) {
            const int cx = MinimumWidth(pages, s);
            const TitleControlsLayout l = LayoutTitleControls(cx, s);
            EXPECT_EQ(l.hide.right, cx - s.Px(87)) << dpi;
            EXPECT_EQ(l.sound.right, l.hide.left) << dpi;
            EXPECT_EQ(l.menu.right, l.sound.left) << dpi;
            EXPECT_LT(l.addAccount.right, l.menu.left) << dpi;
            EXPECT_GT(l.addAccount.left, TabStripRect(pages, s).right) << dpi;
            EXPECT_EQ(l.menu.height(), s.Length(28)) << dpi;
        }
    }
    // Laid left of the skin's own buttons where their frames really end
    // (at 144 DPI 49 + 40 + 40 wide, not 87 x 1.5): still touching.
    const TitleControlsLayout l = LayoutTitleControlsLeftOf(1000 - 129, DpiScale(144));
    EXPECT_EQ(l.hide, (Rect{830, 0, 871, 41}));
    EXPECT_EQ(l.sound.right, l.hide.left);
    EXPECT_EQ(MinimumHeight(DpiScale(144)), 390);
    EXPECT_EQ(EnforceMinimumSize(1, 100, 100, DpiScale(144)).cx, 1008);
}

// At 144 DPI rounded tabs are 284, 283 and 284 pixels wide; a click must
// land on the tab (and close box) drawn under it, pixel for pixel.
TEST(TitleLayout, TabHitTestAgreesWithTheDrawnTabsAtEveryDpi) {
    EXPECT_NE(TabRect(0, DpiScale(144)).width(), TabRect(1, DpiScale(144)).width());
    const int count = 3;
    for (int dpi : {96, 120, 144, 192}) {
        const DpiScale s(dpi);
        const Rect strip = TabStripRect(count, s);
        for (int y = strip.top - 1; y <= strip.bottom; ++y) {
            for (int x = strip.left - 1; x <= strip.right; ++x) {
                TabHit expected;
                for (int i = 0; i < count; ++i) {
                    // The strip's first column is its edge.
                    if (!TabRect(i, s).contains(x, y) || x < s.Px(kStripLeft + 1)) continue;
                    expected.tab = i;
                    expected.closeBox = TabCloseBoxRect(i, s).contains(x, y);
                }
                const TabHit hit = HitTestTabs(x, y, count, s);
                ASSERT_EQ(hit.tab, expected.tab) << dpi << " at " << x << "," << y;
                ASSERT_EQ(hit.closeBox, expected.closeBox) << dpi << " at " << x << "," << y;
            }
        }
    }
}

TEST(TitleLayout, PageAreaLeavesTheFrameAndTitleBand) {
    EXPECT_EQ(PageAreaOf(Rect{0, 0, 1024, 640}, DpiScale()), (Rect{4, 30, 1020, 636}));
    EXPECT_EQ(TabRect(0, DpiScale()), (Rect{120, 3, 309, 25}));
    EXPECT_EQ(TabRect(2, DpiScale()), (Rect{498, 3, 687, 25}));
}

TEST(TitleLayout, MinimumSizeGrowsWithThePages) {
    EXPECT_FALSE(EnforceMinimumSize(0, 1, 1, DpiScale()).adjusted) << "no page: any size";
    MinimumSizeResult r = EnforceMinimumSize(1, 100, 100, DpiScale());
    EXPECT_TRUE(r.adjusted);
    EXPECT_EQ(r.cx, 672);
    EXPECT_EQ(r.cy, 260);
    r = EnforceMinimumSize(3, 1049, 300, DpiScale());
    EXPECT_TRUE(r.adjusted);
    EXPECT_EQ(r.cx, 1050);
    EXPECT_EQ(r.cy, 300);  // unchanged: only the width was short
    r = EnforceMinimumSize(3, 1050, 259, DpiScale());
    EXPECT_EQ(r.cx, 1050);
    EXPECT_EQ(r.cy, 260);
    EXPECT_FALSE(EnforceMinimumSize(3, 1050, 260, DpiScale()).adjusted);
    EXPECT_FALSE(EnforceMinimumSize(2, 861, 260, DpiScale()).adjusted);
    EXPECT_TRUE(EnforceMinimumSize(2, 860, 900, DpiScale()).adjusted);
}
