#include "extras/NoticeDate.h"

#include <array>
#include <cstdio>
#include <optional>

#include "base/LenientNumber.h"

namespace {
// Year, month and day of a day text; nothing without both "-".
std::optional<std::array<int32_t, 3>> SplitDay(const std::wstring& text) {
    const std::wstring day = text.substr(0, text.find(L' '));
    const size_t first = day.find(L'-');
    if (first == std::wstring::npos) return std::nullopt;
    const size_t second = day.find(L'-', first + 1);
    if (second == std::wstring::npos) return std::nullopt;
    return std::array<int32_t, 3>{ParseLenientInt(day.substr(0, first)),
                                  ParseLenientInt(day.substr(first + 1, second - first - 1)),
                                  ParseLenientInt(day.substr(second + 1))};
}
}  // namespace

std::wstring FormatNoticeDay(int32_t year, int32_t month, int32_t day) {
    wchar_t text[40];
    std::swprintf(text, sizeof(text) / sizeof(text[0]), L"%04d-%02d-%02d", static_cast<int>(year),
                  static_cast<int>(month), static_cast<int>(day));
    return text;
}

bool IsPastLastDay(const std::wstring& lastDay, const std::wstring& today) {
    const auto last = SplitDay(lastDay);
    const auto now = SplitDay(today);
    if (!last || !now) return true;
    return *now > *last;  // lexicographic: year, then month, then day
}
