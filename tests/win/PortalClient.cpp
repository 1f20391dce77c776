#include "PortalClient.h"

#include <windows.h>
#include <wininet.h>

#include <cstdlib>

#include "framework/Handles.h"

namespace wintest {

namespace {

std::wstring WindowsPathOf(const char* unixPath) {
    std::wstring path = L"Z:";
    for (const char* p = unixPath; *p; ++p) path += *p == '/' ? L'\\' : static_cast<wchar_t>(*p);
    return path;
}
}  // namespace

std::wstring PortalUrl(const std::wstring& path) {
    return L"http://127.0.0.1:" + std::to_wstring(ZUVA_TEST_PORT) + path;
}

std::wstring PortalRoot() { return WindowsPathOf(ZUVA_PORTAL_ROOT); }

std::string PortalControl(const std::wstring& pathAndQuery) {
    fw::InternetHandle session(::InternetOpenW(L"ZuvaTests", INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0));
    if (!session) return std::string();
    fw::InternetHandle url(::InternetOpenUrlW(session.get(), PortalUrl(pathAndQuery).c_str(), nullptr, 0,
                                          INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE, 0));
    if (!url) return std::string();
    std::string body;
    char chunk[4096];
    DWORD got = 0;
    while (::InternetReadFile(url.get(), chunk, sizeof(chunk), &got) && got > 0) body.append(chunk, got);
    return body;
}

void PortalClear() { PortalControl(L"/__portal/clear"); }

void PortalAnswer(const std::wstring& path, const std::wstring& query) {
    PortalControl(L"/__portal/answer?path=" + path + (query.empty() ? L"" : L"&" + query));
}

std::string PortalLog(const std::wstring& path) { return PortalControl(L"/__portal/log?path=" + path); }

int PortalCount(const std::wstring& path) {
    return std::atoi(PortalControl(L"/__portal/count?path=" + path).c_str());
}

}  // namespace wintest
