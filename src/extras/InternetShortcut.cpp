#include "extras/InternetShortcut.h"

#include "base/PathText.h"

namespace {
bool IsPlainFileName(const std::wstring& name) {
    if (name.empty() || name == L"." || name == L"..") return false;
    for (wchar_t c : name)
        if (c < 32 || std::wstring(L"\\/:*?\"<>|").find(c) != std::wstring::npos) return false;
    return true;
}
}  // namespace

std::wstring InternetShortcutText(const std::wstring& url) {
    return L"[DEFAULT]\r\nBASEURL=" + url +
           L"\r\n[{000214A0-0000-0000-C000-000000000046}]\r\n=19,2\r\n[InternetShortcut]\r\nURL=" + url +
           L"\r\nIDList=\r\n";
}

std::wstring FavouriteFilePath(const std::wstring& folder, const std::wstring& name) {
    if (folder.empty() || !IsPlainFileName(name)) return std::wstring();
    std::wstring path = folder + L"\\" + name + L".url";
    return path.size() <= kMaxPathChars ? path : std::wstring();
}
