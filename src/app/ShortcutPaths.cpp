#include "app/ShortcutPaths.h"

const wchar_t kGameLinkName[] = L"KorvelFerrowind极速登录器";
const wchar_t kUninstallLinkName[] = L"卸载 KorvelFerrowind极速登录器";
const wchar_t kPortalGamesLinkName[] = L"Korvel网页游戏";
const wchar_t kStartMenuFolderName[] = L"Korvel登录器";
const wchar_t kShortcutSwitch[] = L"/ZuvaD";
const wchar_t kUninstallSwitch[] = L"/uninst";

namespace {
std::wstring WithinLimit(std::wstring path) {
    return path.size() <= kMaxPathChars ? path : std::wstring();
}
}  // namespace

std::wstring LinkPathIn(const std::wstring& folder, const std::wstring& name) {
    if (folder.empty() || name.empty()) return std::wstring();
    return WithinLimit(folder + L"\\" + name + L".lnk");
}

std::wstring StartMenuFolderIn(const std::wstring& commonPrograms) {
    if (commonPrograms.empty()) return std::wstring();
    return WithinLimit(commonPrograms + L"\\" + kStartMenuFolderName);
}

std::wstring LegacyUserDesktopLink(const std::wstring& userDocuments, const std::wstring& commonDesktop) {
    const size_t profileEnd = userDocuments.rfind(L'\\');
    const size_t desktopName = commonDesktop.rfind(L'\\');
    if (profileEnd == std::wstring::npos || desktopName == std::wstring::npos) return std::wstring();
    return WithinLimit(userDocuments.substr(0, profileEnd) + commonDesktop.substr(desktopName) + L"\\" +
                       kGameLinkName + L".lnk");
}
