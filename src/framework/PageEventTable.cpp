#include "framework/PageEventTable.h"

namespace {
wchar_t Lower(wchar_t c) { return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c + 32) : c; }

bool EqualIgnoringCase(const std::wstring& a, const wchar_t* b) {
    size_t i = 0;
    for (; b[i]; ++i)
        if (i >= a.size() || Lower(a[i]) != Lower(b[i])) return false;
    return i == a.size();
}
}  // namespace

int FindPageEventRow(const PageEventRow* rows, size_t count, long dispid, const std::wstring& classAttribute,
                     const std::wstring& tagName) {
    for (size_t i = 0; i < count; ++i) {
        const PageEventRow& row = rows[i];
        if (row.dispid != dispid) continue;
        const bool match = row.byClass ? classAttribute == row.name : EqualIgnoringCase(tagName, row.name);
        if (match) return static_cast<int>(i);
    }
    return -1;
}
