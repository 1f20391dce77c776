#pragma once
// The accounts a player muted on their own, remembered by tab caption in
// section "ZuvaMuted" of Statistic.ini beside the executable (format in
// AccountEntries.h). Shared by every instance; read when a page attaches,
// written when the player mutes or unmutes an account.
#include <cstddef>
#include <string>

// So many muted accounts are remembered at most.
constexpr size_t kMaxMutedAccounts = 200;

bool IsAccountRememberedMuted(const std::wstring& caption);
// Remembers `caption` as muted (the newest entry); the oldest entries go
// when there are more than the bound. A caption that cannot be stored is
// not remembered.
void RememberMutedAccount(const std::wstring& caption);
void ForgetMutedAccount(const std::wstring& caption);
