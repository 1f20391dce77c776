#include "cache/CacheCleaner.h"

#include <windows.h>
#include <shlobj.h>

#include <memory>
#include <optional>
#include <string>

#include "cache/CacheRules.h"
#include "cache/DeleteTree.h"
#include "cache/TreeRules.h"
#include "base/HeldFolder.h"
#include "base/PathText.h"
#include "base/PlayerToken.h"
#include "framework/Handles.h"
#include "ui/MessageBox.h"

namespace {
// An item list from the shell, given back to the shell's allocator.
struct ShellItemListFree {
    fw::ComPtr<IMalloc> allocator;
    void operator()(ITEMIDLIST* list) const { allocator->Free(list); }
};
using ShellItemList = std::unique_ptr<ITEMIDLIST, ShellItemListFree>;

std::optional<std::wstring> RoamingAppDataFolder() {
    fw::ComPtr<IMalloc> allocator;
    if (FAILED(::SHGetMalloc(allocator.put())) || !allocator) return std::nullopt;
    ITEMIDLIST* raw = nullptr;
    if (FAILED(::SHGetSpecialFolderLocation(nullptr, CSIDL_APPDATA, &raw)) || !raw) return std::nullopt;
    const ShellItemList list(raw, ShellItemListFree{allocator});
    wchar_t path[MAX_PATH] = {};
    if (!::SHGetPathFromIDListW(list.get(), path)) return std::nullopt;
    return std::wstring(path);
}

}  // namespace

void StartCacheClearing(const std::wstring& launcherExe) {
    // With the player's rights: a link the player made among the caches
    // leads nowhere the player could not go already. Nobody waits for it.
    StartAsPlayer(CommandLineProgram(launcherExe) + L" /clearcache", IDLE_PRIORITY_CLASS, SW_HIDE);
    ShowMessageBox(kBoxOk, L"缓存清除完毕！", nullptr);
}

void ClearBrowserCache() {
    ClearFlashSharedObjects();
    ClearUrlCache();
}

void ClearFlashSharedObjects() {
    const std::optional<std::wstring> appData = RoamingAppDataFolder();
    if (!appData) return;
    // The player may keep the application data elsewhere through a link;
    // below it, a link in place of a folder leads nowhere: each folder is
    // entered as its parent's listing shows it, held, never by path.
    const HeldFolder roaming = HeldFolder::OpenWhereItLeads(*appData);
    const HeldFolder macromedia = roaming ? roaming.OpenExistingSubfolder(L"Macromedia") : HeldFolder();
    const HeldFolder player = macromedia ? macromedia.OpenExistingSubfolder(L"Flash Player") : HeldFolder();
    const std::optional<std::wstring> playerPath = JoinPath(*appData, L"Macromedia\\Flash Player");
    if (player && playerPath) DeleteTreeIn(player, *playerPath, L"#SharedObjects");
}
