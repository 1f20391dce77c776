#include "framework/InternetFunctions.h"

#include <optional>

#include "framework/SystemLibrary.h"

namespace fw {

namespace {

std::optional<InternetFunctions> LoadInternet() {
    // Never freed: a request thread that its caller gave up on may still be
    // inside WinINet when the process ends.
    const HMODULE module = LoadSystemLibrary(L"wininet.dll");
    InternetFunctions f{};
    const bool found = module && FindFunction(module, "InternetOpenW", f.InternetOpenW) &&
                       FindFunction(module, "InternetConnectW", f.InternetConnectW) &&
                       FindFunction(module, "InternetSetOptionW", f.InternetSetOptionW) &&
                       FindFunction(module, "HttpOpenRequestW", f.HttpOpenRequestW) &&
                       FindFunction(module, "HttpSendRequestW", f.HttpSendRequestW) &&
                       FindFunction(module, "HttpQueryInfoW", f.HttpQueryInfoW) &&
                       FindFunction(module, "InternetReadFile", f.InternetReadFile) &&
                       FindFunction(module, "InternetSetFilePointer", f.InternetSetFilePointer) &&
                       FindFunction(module, "InternetCloseHandle", f.InternetCloseHandle) &&
                       FindFunction(module, "FindFirstUrlCacheEntryW", f.FindFirstUrlCacheEntryW) &&
                       FindFunction(module, "FindNextUrlCacheEntryW", f.FindNextUrlCacheEntryW) &&
                       FindFunction(module, "DeleteUrlCacheEntryW", f.DeleteUrlCacheEntryW) &&
                       FindFunction(module, "FindCloseUrlCache", f.FindCloseUrlCache);
    if (!found) return std::nullopt;
    return f;
}

}  // namespace

const InternetFunctions* Internet() {
    // Made by the first caller (any others wait for it) and unchanged after:
    // process-wide, as the library itself is.
    static const std::optional<InternetFunctions> functions = LoadInternet();
    return functions ? &*functions : nullptr;
}

void CloseInternetHandle(HINTERNET handle) {
    if (const InternetFunctions* inet = Internet()) inet->InternetCloseHandle(handle);
}

void CloseUrlCacheFind(HANDLE find) {
    if (const InternetFunctions* inet = Internet()) inet->FindCloseUrlCache(find);
}

}  // namespace fw
