// The browser's URL cache and its temporary internet files folder.
#include <windows.h>
#include <shlobj.h>

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
bool AskFirstSize(const fw::InternetFunctions& inet, DWORD& bytes) {
    bytes = 0;
    return !inet.FindFirstUrlCacheEntryW(nullptr, nullptr, &bytes) && ::GetLastError() == ERROR_INSUFFICIENT_BUFFER;
}
bool AskNextSize(const fw::InternetFunctions& inet, HANDLE find, DWORD& bytes) {
    bytes = 0;
    return !inet.FindNextUrlCacheEntryW(find, nullptr, &bytes) && ::GetLastError() == ERROR_INSUFFICIENT_BUFFER;
}

void DeleteUnlessKept(const fw::InternetFunctions& inet, const INTERNET_CACHE_ENTRY_INFOW& entry) {
    if (IsKeptUrlCacheEntry(entry.CacheEntryType) || !entry.lpszSourceUrlName) return;
    inet.DeleteUrlCacheEntryW(entry.lpszSourceUrlName);
}

void DeleteUrlCacheEntries() {
    const fw::InternetFunctions* inet = fw::Internet();
    DWORD bytes = 0;
    if (!inet || !AskFirstSize(*inet, bytes)) return;
    EntryBuffer buffer(bytes);
    if (!buffer.HoldsAnEntry()) return;
    fw::UrlCacheFind find(inet->FindFirstUrlCacheEntryW(nullptr, buffer.entry(), buffer.size()));
    if (!find) return;
    for (;;) {
        DeleteUnlessKept(*inet, *buffer.entry());
        if (!AskNextSize(*inet, find.get(), bytes)) return;
        buffer = EntryBuffer(bytes);
        if (!buffer.HoldsAnEntry() || !inet->FindNextUrlCacheEntryW(find.get(), buffer.entry(), buffer.size()))
            return;
    }
}
}  // namespace

void ClearUrlCache() {
    DeleteUrlCacheEntries();
    wchar_t folder[MAX_PATH] = {};
    if (::SHGetSpecialFolderPathW(nullptr, folder, CSIDL_INTERNET_CACHE, FALSE)) DeleteTree(folder);
}
