#include "engine/scripted/PageLook.h"

#include <cstdio>

namespace scripted {

namespace {

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\n' || c == L'\r' || c == L'\f'; }

std::wstring Hex8(unsigned long value) {
    char text[16];
    std::snprintf(text, sizeof(text), "0x%08lX", value & 0xFFFFFFFFul);
    return std::wstring(text, text + std::char_traits<char>::length(text));
}

}  // namespace

int ShownSpriteFrame(long backgroundX, int width) {
    if (width <= 0) return 0;
    const long long shift = -static_cast<long long>(backgroundX);
    long long frame = shift / width;
    if (shift % width != 0 && shift < 0) --frame;  // round down, not towards zero
    return static_cast<int>(frame);
}

bool HasClass(std::wstring_view classAttribute, std::wstring_view name) {
    size_t i = 0;
    while (i < classAttribute.size()) {
        while (i < classAttribute.size() && IsBlank(classAttribute[i])) ++i;
        size_t end = i;
        while (end < classAttribute.size() && !IsBlank(classAttribute[end])) ++end;
        if (end > i && classAttribute.substr(i, end - i) == name) return true;
        i = end;
    }
    return false;
}

uint32_t FrameFill(int frame) {
    switch (frame) {
    case 0:
        return 0x3B7DD8;  // blue: at rest
    case 1:
        return 0xF0A030;  // amber: under the mouse
    case 2:
        return 0x2F9E44;  // green: pressed
    default:
        return 0x8E44AD;  // purple: any other frame stands out
    }
}

std::wstring ElementLabel(std::wstring_view id, std::wstring_view text) {
    return std::wstring(text.empty() ? id : text);
}

uint32_t InkOn(uint32_t fill) {
    const unsigned r = (fill >> 16) & 0xFF, g = (fill >> 8) & 0xFF, b = fill & 0xFF;
    // Perceived brightness: green counts most, blue least.
    const unsigned brightness = (299 * r + 587 * g + 114 * b) / 1000;
    return brightness < 140 ? 0xF5F7FA : 0x202428;
}

uint32_t MiddleColour(uint32_t a, uint32_t b) {
    uint32_t middle = 0;
    for (int shift = 0; shift <= 16; shift += 8)
        middle |= ((((a >> shift) & 0xFF) + ((b >> shift) & 0xFF)) / 2) << shift;
    return middle;
}

std::wstring StatusLine(const StatusFacts& facts) {
    std::wstring line;
    if (!facts.hasDocument) {
        line = L"(no page)";
    } else {
        line = facts.title.empty() ? L"(untitled)" : facts.title;
        line += L" \u2014 " + facts.url;
        line += L" | flags " + Hex8(facts.hostFlags);
        if (!facts.bodyScroll.empty()) line += L" | scroll=" + facts.bodyScroll;
    }
    if (!facts.loading.empty()) line += L" | loading " + facts.loading;
    return line;
}

}  // namespace scripted
