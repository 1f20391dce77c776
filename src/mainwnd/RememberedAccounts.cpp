#include "mainwnd/MutedAccounts.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "base/SettingsStore.h"
#include "mainwnd/AccountMuteRules.h"

namespace {
const wchar_t kSection[] = L"ZuvaMuted";

std::wstring IniPath() { return StatisticIniPath(IniLocation::ExeFolder); }

// The section's "key=value" lines.
std::vector<std::wstring> SectionLines(const std::wstring& path) {
    std::vector<wchar_t> buf(8192);
    DWORD got = 0;
    for (;;) {
        got = ::GetPrivateProfileSectionW(kSection, buf.data(), static_cast<DWORD>(buf.size()), path.c_str());
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
}  // namespace

bool IsAccountRememberedMuted(const std::wstring& caption) {
    const std::wstring key = EncodeAccountKey(caption);
    if (key.empty()) return false;
    wchar_t value[32] = {};
    return ::GetPrivateProfileStringW(kSection, key.c_str(), L"", value, 32, IniPath().c_str()) > 0;
}

void RememberMutedAccount(const std::wstring& caption) {
    const std::wstring key = EncodeAccountKey(caption);
    if (key.empty()) return;
    const std::wstring path = IniPath();
    std::vector<MutedAccountEntry> entries = ParseMutedAccounts(SectionLines(path));
    std::vector<MutedAccountEntry> renumbered = RenumberedMutedAccounts(entries);
    if (!renumbered.empty()) {
        for (const MutedAccountEntry& entry : renumbered)
            ::WritePrivateProfileStringW(kSection, entry.key.c_str(), std::to_wstring(entry.serial).c_str(),
                                         path.c_str());
        entries = std::move(renumbered);
    }
    const uint64_t serial = NextMutedSerial(entries);
    if (!::WritePrivateProfileStringW(kSection, key.c_str(), std::to_wstring(serial).c_str(), path.c_str())) return;
    auto known = std::find_if(entries.begin(), entries.end(), [&](const MutedAccountEntry& e) { return e.key == key; });
    if (known != entries.end())
        known->serial = serial;
    else
        entries.push_back(MutedAccountEntry{key, serial});
    for (const std::wstring& old : MutedAccountsOverBound(std::move(entries), kMaxMutedAccounts))
        ::WritePrivateProfileStringW(kSection, old.c_str(), nullptr, path.c_str());
}

void ForgetMutedAccount(const std::wstring& caption) {
    const std::wstring key = EncodeAccountKey(caption);
    if (key.empty()) return;
    ::WritePrivateProfileStringW(kSection, key.c_str(), nullptr, IniPath().c_str());
}
