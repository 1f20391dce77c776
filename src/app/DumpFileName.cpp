#include "app/DumpFileName.h"

std::wstring DumpPathFor(const std::wstring& exePath) {
    const size_t dot = exePath.rfind(L'.');
    if (dot == std::wstring::npos) return std::wstring();
    const size_t slash = exePath.find_last_of(L"\\/");
    if (slash != std::wstring::npos && slash > dot) return std::wstring();
    return exePath.substr(0, dot) + L".dmp";
}
