#pragma once
// The zoom each account's game page was given, in percent, remembered by
// tab caption in section "ZuvaZoom" of Statistic.ini beside the executable
// (format in AccountEntries.h). Shared by every instance; read when a page
// attaches, written when the player zooms a page.
#include <cstddef>
#include <optional>
#include <string>

// So many zoomed accounts are remembered at most.
constexpr size_t kMaxZoomedAccounts = 200;

// The remembered zoom; none when nothing that reads as one is.
std::optional<int> RememberedAccountZoom(const std::wstring& caption);
// Remembers `percent` for `caption` as the newest entry; the oldest go
// beyond the bound.
void RememberAccountZoom(const std::wstring& caption, int percent);
void ForgetAccountZoom(const std::wstring& caption);
