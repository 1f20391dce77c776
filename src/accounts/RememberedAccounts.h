#pragma once
// One section of Statistic.ini beside the executable that remembers
// something per account, by tab caption, within a bound, the oldest entries
// going first (format in AccountEntries.h). Shared by every instance; read
// and written through base/SettingsStore.h.
#include <cstddef>
#include <optional>
#include <string>

class RememberedAccounts {
public:
    RememberedAccounts(const wchar_t* section, size_t bound) : m_section(section), m_bound(bound) {}

    // The value remembered for `caption` (empty for an entry without one);
    // none when nothing is.
    std::optional<std::wstring> Find(const std::wstring& caption) const;
    // Remembers `caption` with `value` as the newest entry; the oldest go
    // when there are more than the bound. A caption that cannot be stored is
    // not remembered.
    void Remember(const std::wstring& caption, const std::wstring& value) const;
    void Forget(const std::wstring& caption) const;

private:
    const wchar_t* m_section;
    size_t m_bound;
};
