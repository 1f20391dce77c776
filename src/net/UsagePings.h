#pragma once
// The four usage counters and the ping addresses that report them to the
// client-service host.
#include <cstdint>
#include <string>

enum class UsageEvent {
    Install,     // an installation run
    PortalHome,  // a start that opens the portal's home page
    GameStart,   // a start from a shortcut or of the installed copy
    Uninstall,   // a confirmed uninstallation
};

// The Statistic.ini key that counts the event: "Inst", "Korvel", "Game", "UnInst".
const wchar_t* UsageCounterKey(UsageEvent event);

// The ping address without its count, e.g.
// "http://<host>/install.htm?tag=zuva&ver=3.0.0.1".
std::wstring PingBaseAddress(UsageEvent event, const std::wstring& serviceHost);

// The address the ping requests: the base, "&count=" and the new counter value.
std::wstring PingAddress(UsageEvent event, const std::wstring& serviceHost, uint32_t count);
