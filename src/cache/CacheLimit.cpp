// The browser's cache size limit, set at each start of the launcher.
#include <windows.h>

#include "cache/CacheCleaner.h"
#include "cache/CacheRules.h"
#include "framework/Handles.h"

namespace {
const wchar_t kContentCacheKey[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\5.0\\Cache\\Content";
}  // namespace

bool SetCacheLimit() {
    HKEY raw = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, kContentCacheKey, 0, KEY_ALL_ACCESS, &raw) != ERROR_SUCCESS) return false;
    fw::RegKey key(raw);
    const DWORD limit = kCacheLimitKilobytes;
    if (::RegSetValueExW(key.get(), L"CacheLimit", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&limit),
                         sizeof(limit)) != ERROR_SUCCESS)
        return false;
    return ::RegCloseKey(key.release()) == ERROR_SUCCESS;
}
