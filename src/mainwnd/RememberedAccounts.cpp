#include "mainwnd/RememberedAccounts.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "base/SettingsStore.h"
#include "mainwnd/AccountEntries.h"

namespace {
std::wstring IniPath() { return StatisticIniPath(IniLocation::ExeFolder); }

// The section's "key=value" lines.
std::vector<std::wstring> SectionLines(const wchar_t* section, const std::wstring& path) {
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
}  // namespace

std::optional<std::wstring> RememberedAccounts::Find(const std::wstring& caption) const {
    const std::wstring key = EncodeAccountKey(caption);
    if (key.empty()) return std::nullopt;
    wchar_t text[64] = {};
    if (::GetPrivateProfileStringW(m_section, key.c_str(), L"", text, 64, IniPath().c_str()) == 0) return std::nullopt;
    return ParseAccountEntryText(text).value;
}

void RememberedAccounts::Remember(const std::wstring& caption, const std::wstring& value) const {
    const std::wstring key = EncodeAccountKey(caption);
    if (key.empty()) return;
    const std::wstring path = IniPath();
    auto write = [&](const std::wstring& entryKey, const wchar_t* text) {
        return ::WritePrivateProfileStringW(m_section, entryKey.c_str(), text, path.c_str()) != FALSE;
    };
    std::vector<AccountEntry> entries = ParseAccountEntries(SectionLines(m_section, path));
    std::vector<AccountEntry> renumbered = RenumberedAccountEntries(entries);
    if (!renumbered.empty()) {
        for (const AccountEntry& entry : renumbered)
            write(entry.key, AccountEntryText(entry.serial, entry.value).c_str());
        entries = std::move(renumbered);
    }
    const uint64_t serial = NextAccountSerial(entries);
    if (!write(key, AccountEntryText(serial, value).c_str())) return;
    auto known = std::find_if(entries.begin(), entries.end(), [&](const AccountEntry& e) { return e.key == key; });
    if (known != entries.end())
        known->serial = serial;
    else
        entries.push_back(AccountEntry{key, serial, value});
    for (const std::wstring& old : AccountEntriesOverBound(std::move(entries), m_bound)) write(old, nullptr);
}

void RememberedAccounts::Forget(const std::wstring& caption) const {
    const std::wstring key = EncodeAccountKey(caption);
    if (!key.empty()) ::WritePrivateProfileStringW(m_section, key.c_str(), nullptr, IniPath().c_str());
}
