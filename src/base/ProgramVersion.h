#pragma once
// The launcher's version, as its version key and menu show it.

inline constexpr wchar_t kProgramVersion[] = L"3.0.0.1";
