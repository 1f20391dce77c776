#include "base/BrowserAddress.h"

namespace {
bool StartsWithIgnoringCase(const std::wstring& text, const std::wstring& lowerPrefix) {
    if (text.size() <= lowerPrefix.size()) return false;
    for (size_t i = 0; i < lowerPrefix.size(); ++i) {
        const wchar_t c = text[i] >= L'A' && text[i] <= L'Z' ? static_cast<wchar_t>(text[i] + 32) : text[i];
        if (c != lowerPrefix[i]) return false;
    }
    return true;
}
}  // namespace

bool IsBrowserAddress(const std::wstring& address) {
    if (!StartsWithIgnoringCase(address, L"http://") && !StartsWithIgnoringCase(address, L"https://")) return false;
    for (wchar_t c : address)
        if (c <= L' ' || c == L'"' || c == 0x7F) return false;
    return true;
}
