#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "hotkey/HookDecision.h"

namespace {
constexpr unsigned kKeyDown = 0x100, kKeyUp = 0x101, kSysKeyDown = 0x104, kSysKeyUp = 0x105;
constexpr int32_t kF10 = 121, kQ = 'Q', kF5 = 116, kF12 = 123, kCtrl = 0x11;
const HotkeyRecord kBoss{kF10, 0};
const HotkeyRecord kSound{kQ, kModCtrl};

const std::optional<HotkeyId> kNone;
const std::optional<HotkeyId> kBossKey = HotkeyId::Boss;
const std::optional<HotkeyId> kSoundKey = HotkeyId::Sound;
const std::optional<HotkeyId> kShotKey = HotkeyId::Shot;

// The switch key acts only in the launcher's own windows, never through the hook.
std::optional<HotkeyId> Decide(unsigned message, int32_t vk, int32_t state, int pages = 1, HotkeyRecord boss = kBoss,
                               HotkeyRecord sound = kSound, HotkeyRecord switchKey = {kF10, 0},
                               bool keyWasDown = false) {
    HookEvent event;
    event.message = message;
    event.vk = vk;
    event.modifierState = state;
    event.pageCount = pages;
    event.keyWasDown = keyWasDown;
    HotkeySet keys;
    keys[HotkeyId::Boss] = boss;
    keys[HotkeyId::Switch] = switchKey;
    keys[HotkeyId::Sound] = sound;
    keys[HotkeyId::Shot] = {kF12, 0};
    return DecideHookAction(event, keys);
}
}  // namespace

TEST(HookDecision, KeyDownsOfTheBossSoundAndScreenshotKeysAct) {
    EXPECT_EQ(Decide(kKeyDown, kF10, 0), kBossKey);
    EXPECT_EQ(Decide(kKeyDown, kF12, 0), kShotKey);
    EXPECT_EQ(Decide(kSysKeyDown, kF10, 0), kBossKey) << "F10 arrives as a system key";
    EXPECT_EQ(Decide(kKeyDown, kQ, kModCtrl), kSoundKey);
    EXPECT_EQ(Decide(kSysKeyDown, kQ, kModCtrl | kModAlt), kNone) << "an extra modifier";
    EXPECT_EQ(Decide(kKeyDown, kF10, kModCtrl | kModShift), kNone);
    EXPECT_EQ(Decide(kKeyDown, kQ, 0), kNone);
    EXPECT_EQ(Decide(kKeyUp, kF10, 0), kNone);
    EXPECT_EQ(Decide(kSysKeyUp, kF10, 0), kNone);
}

TEST(HookDecision, AHeldKeyActsOnceAndAgainOnlyAfterItsKeyUp) {
    // Ctrl held throughout; Q down, two repeats, up, down again; then F10 the same.
    const std::pair<unsigned, int32_t> events[] = {
        {kKeyDown, kCtrl}, {kKeyDown, kQ},      {kKeyDown, kCtrl},    {kKeyDown, kQ},     {kKeyDown, kQ},
        {kKeyUp, kQ},      {kKeyDown, kQ},      {kKeyUp, kCtrl},      {kSysKeyDown, kF10}, {kSysKeyDown, kF10},
        {kSysKeyUp, kF10}, {kSysKeyDown, kF10}};
    HeldKeys held;
    std::vector<std::optional<HotkeyId>> acted;
    for (const auto& [message, vk] : events) {
        const bool wasDown = held.Note(message, vk);
        const int32_t state = vk == kF10 ? 0 : kModCtrl;
        if (const auto id = Decide(message, vk, state, 1, kBoss, kSound, {kF10, 0}, wasDown)) acted.push_back(id);
    }
    EXPECT_EQ(acted, (std::vector<std::optional<HotkeyId>>{kSoundKey, kSoundKey, kBossKey, kBossKey}));

    // A key-up the hook never saw: the key counts as up once the system says
    // so, but not at the first look after it went down.
    const auto allUp = [](int32_t) { return false; };
    HeldKeys missed;
    missed.Note(kKeyDown, kF10);
    missed.ForgetReleased(allUp);
    EXPECT_TRUE(missed.Note(kKeyUp, kF10));
    missed.Note(kKeyDown, kF10);
    missed.ForgetReleased(allUp);
    missed.ForgetReleased(allUp);
    EXPECT_FALSE(missed.Note(kKeyDown, kF10));
}

TEST(HookDecision, NothingActsWithoutAGamePage) {
    EXPECT_EQ(Decide(kKeyDown, kF10, 0, 0), kNone);
    EXPECT_EQ(Decide(kKeyDown, kQ, kModCtrl, 0), kNone);
    EXPECT_EQ(Decide(kKeyDown, kF10, 0, 3), kBossKey);
}

TEST(HookDecision, TheBossKeyWinsWhenBothAreTheSame) {
    EXPECT_EQ(Decide(kKeyDown, kF5, 0, 1, HotkeyRecord{kF5, 0}, HotkeyRecord{kF5, 0}), kBossKey);
}

TEST(HookDecision, UnloadedAndClearedRecordsMatchNothing) {
    const HotkeyRecord unloaded;     // -1, -1
    const HotkeyRecord cleared{0, 0};  // "无"
    for (int32_t vk : {0, -1, static_cast<int32_t>(kF10)})
        for (int32_t state : {0, -1, 7}) {
            EXPECT_EQ(Decide(kKeyDown, vk, state, 1, unloaded, unloaded), kNone) << vk << "," << state;
        }
    // A cleared key never fires, even for an event that reports key code 0.
    EXPECT_EQ(Decide(kKeyDown, 0, 0, 1, cleared, cleared), kNone);
}
