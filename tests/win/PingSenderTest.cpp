// The ping worker and the two events start-up waits on.
#include <gtest/gtest.h>

#include "net/PingSender.h"
#include "PortalClient.h"
#include "WinTestSupport.h"

using namespace wintest;

namespace {
struct Events {
    fw::KernelHandle taken{::CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    fw::KernelHandle done{::CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    PingSignals signals() const { return {taken.get(), done.get()}; }
};

bool IsSet(const fw::KernelHandle& event) { return ::WaitForSingleObject(event.get(), 0) == WAIT_OBJECT_0; }
}  // namespace

TEST(PingSender, TheCallerMayDropItsAddressAtOnceAndTheDoneEventFollows) {
    PortalSession portal;
    PortalAnswer(L"/active.htm", L"wait_ms=700");
    Events events;
    {
        std::wstring address = PortalUrl(L"/active.htm?tag=zuva&ver=3.0.0.1&count=7");
        SendPing(address, events.signals());
        address.assign(address.size(), L'x');  // the worker has its own copy
    }
    EXPECT_FALSE(IsSet(events.taken)) << "reset for the next ping";
    EXPECT_FALSE(IsSet(events.done)) << "the answer is still on its way";
    ASSERT_EQ(::WaitForSingleObject(events.done.get(), 10000), WAIT_OBJECT_0);
    EXPECT_EQ(PortalLog(L"/active.htm").rfind("GET /active.htm?tag=zuva&ver=3.0.0.1&count=7 HTTP/1.1\r\n", 0), 0u);
}

TEST(PingSender, AFailedPingStillSetsTheDoneEvent) {
    PortalSession portal;
    Events events;
    PortalAnswer(L"/uninstall.htm", L"mode=drop");
    SendPing(PortalUrl(L"/uninstall.htm?count=1"), events.signals());
    EXPECT_EQ(::WaitForSingleObject(events.done.get(), 10000), WAIT_OBJECT_0);
    ::ResetEvent(events.done.get());
    // Not even an address the client would send.
    SendPing(L"ftp://127.0.0.1/x", events.signals());
    EXPECT_EQ(::WaitForSingleObject(events.done.get(), 10000), WAIT_OBJECT_0);
    EXPECT_FALSE(IsSet(events.taken));
}

TEST(PingSender, AWorkerOutlivesTheApplicationsEvents) {
    PortalSession portal;
    PortalAnswer(L"/active.htm", L"wait_ms=500");
    {
        Events events;
        SendPing(PortalUrl(L"/active.htm?late=1"), events.signals());
        // The application closes its events at exit while the request runs.
    }
    // New events may take the old handles' values.
    Events successors;
    ::Sleep(1500);
    EXPECT_FALSE(IsSet(successors.taken));
    EXPECT_FALSE(IsSet(successors.done)) << "the worker signalled its own copy, not whatever took its place";
    EXPECT_EQ(PortalCount(L"/active.htm"), 1);
}
