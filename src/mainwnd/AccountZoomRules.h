#pragma once
// The zoom a player chose for one account's game page, in percent of the
// display's scale (engine/PageZoomSteps.h): the zoom the account's next page
// opens at, from what accounts/ZoomedAccounts.h remembers, and how its tab's
// tooltip tells it.
#include <optional>
#include <string>

// The remembered zoom when it is one of the steps; 100 % for nothing
// remembered or anything else a hand-edited file may hold.
int AccountOpeningZoom(std::optional<int> remembered);

// The tooltip of a tab: its whole caption, and the zoom when it is not 100 %,
// as "12服-青龙-lucky (125%)".
std::wstring TabTipText(const std::wstring& caption, int percent);
