// The settings store in the prefix's real registry and INI files; every test
// puts back what it found.
#include <gtest/gtest.h>

#include "accounts/AccountEntries.h"
#include "accounts/MutedAccounts.h"
#include "app/LaunchModeWin.h"
#include "base/SettingsStore.h"
#include "hotkey/HotkeyStore.h"
#include "WinTestSupport.h"

using namespace wintest;

TEST(SettingsStore, CountersLiveInTheDataFoldersFile) {
    FolderChain folder(GetDataFolder());
    const std::wstring ini = StatisticIniPath(IniLocation::DataFolder);
    EXPECT_EQ(ini, GetDataFolder() + L"\\Statistic.ini");
    FileBackup backup(ini);
    ::DeleteFileW(ini.c_str());

    EXPECT_EQ(IncrementCounter(L"Game"), 1u) << "missing counts from 0";
    EXPECT_EQ(IncrementCounter(L"Game"), 2u);
    ::WritePrivateProfileStringW(L"Zuva", L"Inst", L"abc", ini.c_str());
    EXPECT_EQ(IncrementCounter(L"Inst"), 1u);
    ::WritePrivateProfileStringW(L"Zuva", L"Korvel", L"4294967295", ini.c_str());
    EXPECT_EQ(IncrementCounter(L"Korvel"), 2147483648u);
    EXPECT_EQ(IncrementCounter(L"Korvel"), 2147483648u);
    EXPECT_EQ(ReadZuvaValue(IniLocation::DataFolder, L"Korvel", L"", 32), L"2147483648");
    // Other sections of the shared file are left alone.
    ::WritePrivateProfileStringW(L"Other", L"Keep", L"1", ini.c_str());
    IncrementCounter(L"UnInst");
    wchar_t keep[8] = {};
    ::GetPrivateProfileStringW(L"Other", L"Keep", L"", keep, 8, ini.c_str());
    EXPECT_STREQ(keep, L"1");
}

TEST(SettingsStore, RegistryValuesKeepTheirByteLayout) {
    RegistryValueBackup updTime(HKEY_LOCAL_MACHINE, kRegistryKey, L"UpdTime");
    RegistryValueBackup disableDays(HKEY_LOCAL_MACHINE, kRegistryKey, L"DisableDays");
    HKEY key = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_LOCAL_MACHINE, kRegistryKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    fw::RegKey owned(key);
    ::RegDeleteValueW(key, L"UpdTime");
    ::RegDeleteValueW(key, L"DisableDays");
    EXPECT_EQ(ReadUpdTime().wYear, 0) << "missing: never updated";
    EXPECT_EQ(ReadDisableDays(), 0u) << "missing: no rest day";

    ASSERT_TRUE(WriteUpdTime());
    SYSTEMTIME now{};
    ::GetSystemTime(&now);
    const SYSTEMTIME stored = ReadUpdTime();
    EXPECT_EQ(stored.wYear, now.wYear);
    EXPECT_EQ(stored.wMonth, now.wMonth);
    EXPECT_EQ(stored.wDay, now.wDay);
    DWORD type = 0, size = 0;
    ::RegQueryValueExW(key, L"UpdTime", nullptr, &type, nullptr, &size);
    EXPECT_EQ(type, static_cast<DWORD>(REG_BINARY));
    EXPECT_EQ(size, 16u);

    ASSERT_TRUE(WriteDisableDays(0x00050300));
    BYTE bytes[4] = {};
    size = sizeof(bytes);
    ::RegQueryValueExW(key, L"DisableDays", nullptr, &type, bytes, &size);
    EXPECT_EQ(size, 4u);
    EXPECT_EQ(bytes[0], 0);
    EXPECT_EQ(bytes[1], 3);
    EXPECT_EQ(bytes[2], 5);
    EXPECT_EQ(bytes[3], 0);
    EXPECT_EQ(ReadDisableDays(), 0x00050300u);
}

TEST(SettingsStore, HotkeysComeFromTheFileBesideTheExecutable) {
    const std::wstring ini = StatisticIniPath(IniLocation::ExeFolder);
    EXPECT_EQ(ini, BuildDir() + L"\\Statistic.ini");
    FileBackup backup(ini);
    ::DeleteFileW(ini.c_str());
    HotkeyRecord boss = LoadHotkey(HotkeyId::Boss);
    EXPECT_EQ(boss.vk, 121);
    EXPECT_EQ(boss.modifiers, 0);
    EXPECT_EQ(LoadHotkey(HotkeyId::Switch).vk, 9);
    EXPECT_EQ(LoadHotkey(HotkeyId::Sound).vk, 81);

    ASSERT_TRUE(SaveHotkeyText(HotkeyId::Sound, L"6,65"));
    HotkeyRecord sound = LoadHotkey(HotkeyId::Sound);
    EXPECT_EQ(sound.vk, 65);
    EXPECT_EQ(sound.modifiers, 6);
    ::WritePrivateProfileStringW(L"Zuva", L"ShortKey", L"0,0", ini.c_str());
    EXPECT_EQ(LoadHotkey(HotkeyId::Boss).vk, 0) << "no boss key";
}

// Muted accounts share the file with the hotkeys; the section stays within
// its bound however long its lines, the oldest muting going first.
TEST(SettingsStore, MutedAccountsKeepTheNewestWithinTheBound) {
    const std::wstring ini = StatisticIniPath(IniLocation::ExeFolder);
    FileBackup backup(ini);
    ::DeleteFileW(ini.c_str());
    const auto caption = [](size_t n) { return std::to_wstring(n) + std::wstring(100, L'龙'); };
    for (size_t n = 1; n <= kMaxMutedAccounts; ++n)
        ::WritePrivateProfileStringW(L"ZuvaMuted", EncodeAccountKey(caption(n)).c_str(), std::to_wstring(n).c_str(),
                                     ini.c_str());
    ASSERT_TRUE(IsAccountRememberedMuted(caption(1)));

    RememberMutedAccount(L"13服-白虎-quiet");
    EXPECT_TRUE(IsAccountRememberedMuted(L"13服-白虎-quiet"));
    EXPECT_FALSE(IsAccountRememberedMuted(caption(1))) << "the oldest went";
    EXPECT_EQ(ReadIniSection(IniLocation::ExeFolder, L"ZuvaMuted").size(), kMaxMutedAccounts) << "read whole";
    EXPECT_TRUE(IsAccountRememberedMuted(caption(2)));
    RememberMutedAccount(caption(2));  // muted again: now the newest
    RememberMutedAccount(L"another");
    EXPECT_TRUE(IsAccountRememberedMuted(caption(2)));
    EXPECT_FALSE(IsAccountRememberedMuted(caption(3)));

    ForgetMutedAccount(L"13服-白虎-quiet");
    EXPECT_FALSE(IsAccountRememberedMuted(L"13服-白虎-quiet"));
    EXPECT_TRUE(IsAccountRememberedMuted(L"another"));
    EXPECT_FALSE(IsAccountRememberedMuted(L"")) << "an empty caption is never remembered";
}
