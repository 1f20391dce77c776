// The browser's URL cache and its temporary internet files folder.
#include <windows.h>
#include <shlobj.h>
#include <wininet.h>

#include <vector>

#include "cache/CacheCleaner.h"
#include "cache/CacheRules.h"
#include "cache/DeleteTree.h"
#include "framework/Handles.h"

namespace {
static_assert(kCookieCacheEntry == COOKIE_CACHE_ENTRY);

// Room for one entry as the enumeration asked for it; DWORD elements keep
// the entry's fields aligned.
class EntryBuffer {
public:
    explicit EntryBuffer(DWORD bytes) : m_words((bytes + sizeof(DWORD) - 1) / sizeof(DWORD)), m_bytes(bytes) {}
    INTERNET_CACHE_ENTRY_INFOW* entry() { return reinterpret_cast<INTERNET_CACHE_ENTRY_INFOW*>(m_words.data()); }
    DWORD* size() { return &m_bytes; }
    bool HoldsAnEntry() const { return m_bytes >= sizeof(INTERNET_CACHE_ENTRY_INFOW); }

private:
    std::vector<DWORD> m_words;
    DWORD m_bytes;
};

// The size the next entry needs, asked with no buffer; nothing when there is
// no next entry.
bool AskFirstSize(DWORD& bytes) {
    bytes = 0;
    return !::FindFirstUrlCacheEntryW(nullptr, nullptr, &bytes) && ::GetLastError() == ERROR_INSUFFICIENT_BUFFER;
}
bool AskNextSize(HANDLE find, DWORD& bytes) {
    bytes = 0;
    return !::FindNextUrlCacheEntryW(find, nullptr, &bytes) && ::GetLastError() == ERROR_INSUFFICIENT_BUFFER;
}

void DeleteUnlessKept(const INTERNET_CACHE_ENTRY_INFOW& entry) {
    if (IsKeptUrlCacheEntry(entry.CacheEntryType) || !entry.lpszSourceUrlName) return;
    ::DeleteUrlCacheEntryW(entry.lpszSourceUrlName);
}

void DeleteUrlCacheEntries() {
    DWORD bytes = 0;
    if (!AskFirstSize(bytes)) return;
    EntryBuffer buffer(bytes);
    if (!buffer.HoldsAnEntry()) return;
    fw::UrlCacheFind find(::FindFirstUrlCacheEntryW(nullptr, buffer.entry(), buffer.size()));
    if (!find) return;
    for (;;) {
        DeleteUnlessKept(*buffer.entry());
        if (!AskNextSize(find.get(), bytes)) return;
        buffer = EntryBuffer(bytes);
        if (!buffer.HoldsAnEntry() || !::FindNextUrlCacheEntryW(find.get(), buffer.entry(), buffer.size())) return;
    }
}
}  // namespace

void ClearUrlCache() {
    DeleteUrlCacheEntries();
    wchar_t folder[MAX_PATH] = {};
    if (::SHGetSpecialFolderPathW(nullptr, folder, CSIDL_INTERNET_CACHE, FALSE)) DeleteTree(folder);
}
