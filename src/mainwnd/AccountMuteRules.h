#pragma once
// Muting one account beside the window-wide mute: the value each page is
// told, and how many muted accounts section "ZuvaMuted" of Statistic.ini
// remembers (AccountEntries.h), so that the next login of the same account
// on the same server starts muted.
#include <cstddef>

// The mute flag a page is posted: muted when the window is, or its account.
int PageMuteValue(int windowMute, bool accountMuted);

// So many muted accounts are remembered at most.
constexpr size_t kMaxMutedAccounts = 200;
