#pragma once
// What the cache cleaner keeps and where it looks, without the platform.
#include <cstdint>
#include <optional>
#include <string>

// The URL-cache entry type bit of cookies (the platform's value). Cookies keep
// the player's logins, so they survive a clearing.
constexpr uint32_t kCookieCacheEntry = 0x00100000;
bool IsKeptUrlCacheEntry(uint32_t entryType);

// The Flash player's shared objects below the roaming application-data
// folder; nothing when the path would not fit a path buffer.
std::optional<std::wstring> FlashSharedObjectsFolder(const std::wstring& appDataFolder);

// The browser's cache size limit, in kilobytes.
constexpr uint32_t kCacheLimitKilobytes = 0x100000;
