#pragma once
// The WinINet functions the launcher calls, found in System32's copy by the
// first caller of a process. Linked, WinINet would be loaded into every
// process at its start from wherever the system looks first, and a page
// process of the browser control never asks for it.
#include <windows.h>
#include <wininet.h>

namespace fw {

struct InternetFunctions {
    decltype(&::InternetOpenW) InternetOpenW;
    decltype(&::InternetConnectW) InternetConnectW;
    decltype(&::InternetSetOptionW) InternetSetOptionW;
    decltype(&::HttpOpenRequestW) HttpOpenRequestW;
    decltype(&::HttpSendRequestW) HttpSendRequestW;
    decltype(&::HttpQueryInfoW) HttpQueryInfoW;
    decltype(&::InternetReadFile) InternetReadFile;
    decltype(&::InternetSetFilePointer) InternetSetFilePointer;
    decltype(&::InternetCloseHandle) InternetCloseHandle;
    decltype(&::FindFirstUrlCacheEntryW) FindFirstUrlCacheEntryW;
    decltype(&::FindNextUrlCacheEntryW) FindNextUrlCacheEntryW;
    decltype(&::DeleteUrlCacheEntryW) DeleteUrlCacheEntryW;
    decltype(&::FindCloseUrlCache) FindCloseUrlCache;
};

// The process's table, with every function found; null when WinINet or one
// of them is missing, and then the caller fails as it would offline.
const InternetFunctions* Internet();

// For the handle owners: a handle exists only where the table does.
void CloseInternetHandle(HINTERNET handle);
void CloseUrlCacheFind(HANDLE find);

}  // namespace fw
