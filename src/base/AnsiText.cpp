#include "base/AnsiText.h"

#include <windows.h>

namespace {
// Both conversions: asked for the size first, then written. `lossy` (when
// given) tells whether some character had no spelling.
std::string Convert(const std::wstring& text, unsigned codePage, DWORD flags, BOOL* lossy) {
    if (text.empty()) return std::string();
    const int chars = static_cast<int>(text.size());
    const int bytes = ::WideCharToMultiByte(codePage, flags, text.data(), chars, nullptr, 0, nullptr, lossy);
    if (bytes <= 0) return std::string();
    std::string out(static_cast<size_t>(bytes), '\0');
    ::WideCharToMultiByte(codePage, flags, text.data(), chars, &out[0], bytes, nullptr, lossy);
    return out;
}
}  // namespace

std::string ToCodePage(const std::wstring& text, unsigned codePage) { return Convert(text, codePage, 0, nullptr); }

std::optional<std::string> ToCodePageExactly(const std::wstring& text, unsigned codePage) {
    BOOL lossy = FALSE;
    std::string out = Convert(text, codePage, WC_NO_BEST_FIT_CHARS, &lossy);
    if (lossy || out.empty() != text.empty()) return std::nullopt;
    return out;
}
