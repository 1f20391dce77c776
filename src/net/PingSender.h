#pragma once
// Usage pings: each request runs on a short-lived worker thread so that
// start-up only waits as long as it chooses to.
#include <windows.h>

#include <cstdint>
#include <string>

#include "net/UsagePings.h"

// The application's two manual-reset events. The worker sets `taken` once it
// has its own copy of the address and `done` once the request is over,
// whether or not it was sent.
struct PingSignals {
    HANDLE taken;
    HANDLE done;
};

// Hands the address to a new worker, waits until it has taken the address,
// resets `taken` and returns; the request runs on. When no worker can be
// started, `done` is set at once so that no one waits for a request that
// never comes.
void SendPing(const std::wstring& address, const PingSignals& signals);

// Adds one to the event's counter, then sends its ping with the new value
// (the count goes up whatever becomes of the ping). Returns the new value.
uint32_t CountAndSendPing(UsageEvent event, const PingSignals& signals);
