#pragma once
// The zoom a player chose for one account's game page, in percent of the
// display's scale (engine/PageZoomSteps.h): how section "ZuvaZoom" of
// Statistic.ini remembers it (AccountEntries.h; an account at 100 % has no
// entry), so that the next login of the same account on the same server
// opens at it, and how its tab's tooltip tells it.
#include <cstddef>
#include <string>

// So many zoomed accounts are remembered at most.
constexpr size_t kMaxZoomedAccounts = 200;

// The value of an entry of "ZuvaZoom", and back: 100 % for anything that is
// not one of the zoom steps.
std::wstring ZoomEntryValue(int percent);
int ZoomOfEntryValue(const std::wstring& value);

// The tooltip of a tab: its whole caption, and the zoom when it is not 100 %,
// as "12服-青龙-lucky (125%)".
std::wstring TabTipText(const std::wstring& caption, int percent);
