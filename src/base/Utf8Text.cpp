#include "base/Utf8Text.h"

#include <cstdint>

namespace text {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

void Append(std::wstring& out, char32_t cp) {
    if (sizeof(wchar_t) == 2 && cp > 0xFFFF) {
        cp -= 0x10000;
        out += static_cast<wchar_t>(0xD800 + (cp >> 10));
        out += static_cast<wchar_t>(0xDC00 + (cp & 0x3FF));
    } else {
        out += static_cast<wchar_t>(cp);
    }
}

bool IsContinuation(unsigned char b) { return (b & 0xC0) == 0x80; }

// The code point of the sequence at bytes[i], and its length; length 0 when
// the bytes there form no valid sequence.
char32_t DecodeOne(std::string_view bytes, size_t i, size_t* length) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    size_t need = 0;
    char32_t cp = 0, minimum = 0;
    if (lead < 0x80) {
        *length = 1;
        return lead;
    } else if ((lead & 0xE0) == 0xC0) {
        need = 1, cp = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        need = 2, cp = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        need = 3, cp = lead & 0x07, minimum = 0x10000;
    } else {
        *length = 0;
        return 0;
    }
    if (bytes.size() - i <= need) {
        *length = 0;
        return 0;
    }
    for (size_t k = 1; k <= need; ++k) {
        const auto b = static_cast<unsigned char>(bytes[i + k]);
        if (!IsContinuation(b)) {
            *length = 0;
            return 0;
        }
        cp = (cp << 6) | (b & 0x3F);
    }
    const bool valid = cp >= minimum && cp <= 0x10FFFF && !(cp >= 0xD800 && cp <= 0xDFFF);
    *length = valid ? need + 1 : 0;
    return cp;
}

}  // namespace

std::wstring DecodeUtf8(std::string_view bytes) {
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
    std::wstring out;
    out.reserve(bytes.size());
    for (size_t i = 0; i < bytes.size();) {
        size_t length = 0;
        const char32_t cp = DecodeOne(bytes, i, &length);
        if (length == 0 || cp == 0) {
            Append(out, kReplacement);
            ++i;
        } else {
            Append(out, cp);
            i += length;
        }
    }
    return out;
}

}  // namespace text
