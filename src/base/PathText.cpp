#include "base/PathText.h"

const wchar_t kDataSubfolder[] = L"\\Korvel\\GameLogin";

std::wstring FolderOfPath(const std::wstring& path) {
    const size_t slash = path.rfind(L'\\');
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

std::wstring CommandLineProgram(const std::wstring& exePath) {
    if (exePath.find_first_of(L" \t") == std::wstring::npos) return exePath;
    return L"\"" + exePath + L"\"";
}

std::wstring EightHexDigits(uint32_t number) {
    const wchar_t digits[] = L"0123456789ABCDEF";
    std::wstring text;
    for (int shift = 28; shift >= 0; shift -= 4) text += digits[(number >> shift) & 0xF];
    return text;
}
