// The four usage pings under every server fault: start-up gets its worker
// going at once, the request reaches the portal, and the worker reports the
// request over within WinINet's own time-outs, whatever comes back.
#include <gtest/gtest.h>

#include "base/BuildConfig.h"
#include "net/PingSender.h"
#include "net/UsagePings.h"
#include "PortalClient.h"
#include "ServerFaults.h"
#include "WinTestSupport.h"

using namespace wintest;

namespace {
struct PingKind {
    UsageEvent event;
    const wchar_t* path;
};
const PingKind kPings[] = {{UsageEvent::Install, L"/install.htm"},
                           {UsageEvent::PortalHome, L"/active.htm"},
                           {UsageEvent::GameStart, L"/active.htm"},
                           {UsageEvent::Uninstall, L"/uninstall.htm"}};
// Longer than this, and start-up would visibly wait on the answer.
const DWORD kHandOverMs = 1000;

// One ping's own pair of events, as each launcher process has.
struct PingEvents {
    fw::KernelHandle taken{::CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    fw::KernelHandle done{::CreateEventW(nullptr, TRUE, FALSE, nullptr)};
};
}  // namespace

TEST(PingFaults, EveryPingIsSentAndReportedOverWhateverTheAnswer) {
    for (const ServerFault& fault : ServerFaults()) {
        SCOPED_TRACE(fault.name);
        PortalSession portal;
        InstallFaultHelpers();
        for (const wchar_t* path : {L"/install.htm", L"/active.htm", L"/uninstall.htm"})
            PortalAnswer(path, FaultRule(fault, L"body=ok"));
        // The four at once, as four launcher processes could send them.
        PingEvents events[4];
        HANDLE done[4];
        const DWORD start = ::GetTickCount();
        for (size_t i = 0; i < 4; ++i) {
            const DWORD before = ::GetTickCount();
            SendPing(PingAddress(kPings[i].event, buildcfg::kServiceHost, 1),
                     PingSignals{events[i].taken.get(), events[i].done.get()});
            EXPECT_LT(::GetTickCount() - before, kHandOverMs) << "start-up goes on while the request runs";
            done[i] = events[i].done.get();
        }
        const bool over = ::WaitForMultipleObjects(4, done, TRUE, FaultBoundMs(fault)) == WAIT_OBJECT_0;
        const DWORD ms = ::GetTickCount() - start;
        ReportFault("pings", fault, ms, over ? "all four reported over" : "HUNG");
        EXPECT_TRUE(over) << ms << " ms";
        SettleConnections();
        // WinINet sends once more on a connection that ended without an answer.
        EXPECT_GE(PortalCount(L"/install.htm"), 1);
        EXPECT_GE(PortalCount(L"/active.htm"), 2);
        EXPECT_GE(PortalCount(L"/uninstall.htm"), 1);
    }
}
