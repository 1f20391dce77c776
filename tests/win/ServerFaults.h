#pragma once
// Every way the portal can answer wrongly, as answer rules for the test
// portal, and the per-fault duration lines the fault tests print.
#include <windows.h>

#include <string>
#include <vector>

namespace wintest {

// What an HTTP client can know about an answer.
enum class Framing {
    Broken,     // a wrong status or framing the client can see: never to be taken
    Sound,      // the real body, correctly framed (late or with odd headers): taking it is right
    Deceptive,  // looks whole but is not the real body (a short promise, garbage of the announced length)
};

struct ServerFault {
    const char* name;
    // Answer parameters. "%BODY%" is replaced by the request's usual body
    // parameter (e.g. "file=NewBuild.exe"); rules without it bring their own.
    std::wstring rule;
    Framing framing;
    DWORD slowMs;  // how long the portal (or the client's receive time-out) deliberately takes
    // Costs its seconds in every use. Every request goes through the same
    // client code, so tables after the pings and start-up may leave it out.
    bool costly;
};

// The whole table: each status class, every framing fault, slowness, a
// dropped connection, a 100 MB body, binary garbage and overlong headers.
const std::vector<ServerFault>& ServerFaults();

// The answer rule of `fault` for a request whose usual body is `body`.
std::wstring FaultRule(const ServerFault& fault, const std::wstring& body);

// Installs the answer rules some faults lean on (where a redirect leads);
// call after each PortalClear.
void InstallFaultHelpers();

// WinINet may hand the next request of this process a pooled connection on
// which a short promise left bytes; one throwaway request takes it away, so
// that the portal's counts are read truly.
void SettleConnections();

// The longest a request may take under a fault: what the fault deliberately
// costs and a margin for the rest.
DWORD FaultBoundMs(const ServerFault& fault);

// One "[fault] kind  name  ms  outcome" line on stdout.
void ReportFault(const char* kind, const ServerFault& fault, DWORD ms, const std::string& outcome);

}  // namespace wintest
