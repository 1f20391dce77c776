#pragma once
// UTF-8 bytes from outside (page scripts, percent-decoded login texts) as
// the wide strings the launcher works in.
#include <string>
#include <string_view>

namespace text {

// Decodes UTF-8 into wide characters (UTF-16 where wchar_t has 16 bits).
// A leading byte-order mark is skipped. Every byte that starts no valid
// sequence (stray continuation bytes, overlong forms, surrogates, values
// past U+10FFFF, cut-off sequences) becomes one U+FFFD, and so does a NUL,
// so that no text ends early when handed to a C string function.
std::wstring DecodeUtf8(std::string_view bytes);

}  // namespace text
