#include "engine/scripted/CssColour.h"

#include <string>

namespace scripted {

namespace {

struct NamedColour {
    const wchar_t* name;
    uint32_t rgb;
};

constexpr NamedColour kNames[] = {
    {L"black", 0x000000}, {L"silver", 0xC0C0C0}, {L"gray", 0x808080},   {L"grey", 0x808080},
    {L"white", 0xFFFFFF}, {L"maroon", 0x800000}, {L"red", 0xFF0000},    {L"purple", 0x800080},
    {L"fuchsia", 0xFF00FF}, {L"green", 0x008000}, {L"lime", 0x00FF00},  {L"olive", 0x808000},
    {L"yellow", 0xFFFF00}, {L"navy", 0x000080},  {L"blue", 0x0000FF},   {L"teal", 0x008080},
    {L"aqua", 0x00FFFF},  {L"orange", 0xFFA500},
};

int HexDigit(wchar_t c) {
    if (c >= L'0' && c <= L'9') return c - L'0';
    if (c >= L'a' && c <= L'f') return c - L'a' + 10;
    if (c >= L'A' && c <= L'F') return c - L'A' + 10;
    return -1;
}

std::optional<uint32_t> ParseHex(std::wstring_view digits) {
    if (digits.size() != 3 && digits.size() != 6) return std::nullopt;
    uint32_t value = 0;
    for (wchar_t c : digits) {
        const int d = HexDigit(c);
        if (d < 0) return std::nullopt;
        value = value << 4 | static_cast<uint32_t>(d);
        if (digits.size() == 3) value = value << 4 | static_cast<uint32_t>(d);  // "#abc" is "#aabbcc"
    }
    return value;
}

// "r, g, b" with blanks anywhere between the parts.
std::optional<uint32_t> ParseRgbArguments(std::wstring_view args) {
    uint32_t value = 0;
    size_t i = 0;
    for (int part = 0; part < 3; ++part) {
        while (i < args.size() && args[i] == L' ') ++i;
        uint32_t number = 0;
        size_t digits = 0;
        while (i < args.size() && args[i] >= L'0' && args[i] <= L'9') {
            number = number * 10 + static_cast<uint32_t>(args[i++] - L'0');
            if (++digits > 3 || number > 255) return std::nullopt;
        }
        if (digits == 0) return std::nullopt;
        while (i < args.size() && args[i] == L' ') ++i;
        if (part < 2 && (i >= args.size() || args[i++] != L',')) return std::nullopt;
        value = value << 8 | number;
    }
    if (i != args.size()) return std::nullopt;
    return value;
}

}  // namespace

std::optional<uint32_t> ParseCssColour(std::wstring_view text) {
    if (text.empty()) return std::nullopt;
    if (text[0] == L'#') return ParseHex(text.substr(1));
    std::wstring lower;
    for (wchar_t c : text) lower += (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c - L'A' + L'a') : c;
    if (lower.size() > 5 && lower.compare(0, 4, L"rgb(") == 0 && lower.back() == L')')
        return ParseRgbArguments(std::wstring_view(lower).substr(4, lower.size() - 5));
    for (const NamedColour& named : kNames) {
        if (lower == named.name) return named.rgb;
    }
    return std::nullopt;
}

}  // namespace scripted
