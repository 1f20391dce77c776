#include "cache/CacheRules.h"

#include "cache/TreeRules.h"

bool IsKeptUrlCacheEntry(uint32_t entryType) { return (entryType & kCookieCacheEntry) != 0; }

std::optional<std::wstring> FlashSharedObjectsFolder(const std::wstring& appDataFolder) {
    return JoinPath(appDataFolder, L"Macromedia\\Flash Player\\#SharedObjects");
}
