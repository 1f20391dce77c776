#pragma once
// The Windows-side tests' line to the test portal: what it received, and how
// it is to answer the next requests.
#include <string>

namespace wintest {

// "http://127.0.0.1:<port>" + path.
std::wstring PortalUrl(const std::wstring& path);
// The portal's root folder as a Windows path (files placed there are served).
std::wstring PortalRoot();

// A control request ("/__portal/..."), answered with its body; empty on failure.
std::string PortalControl(const std::wstring& pathAndQuery);
void PortalClear();
// Installs an answer rule, e.g. PortalAnswer(L"/x", L"status=500&body=oops").
void PortalAnswer(const std::wstring& path, const std::wstring& query);
// The raw request heads the portal received for `path`.
std::string PortalLog(const std::wstring& path);
int PortalCount(const std::wstring& path);

// Clears the portal's log and rules when it is created and when it goes.
struct PortalSession {
    PortalSession() { PortalClear(); }
    ~PortalSession() { PortalClear(); }
};

}  // namespace wintest
