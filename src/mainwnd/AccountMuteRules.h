#pragma once
// Muting one account beside the window-wide mute: the value each page is
// told. Which accounts are muted is remembered in accounts/MutedAccounts.h.

// The mute flag a page is posted: muted when the window is, or its account.
int PageMuteValue(int windowMute, bool accountMuted);
