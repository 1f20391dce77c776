#include <gtest/gtest.h>

#include <set>

#include "mainwnd/PageBook.h"
#include "mainwnd/TabStripRules.h"
#include "mainwnd/TitleLayout.h"

TEST(PageBook, OneLoginPerCaptionUntilItsPageCloses) {
    PageBook book;
    EXPECT_TRUE(book.Register(L"12服-青龙-lucky", 100));
    EXPECT_FALSE(book.Register(L"12服-青龙-lucky", 101)) << "waiting for its page";
    EXPECT_TRUE(book.Register(L"12服-青龙-Lucky", 101)) << "letter case counts";
    EXPECT_EQ(book.Attach(0xA, 100), 0);
    EXPECT_FALSE(book.Register(L"12服-青龙-lucky", 102)) << "held by a page";
    book.Remove(0);
    EXPECT_TRUE(book.Register(L"12服-青龙-lucky", 103)) << "free again";
}

TEST(PageBook, FramesTakeTheirOwnProcesssCaption) {
    PageBook book;
    book.Register(L"first", 100);
    book.Register(L"second", 200);
    EXPECT_EQ(book.Attach(0xB, 200), 0);
    EXPECT_EQ(book.caption(0), L"second") << "not simply the oldest";
    EXPECT_EQ(book.Attach(0xC, 999), -1) << "a process that registered nothing gets no page";
    EXPECT_EQ(book.Attach(0xC, 0), -1) << "nor does an unknown one";
    EXPECT_EQ(book.count(), 1);
    EXPECT_EQ(book.Attach(0xC, 999, true), 1) << "a stand-in page takes the oldest waiting caption";
    EXPECT_EQ(book.caption(1), L"first");
    EXPECT_EQ(book.Attach(0xD, 300, true), 2);
    EXPECT_EQ(book.caption(2), L"") << "nothing waiting: a page without a caption, never a stale read";
    EXPECT_EQ(book.waiting(), 0u);
}

TEST(PageBook, AbandonedRegistrationsAndDeadPagesGo) {
    PageBook book;
    book.Register(L"gone", 100);
    book.Register(L"alive", 200);
    book.Register(L"unknown", 0);
    book.DropWaiting([](uint32_t pid) { return pid == 200; });
    EXPECT_EQ(book.waiting(), 2u);
    EXPECT_TRUE(book.Register(L"gone", 300)) << "a login that never attached does not block its account";

    PageBook pages;
    for (uintptr_t f : {1, 2, 3}) {
        pages.Register(L"p" + std::to_wstring(f), static_cast<uint32_t>(f));
        pages.Attach(f, static_cast<uint32_t>(f));
    }
    const std::set<uintptr_t> alive{1, 3};
    const std::vector<int> removed = pages.RemoveDead([&](uintptr_t f) { return alive.count(f) > 0; });
    EXPECT_EQ(removed, std::vector<int>{1});
    ASSERT_EQ(pages.count(), 2);
    EXPECT_EQ(pages.caption(1), L"p3") << "captions stay with their pages";
    EXPECT_EQ(pages.IndexOf(3), 1);
    EXPECT_EQ(pages.IndexOf(2), -1);
}

TEST(PageBook, CurrentPageAfterClosingAndSwitching) {
    EXPECT_EQ(CurrentAfterClose(1, 3), 1) << "the tab that moves into its place";
    EXPECT_EQ(CurrentAfterClose(2, 3), 1) << "the new last tab";
    EXPECT_EQ(CurrentAfterClose(0, 2), 0);
    EXPECT_EQ(CurrentAfterClose(0, 1), 0);
    // Deaths together, highest first: the current page stays itself when it
    // lives; when it died, its successor, or the new last page.
    EXPECT_EQ(CurrentAfterDeaths(2, 4, {3, 0}), 1) << "page 2 lives, one before it went";
    EXPECT_EQ(CurrentAfterDeaths(1, 4, {2, 1}), 1) << "died: the old page 3 moved into its place";
    EXPECT_EQ(CurrentAfterDeaths(2, 3, {2, 1}), 0) << "the last died: the new last";
    EXPECT_EQ(CurrentAfterDeaths(0, 2, {1, 0}), 0) << "none left";
    EXPECT_EQ(NextPage(0, 3), 1);
    EXPECT_EQ(NextPage(2, 3), 0);
    EXPECT_EQ(NextPage(0, 1), 0);
    EXPECT_EQ(NextPage(0, 0), 0);
}

TEST(TabStrip, GeometryAndHits) {
    EXPECT_EQ(TabCloseBoxRect(1, DpiScale()), (Rect{485, 3, 498, 16}));
    EXPECT_EQ(TabCaptionRect(0, false, DpiScale()), (Rect{136, 8, 296, 22}));
    // A muted account's mark sits left of the close box; its caption is cut before it.
    EXPECT_EQ(TabMuteMarkRect(1, DpiScale()), (Rect{471, 7, 484, 20}));
    EXPECT_EQ(TabCaptionRect(1, true, DpiScale()), (Rect{325, 8, 468, 22}));
    EXPECT_EQ(TabStripRect(3, DpiScale()), (Rect{120, 3, 687, 25}));

    EXPECT_EQ(HitTestTabs(120, 10, 3, DpiScale()).tab, -1) << "the strip starts at 121";
    EXPECT_EQ(HitTestTabs(121, 10, 3, DpiScale()).tab, 0);
    EXPECT_EQ(HitTestTabs(308, 10, 3, DpiScale()).tab, 0);
    EXPECT_EQ(HitTestTabs(309, 10, 3, DpiScale()).tab, 1);
    EXPECT_EQ(HitTestTabs(686, 24, 3, DpiScale()).tab, 2);
    EXPECT_EQ(HitTestTabs(687, 10, 3, DpiScale()).tab, -1);
    EXPECT_EQ(HitTestTabs(200, 25, 3, DpiScale()).tab, -1);
    EXPECT_EQ(HitTestTabs(200, 2, 3, DpiScale()).tab, -1);
    EXPECT_EQ(HitTestTabs(200, 10, 0, DpiScale()).tab, -1) << "no pages, no strip";

    EXPECT_TRUE(HitTestTabs(296, 3, 1, DpiScale()).closeBox);
    EXPECT_TRUE(HitTestTabs(308, 15, 1, DpiScale()).closeBox);
    EXPECT_FALSE(HitTestTabs(308, 16, 1, DpiScale()).closeBox);
    EXPECT_FALSE(HitTestTabs(295, 10, 1, DpiScale()).closeBox);
    EXPECT_TRUE(HitTestTabs(296 + 189, 5, 2, DpiScale()).closeBox);
}

TEST(TabStrip, HoverRepaintsOnlyWhatChanged) {
    TabHoverChange c = TrackTabHover(TabHover{}, false, TabHit{1, false}, false, DpiScale());
    EXPECT_EQ(c.next.hotTab, 1);
    EXPECT_EQ(c.next.closeState, 0);
    EXPECT_EQ(c.invalidateNew, TabRect(1, DpiScale()));
    EXPECT_TRUE(c.tipActivate && !c.tipDeactivate && c.tipFlag) << "on, with tab 1's caption";

    c = TrackTabHover(c.next, c.tipFlag, TabHit{1, false}, false, DpiScale());
    EXPECT_EQ(c.invalidateOld, Rect{});
    EXPECT_EQ(c.invalidateNew, Rect{});
    EXPECT_FALSE(c.tipActivate || c.tipDeactivate);

    c = TrackTabHover(c.next, c.tipFlag, TabHit{1, true}, true, DpiScale());
    EXPECT_EQ(c.next.closeState, 2) << "pressed while the left button is down";
    EXPECT_EQ(c.invalidateOld, TabCloseBoxRect(1, DpiScale()));
    EXPECT_TRUE(c.tipDeactivate && c.tipFlag) << "off over the close box";
    c = TrackTabHover(c.next, c.tipFlag, TabHit{1, false}, false, DpiScale());
    EXPECT_FALSE(c.tipActivate) << "and off on the same tab until another tab";

    c = TrackTabHover(c.next, c.tipFlag, TabHit{2, false}, false, DpiScale());
    EXPECT_EQ(c.invalidateOld, TabRect(1, DpiScale()));
    EXPECT_EQ(c.invalidateNew, TabRect(2, DpiScale()));
    EXPECT_TRUE(c.tipDeactivate && !c.tipActivate && !c.tipFlag) << "another tab: off first";
    c = TrackTabHover(c.next, c.tipFlag, TabHit{2, false}, false, DpiScale());
    EXPECT_TRUE(c.tipActivate && c.tipFlag) << "back on at the next hit test, with tab 2's caption";

    c = TrackTabHover(c.next, c.tipFlag, TabHit{}, false, DpiScale());
    EXPECT_EQ(c.next.hotTab, -1);
    EXPECT_EQ(c.next.closeState, -1);
    EXPECT_EQ(c.invalidateOld, TabRect(2, DpiScale()));
    EXPECT_TRUE(c.tipDeactivate && !c.tipFlag);
    EXPECT_EQ(HoverLeaveArea(TabHover{0, 1}, DpiScale()), TabRect(0, DpiScale()));
    EXPECT_EQ(HoverLeaveArea(TabHover{}, DpiScale()), Rect{});
}

TEST(TabStrip, MouseRouting) {
    const TabHit onTab{1, false}, onClose{1, true}, off{};
    TabMouseAction a = RouteTabMouse(TabMouse::LButtonDown, onTab);
    EXPECT_TRUE(a.selectTab);
    EXPECT_TRUE(a.defaultProcessing);
    a = RouteTabMouse(TabMouse::NcLButtonDown, onTab);
    EXPECT_TRUE(a.selectTab);
    EXPECT_FALSE(a.defaultProcessing) << "no dragging from a tab";
    EXPECT_FALSE(RouteTabMouse(TabMouse::LButtonUp, onTab).closePage);
    EXPECT_TRUE(RouteTabMouse(TabMouse::LButtonUp, onClose).closePage);
    EXPECT_TRUE(RouteTabMouse(TabMouse::NcLButtonUp, onClose).closePage);
    EXPECT_FALSE(RouteTabMouse(TabMouse::NcLButtonUp, onClose).defaultProcessing);
    EXPECT_TRUE(RouteTabMouse(TabMouse::MButtonUp, onTab).closePage) << "a middle click anywhere on the tab";
    EXPECT_TRUE(RouteTabMouse(TabMouse::NcMButtonUp, onTab).closePage);
    a = RouteTabMouse(TabMouse::DoubleClick, onTab);
    EXPECT_FALSE(a.selectTab || a.closePage || a.defaultProcessing) << "double clicks on tabs are ignored";
    a = RouteTabMouse(TabMouse::MButtonUp, off);
    EXPECT_FALSE(a.closePage);
    EXPECT_TRUE(a.defaultProcessing);

    // A right click on a tab opens its menu when released, and the window's
    // own menu never starts; elsewhere it does what it always did.
    a = RouteTabMouse(TabMouse::RButtonDown, onClose);
    EXPECT_FALSE(a.openTabMenu || a.selectTab || a.closePage || a.defaultProcessing);
    a = RouteTabMouse(TabMouse::RButtonUp, onTab);
    EXPECT_TRUE(a.openTabMenu);
    EXPECT_FALSE(a.selectTab || a.closePage || a.defaultProcessing);
    a = RouteTabMouse(TabMouse::RButtonUp, off);
    EXPECT_FALSE(a.openTabMenu);
    EXPECT_TRUE(a.defaultProcessing);
}
