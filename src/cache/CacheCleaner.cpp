#include "cache/CacheCleaner.h"

#include <windows.h>
#include <shlobj.h>

#include <memory>
#include <optional>
#include <string>

#include "cache/CacheRules.h"
#include "cache/DeleteTree.h"
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

DWORD WINAPI CacheClearingWorker(LPVOID) {
    ClearBrowserCache();
    return 0;
}
}  // namespace

void StartCacheClearing() {
    // The worker needs nothing from here, and nobody waits for it.
    fw::KernelHandle worker(::CreateThread(nullptr, 0, &CacheClearingWorker, nullptr, 0, nullptr));
    worker.reset();
    ShowMessageBox(kBoxOk, L"缓存清除完毕！", nullptr);
}

void ClearBrowserCache() {
    ClearFlashSharedObjects();
    ClearUrlCache();
}

void ClearFlashSharedObjects() {
    const std::optional<std::wstring> appData = RoamingAppDataFolder();
    if (!appData) return;
    if (const std::optional<std::wstring> folder = FlashSharedObjectsFolder(*appData)) DeleteTree(*folder);
}
