#include "base/SettingsStore.h"

#include <cwchar>
#include <vector>

#include "base/ProgramPaths.h"
#include "base/StoreRules.h"
#include "framework/Handles.h"

const wchar_t kRegistryKey[] = L"Software\\Korvel\\GameLogin\\Zuva";

namespace {
const wchar_t kSection[] = L"Zuva";
const wchar_t kIniName[] = L"Statistic.ini";

std::wstring FolderOf(const std::wstring& path) {
    size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

fw::RegKey OpenKey(REGSAM access) {
    HKEY key = nullptr;
    if (::RegCreateKeyExW(HKEY_LOCAL_MACHINE, kRegistryKey, 0, nullptr, 0, access, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return fw::RegKey();
    return fw::RegKey(key);
}

bool ReadBinary(const wchar_t* name, void* out, DWORD size) {
    fw::RegKey key = OpenKey(KEY_READ);
    if (!key) return false;
    DWORD type = 0;
    DWORD got = size;
    return ::RegQueryValueExW(key.get(), name, nullptr, &type, static_cast<BYTE*>(out), &got) == ERROR_SUCCESS;
}

bool WriteBinary(const wchar_t* name, const void* data, DWORD size) {
    fw::RegKey key = OpenKey(KEY_WRITE);
    return key && ::RegSetValueExW(key.get(), name, 0, REG_BINARY, static_cast<const BYTE*>(data), size) ==
                      ERROR_SUCCESS;
}
}  // namespace

std::wstring StatisticIniPath(IniLocation where) {
    const std::wstring folder = where == IniLocation::DataFolder ? GetDataFolder() : FolderOf(GetExePath());
    return folder + L"\\" + kIniName;
}

std::wstring ReadIniValue(IniLocation where, const wchar_t* section, const wchar_t* key,
                          const wchar_t* defaultValue, size_t maxChars) {
    std::vector<wchar_t> buf(maxChars > 0 ? maxChars : 1, L'\0');
    const std::wstring path = StatisticIniPath(where);
    DWORD got = ::GetPrivateProfileStringW(section, key, defaultValue, buf.data(), static_cast<DWORD>(buf.size()),
                                           path.c_str());
    return std::wstring(buf.data(), got);
}

bool WriteIniValue(IniLocation where, const wchar_t* section, const wchar_t* key, const std::wstring& value) {
    const std::wstring path = StatisticIniPath(where);
    return ::WritePrivateProfileStringW(section, key, value.c_str(), path.c_str()) != FALSE;
}

bool DeleteIniValue(IniLocation where, const wchar_t* section, const wchar_t* key) {
    const std::wstring path = StatisticIniPath(where);
    return ::WritePrivateProfileStringW(section, key, nullptr, path.c_str()) != FALSE;
}

std::vector<std::wstring> ReadIniSection(IniLocation where, const wchar_t* section) {
    const std::wstring path = StatisticIniPath(where);
    std::vector<wchar_t> buf(8192);
    DWORD got = 0;
    for (;;) {
        got = ::GetPrivateProfileSectionW(section, buf.data(), static_cast<DWORD>(buf.size()), path.c_str());
        // A full buffer is reported as its size less two: read again, larger.
        if (got + 2 < buf.size() || buf.size() >= (1u << 22)) break;
        buf.resize(buf.size() * 2);
    }
    std::vector<std::wstring> lines;
    for (size_t at = 0; at < got && buf[at] != L'\0';) {
        std::wstring line(&buf[at]);
        at += line.size() + 1;
        lines.push_back(std::move(line));
    }
    return lines;
}

std::wstring ReadZuvaValue(IniLocation where, const wchar_t* key, const wchar_t* defaultValue, size_t maxChars) {
    return ReadIniValue(where, kSection, key, defaultValue, maxChars);
}

bool WriteZuvaValue(IniLocation where, const wchar_t* key, const std::wstring& value) {
    return WriteIniValue(where, kSection, key, value);
}

uint32_t IncrementCounter(const wchar_t* key) {
    const uint32_t next = NextCounterValue(ReadZuvaValue(IniLocation::DataFolder, key, L"0", 32));
    WriteZuvaValue(IniLocation::DataFolder, key, std::to_wstring(next));
    return next;
}

SYSTEMTIME ReadUpdTime() {
    SYSTEMTIME time{};
    if (!ReadBinary(L"UpdTime", &time, sizeof(time))) time = SYSTEMTIME{};
    return time;
}

bool WriteUpdTime() {
    SYSTEMTIME now{};
    ::GetSystemTime(&now);
    return WriteBinary(L"UpdTime", &now, sizeof(now));
}

uint32_t ReadDisableDays() {
    uint32_t value = 0;
    if (!ReadBinary(L"DisableDays", &value, sizeof(value))) value = 0;
    return value;
}

bool WriteDisableDays(uint32_t value) { return WriteBinary(L"DisableDays", &value, sizeof(value)); }

std::wstring ReadFailedKey() {
    fw::RegKey key = OpenKey(KEY_READ);
    wchar_t text[65] = {};
    DWORD type = 0;
    DWORD size = sizeof(text) - sizeof(wchar_t);  // room for the end the value may lack
    if (!key || ::RegQueryValueExW(key.get(), L"FailedKey", nullptr, &type, reinterpret_cast<BYTE*>(text), &size) !=
                    ERROR_SUCCESS ||
        type != REG_SZ)
        return std::wstring();
    return std::wstring(text, wcsnlen(text, size / sizeof(wchar_t)));
}

bool WriteFailedKey(const std::wstring& value) {
    fw::RegKey key = OpenKey(KEY_WRITE);
    const std::wstring text = value.substr(0, 64);
    return key && ::RegSetValueExW(key.get(), L"FailedKey", 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                                   static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

bool CanReadRegistryKey() { return static_cast<bool>(OpenKey(KEY_READ)); }
