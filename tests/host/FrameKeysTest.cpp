#include <gtest/gtest.h>

#include "gamewnd/FrameKeys.h"

namespace {
constexpr unsigned kKeyDown = 0x100, kChar = 0x102, kSysKeyDown = 0x104, kSysCommand = 0x112;
constexpr uintptr_t kF5 = 116, kTab = 9;
constexpr intptr_t kMarker = 5813;
HotkeySet Defaults() {
    HotkeySet keys;
    keys[HotkeyId::Boss] = {121, 0};
    keys[HotkeyId::Switch] = {static_cast<int32_t>(kTab), kModCtrl};
    keys[HotkeyId::Sound] = {'Q', kModCtrl};
    return keys;
}
const HotkeySet kDefaults = Defaults();

FrameKeyAction Decide(unsigned message, uintptr_t wp, intptr_t lp, int32_t state = 0,
                      const HotkeySet& keys = kDefaults) {
    FrameKeyInput in;
    in.message = message;
    in.wParam = wp;
    in.lParam = lp;
    in.modifierState = state;
    return DecideFrameKey(in, keys);
}

// A message's flags as Windows hands them over: a 32-bit LPARAM, sign-extended
// where a pointer is wider, so a set transition bit makes it negative.
intptr_t Flags(uint32_t lParam) { return static_cast<intptr_t>(static_cast<int32_t>(lParam)); }
}  // namespace

TEST(FrameKeys, TheSwitchKeyGoesToTheMainWindowUnlessTheLauncherMadeIt) {
    EXPECT_EQ(Decide(kKeyDown, kTab, 1, kModCtrl), FrameKeyAction::ForwardToOwner);
    EXPECT_EQ(Decide(kSysKeyDown, kTab, 1, kModCtrl), FrameKeyAction::ForwardToOwner);
    EXPECT_EQ(Decide(kKeyDown, kTab, kMarker, kModCtrl), FrameKeyAction::PassOn);
    EXPECT_EQ(Decide(kKeyDown, kTab, 1, kModCtrl | kModShift), FrameKeyAction::PassOn);
    EXPECT_EQ(Decide(kKeyDown, kTab, 1, 0), FrameKeyAction::PassOn);
}

TEST(FrameKeys, F5RefreshesUnlessAPlainF5IsTheBossOrSoundKey) {
    EXPECT_EQ(Decide(kKeyDown, kF5, 1), FrameKeyAction::Refresh);
    EXPECT_EQ(Decide(kKeyDown, kF5, 1, kModCtrl), FrameKeyAction::Refresh) << "F5 with modifiers too";

    for (bool asBoss : {true, false}) {
        HotkeySet keys = kDefaults;
        keys[asBoss ? HotkeyId::Boss : HotkeyId::Sound] = HotkeyRecord{static_cast<int32_t>(kF5), 0};
        EXPECT_EQ(Decide(kKeyDown, kF5, 1, 0, keys), FrameKeyAction::Swallow);
        EXPECT_EQ(Decide(kKeyDown, kF5, kMarker, 0, keys), FrameKeyAction::Refresh) << "the menus' refresh";
    }
    // Ctrl+F5 as the boss key leaves a plain F5 refreshing.
    HotkeySet ctrlF5 = kDefaults;
    ctrlF5[HotkeyId::Boss] = HotkeyRecord{static_cast<int32_t>(kF5), kModCtrl};
    EXPECT_EQ(Decide(kKeyDown, kF5, 1, 0, ctrlF5), FrameKeyAction::Refresh);

    // F5 as the switch key: forwarded, never a refresh; the marked one refreshes.
    HotkeySet f5Switch = kDefaults;
    f5Switch[HotkeyId::Switch] = HotkeyRecord{static_cast<int32_t>(kF5), 0};
    EXPECT_EQ(Decide(kKeyDown, kF5, 1, 0, f5Switch), FrameKeyAction::ForwardToOwner);
    EXPECT_EQ(Decide(kKeyDown, kF5, kMarker, 0, f5Switch), FrameKeyAction::Refresh);
}

TEST(FrameKeys, F11GoesToTheMainWindowUnlessThePlainF11IsTheHooks) {
    constexpr uintptr_t kF11 = 122;
    EXPECT_EQ(Decide(kKeyDown, kF11, 1), FrameKeyAction::ForwardToOwner);
    HotkeySet keys = kDefaults;
    keys[HotkeyId::Sound] = HotkeyRecord{static_cast<int32_t>(kF11), 0};
    EXPECT_EQ(Decide(kKeyDown, kF11, 1, 0, keys), FrameKeyAction::Swallow);
    keys[HotkeyId::Sound] = HotkeyRecord{static_cast<int32_t>(kF11), kModAlt};
    EXPECT_EQ(Decide(kKeyDown, kF11, 1, 0, keys), FrameKeyAction::ForwardToOwner);
}

TEST(FrameKeys, CtrlDOnlyFromTheDKeyItself) {
    EXPECT_EQ(Decide(kChar, 4, 0x00200001), FrameKeyAction::AddFavourite);
    EXPECT_EQ(Decide(kChar, 4, 0x00200005), FrameKeyAction::AddFavourite) << "the repeat count does not matter";
    EXPECT_EQ(Decide(kChar, 4, 0x00210001), FrameKeyAction::PassOn) << "another scan code";
    EXPECT_EQ(Decide(kChar, 4, 0x40200001), FrameKeyAction::PassOn) << "a repeat flag";
    EXPECT_EQ(Decide(kChar, 'd', 0x00200001), FrameKeyAction::PassOn);
}

// Ctrl+D as the favourites key, whatever the hotkeys are: only the D key's
// own first press without Alt.
TEST(FavouriteKey, AltControlOrAnExtendedKeyOpensNothing) {
    const HotkeySet none{};
    EXPECT_EQ(Decide(kChar, 4, Flags(0x00200001), 0, none), FrameKeyAction::AddFavourite);
    EXPECT_EQ(Decide(kChar, 4, Flags(0x20200001), 0, none), FrameKeyAction::PassOn) << "Alt held (context code)";
    EXPECT_EQ(Decide(kChar, 4, Flags(0x01200001), 0, none), FrameKeyAction::PassOn) << "extended key";
    EXPECT_EQ(Decide(kChar, 4, Flags(0x80200001), 0, none), FrameKeyAction::PassOn) << "a release";
    EXPECT_EQ(Decide(kChar, 4, Flags(0x60200001), 0, none), FrameKeyAction::PassOn) << "Alt and repeat";
}

TEST(FrameKeys, ACloseRequestArmsTheSweepAndGoesOn) {
    EXPECT_EQ(Decide(kSysCommand, 0xF060, 0), FrameKeyAction::ArmWebBoxSweep);
    EXPECT_EQ(Decide(kSysCommand, 0xF063, 0), FrameKeyAction::ArmWebBoxSweep) << "the system's low bits";
    EXPECT_EQ(Decide(kSysCommand, 0xF120, 0), FrameKeyAction::PassOn);
}

// Ctrl with plus, minus or 0 asks for a zoom step; Ctrl + wheel for one per
// whole notch, however finely the wheel reports it.
TEST(FrameKeys, ZoomKeysAndCtrlWheelAskTheMainWindow) {
    for (uintptr_t plus : {0xBB, 0x6B})
        EXPECT_EQ(Decide(kKeyDown, plus, 1, kModCtrl | kModShift), FrameKeyAction::ZoomIn) << "\"+\" is shifted";
    for (uintptr_t minus : {0xBD, 0x6D}) EXPECT_EQ(Decide(kKeyDown, minus, 1, kModCtrl), FrameKeyAction::ZoomOut);
    for (uintptr_t zero : {0x30, 0x60}) EXPECT_EQ(Decide(kKeyDown, zero, 1, kModCtrl), FrameKeyAction::ZoomActualSize);
    EXPECT_EQ(Decide(kKeyDown, '0', 1, 0), FrameKeyAction::PassOn) << "typed";
    EXPECT_EQ(Decide(kKeyDown, 0xBB, 1, kModCtrl | kModAlt), FrameKeyAction::PassOn) << "AltGr types";
    HotkeySet zeroBoss = kDefaults;
    zeroBoss[HotkeyId::Boss] = HotkeyRecord{'0', kModCtrl};
    EXPECT_EQ(Decide(kKeyDown, '0', 1, kModCtrl, zeroBoss), FrameKeyAction::Swallow) << "the boss key only hides";

    EXPECT_EQ(Decide(0x20A, 0xFF880008, 0), FrameKeyAction::ZoomWheel) << "-120, Ctrl";
    EXPECT_EQ(Decide(0x20A, 0x00780000, 0, kModCtrl), FrameKeyAction::PassOn) << "the wheel's own key state";
    WheelNotches notches;
    std::vector<int> got;
    for (int delta : {40, 40, 60, -120, -360, 100, 20}) got.push_back(notches.Add(delta));
    EXPECT_EQ(got, (std::vector<int>{0, 0, 1, -1, -3, 0, 1})) << "the rest carried; the other way starts afresh";
}
