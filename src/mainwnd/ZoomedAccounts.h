#pragma once
// The zoom each account's game page was given, remembered by tab caption in
// section "ZuvaZoom" of Statistic.ini beside the executable (format in
// AccountEntries.h and AccountZoomRules.h). Shared by every instance; read
// when a page attaches, written when the player zooms a page.
#include <string>

// The remembered zoom in percent; 100 when none is.
int RememberedAccountZoom(const std::wstring& caption);
// Remembers `percent` for `caption` as the newest entry (100: forgets it);
// the oldest go beyond the bound.
void RememberAccountZoom(const std::wstring& caption, int percent);
