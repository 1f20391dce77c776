#include "ServerFaults.h"

#include <cstdio>

#include "base/BuildConfig.h"
#include "net/HttpClient.h"
#include "PortalClient.h"

namespace wintest {

namespace {
const wchar_t kBody[] = L"%BODY%";
}  // namespace

const std::vector<ServerFault>& ServerFaults() {
    static const std::vector<ServerFault> faults = {
        // The client waits for the real answer after a "100 Continue"; none comes.
        {"status 100, then silence", L"status=100&%BODY%", Framing::Broken, buildcfg::kHttpReceiveTimeoutMs, true},
        {"status 199", L"status=199&%BODY%", Framing::Broken, 0, false},
        {"status 204, no body", L"status=204&body=", Framing::Deceptive, 0, false},
        {"status 301 without Location", L"status=301&%BODY%", Framing::Broken, 0, false},
        {"status 302 to a missing page", L"status=302&header=Location:%20/fault-nowhere.htm&%BODY%",
         Framing::Broken, 0, false},
        {"status 302 in a loop", L"status=302&header=Location:%20/fault-loop.htm&%BODY%", Framing::Broken, 0, false},
        {"status 404", L"status=404&%BODY%", Framing::Broken, 0, false},
        {"status 500", L"status=500&%BODY%", Framing::Broken, 0, false},
        {"status 503 with Retry-After", L"status=503&header=Retry-After:%201&%BODY%", Framing::Broken, 0, false},
        {"status 999", L"status=999&%BODY%", Framing::Broken, 0, false},
        {"no Content-Length", L"mode=nolength&%BODY%", Framing::Broken, 0, false},
        {"Content-Length 100 too long", L"mode=wronglength&extra=100&%BODY%", Framing::Broken, 0, false},
        {"Content-Length 20 too short", L"mode=wronglength&extra=-20&%BODY%", Framing::Deceptive, 0, false},
        {"chunked", L"mode=chunked&chunk=7&%BODY%", Framing::Broken, 0, false},
        {"truncated body", L"mode=short&%BODY%", Framing::Broken, 0, false},
        {"dropped connection", L"mode=drop", Framing::Broken, 0, false},
        {"1.5 s before the answer", L"wait_ms=1500&%BODY%", Framing::Sound, 1500, false},
        {"64 KB header line", L"header_bytes=65536&%BODY%", Framing::Sound, 0, false},
        {"5000 headers", L"header_count=5000&%BODY%", Framing::Sound, 0, false},
        {"4 KB of binary garbage", L"garbage=4096", Framing::Deceptive, 0, false},
        // Never quiet long enough for a read time-out, never done: only the
        // whole exchange's deadline (the longest is the configuration's) ends it.
        {"a byte every 300 ms, head and body", L"mode=drip&delay_ms=300&%BODY%", Framing::Broken,
         buildcfg::kConfigDeadlineMs, true},
        // A ping's closing reads the rest of the answer, and a download all of it.
        {"100 MB of binary garbage", L"garbage=104857600", Framing::Deceptive, 15000, true},
    };
    return faults;
}

std::wstring FaultRule(const ServerFault& fault, const std::wstring& body) {
    std::wstring rule = fault.rule;
    const size_t at = rule.find(kBody);
    if (at != std::wstring::npos) rule.replace(at, wcslen(kBody), body);
    return rule;
}

void InstallFaultHelpers() { PortalAnswer(L"/fault-loop.htm", L"status=302&header=Location:%20/fault-loop.htm"); }

void SettleConnections() { PortalControl(L"/__portal/count"); }

DWORD FaultBoundMs(const ServerFault& fault) { return fault.slowMs + 5000; }

void ReportFault(const char* kind, const ServerFault& fault, DWORD ms, const std::string& outcome) {
    std::printf("[fault] %-10s %-32s %6lu ms  %s\n", kind, fault.name, static_cast<unsigned long>(ms),
                outcome.c_str());
    std::fflush(stdout);
}

}  // namespace wintest
