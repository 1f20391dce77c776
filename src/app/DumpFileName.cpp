#include "app/DumpFileName.h"

std::wstring DumpPathFor(const std::wstring& exePath) {
    const size_t dot = exePath.rfind(L'.');
    if (dot == std::wstring::npos) return std::wstring();
    const size_t slash = exePath.find_last_of(L"\\/");
    if (slash != std::wstring::npos && slash > dot) return std::wstring();
    return exePath.substr(0, dot) + L".dmp";
}

std::wstring PlayerDumpPathFor(const std::wstring& localAppData, const std::wstring& exePath) {
    const std::wstring beside = DumpPathFor(exePath);
    if (beside.empty() || localAppData.empty()) return std::wstring();
    const size_t slash = beside.find_last_of(L"\\/");
    return localAppData + L"\\Korvel\\GameLogin\\" + (slash == std::wstring::npos ? beside : beside.substr(slash + 1));
}
