#include "net/UsagePings.h"

#include "base/ProgramVersion.h"

const wchar_t* UsageCounterKey(UsageEvent event) {
    switch (event) {
    case UsageEvent::Install: return L"Inst";
    case UsageEvent::PortalHome: return L"Korvel";
    case UsageEvent::GameStart: return L"Game";
    case UsageEvent::Uninstall: return L"UnInst";
    }
    return L"";
}

namespace {
// Path and query up to the version; the portal tells the portal-home start
// from a game start by its tag.
const wchar_t* PingPathOf(UsageEvent event) {
    switch (event) {
    case UsageEvent::Install: return L"/install.htm?tag=zuva&ver=";
    case UsageEvent::PortalHome: return L"/active.htm?tag=webKorvel&ver=";
    case UsageEvent::GameStart: return L"/active.htm?tag=zuva&ver=";
    case UsageEvent::Uninstall: return L"/uninstall.htm?tag=zuva&ver=";
    }
    return L"";
}
}  // namespace

std::wstring PingBaseAddress(UsageEvent event, const std::wstring& serviceHost) {
    return L"http://" + serviceHost + PingPathOf(event) + kProgramVersion;
}

std::wstring PingAddress(UsageEvent event, const std::wstring& serviceHost, uint32_t count) {
    return PingBaseAddress(event, serviceHost) + L"&count=" + std::to_wstring(count);
}
