#pragma once
// The launcher's persistent state: the registry key of the update machinery
// and the launcher's sections of the shared Statistic.ini.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// Statistic.ini is reached by two paths that name the same file once the
// launcher runs from its data folder.
enum class IniLocation {
    DataFolder,  // the usage counters
    ExeFolder,   // hotkeys, notice state, accounts: beside the running executable
};
std::wstring StatisticIniPath(IniLocation where);

// A value of a section; at most maxChars - 1 characters are read, as a
// buffer of maxChars would hold. Missing file or key: the default.
std::wstring ReadIniValue(IniLocation where, const wchar_t* section, const wchar_t* key,
                          const wchar_t* defaultValue, size_t maxChars);
bool WriteIniValue(IniLocation where, const wchar_t* section, const wchar_t* key, const std::wstring& value);
bool DeleteIniValue(IniLocation where, const wchar_t* section, const wchar_t* key);
// A section's lines ("key=value"), whole however long it is; none when the
// file or the section is missing.
std::vector<std::wstring> ReadIniSection(IniLocation where, const wchar_t* section);

// The same in section "Zuva".
std::wstring ReadZuvaValue(IniLocation where, const wchar_t* key, const wchar_t* defaultValue, size_t maxChars);
bool WriteZuvaValue(IniLocation where, const wchar_t* key, const std::wstring& value);

// Adds one to a usage counter ("Inst", "UnInst", "Game", "Korvel") in the
// data folder's file and returns the new value.
uint32_t IncrementCounter(const wchar_t* key);

// HKLM\Software\Korvel\GameLogin\Zuva, opened for each access and closed at once.
extern const wchar_t kRegistryKey[];
// The moment of the last successful self-update (UTC); all zero when missing
// or unreadable.
SYSTEMTIME ReadUpdTime();
bool WriteUpdTime();  // now, in UTC
// Rest days of the automatic update check; 0 when missing.
uint32_t ReadDisableDays();
bool WriteDisableDays(uint32_t value);
// The published key of a build that was swapped in and could not start:
// that build is never downloaded again. Empty when there is none.
std::wstring ReadFailedKey();
bool WriteFailedKey(const std::wstring& key);
// Whether the key can be opened for reading at all.
bool CanReadRegistryKey();
