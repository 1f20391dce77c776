#include "accounts/RememberedAccounts.h"

#include <algorithm>
#include <vector>

#include "accounts/AccountEntries.h"
#include "base/SettingsStore.h"

namespace {
constexpr IniLocation kFile = IniLocation::ExeFolder;
// An entry's text as the launcher writes it, a serial and a short value, is
// well within this.
constexpr size_t kEntryTextChars = 64;
}  // namespace

std::optional<std::wstring> RememberedAccounts::Find(const std::wstring& caption) const {
    const std::wstring key = EncodeAccountKey(caption);
    if (key.empty()) return std::nullopt;
    const std::wstring text = ReadIniValue(kFile, m_section, key.c_str(), L"", kEntryTextChars);
    if (text.empty()) return std::nullopt;
    return ParseAccountEntryText(text).value;
}

void RememberedAccounts::Remember(const std::wstring& caption, const std::wstring& value) const {
    const std::wstring key = EncodeAccountKey(caption);
    if (key.empty()) return;
    auto write = [&](const std::wstring& entryKey, const std::wstring& text) {
        return WriteIniValue(kFile, m_section, entryKey.c_str(), text);
    };
    std::vector<AccountEntry> entries = ParseAccountEntries(ReadIniSection(kFile, m_section));
    std::vector<AccountEntry> renumbered = RenumberedAccountEntries(entries);
    if (!renumbered.empty()) {
        for (const AccountEntry& entry : renumbered) write(entry.key, AccountEntryText(entry.serial, entry.value));
        entries = std::move(renumbered);
    }
    const uint64_t serial = NextAccountSerial(entries);
    if (!write(key, AccountEntryText(serial, value))) return;
    auto known = std::find_if(entries.begin(), entries.end(), [&](const AccountEntry& e) { return e.key == key; });
    if (known != entries.end())
        known->serial = serial;
    else
        entries.push_back(AccountEntry{key, serial, value});
    for (const std::wstring& old : AccountEntriesOverBound(std::move(entries), m_bound))
        DeleteIniValue(kFile, m_section, old.c_str());
}

void RememberedAccounts::Forget(const std::wstring& caption) const {
    const std::wstring key = EncodeAccountKey(caption);
    if (!key.empty()) DeleteIniValue(kFile, m_section, key.c_str());
}
