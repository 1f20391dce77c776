#pragma once
// Text in an ANSI code page, for files and APIs that read no UTF-16.
#include <optional>
#include <string>

// `text` in `codePage`; characters the code page cannot spell become its
// default character.
std::string ToCodePage(const std::wstring& text, unsigned codePage);

// `text` in `codePage` only when every character has an exact spelling there
// (no default character, no best-fit look-alike); nothing otherwise.
std::optional<std::string> ToCodePageExactly(const std::wstring& text, unsigned codePage);
