#pragma once
// Muting one account beside the window-wide mute: the value each page is
// told, and how the accounts a player muted are remembered in a section of
// Statistic.ini of their own, so that the next login of the same account on
// the same server starts muted.
//
// A caption comes from the portal's login page, so it is stored encoded:
// lower-case letters and digits stay, every other character becomes "%" and
// four upper-case hexadecimal digits of its UTF-16 code. No line break, "=",
// "]", ";" or blank reaches the file, and because INI keys ignore letter
// case, capitals are encoded too: two captions never share a key.
// Each entry is "<encoded caption>=<serial>", the serial counting up with
// each muting, so that the oldest entries are the first to go.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The mute flag a page is posted: muted when the window is, or its account.
int PageMuteValue(int windowMute, bool accountMuted);

// Longer captions are muted for the session only.
constexpr size_t kMaxRememberedCaption = 128;
// So many muted accounts are remembered at most.
constexpr size_t kMaxMutedAccounts = 200;

// The caption's key; empty when it cannot be remembered (empty, too long,
// or a character beyond UTF-16).
std::wstring EncodeAccountKey(const std::wstring& caption);
// The caption of a key; none when the key is not one EncodeAccountKey makes.
std::optional<std::wstring> DecodeAccountKey(const std::wstring& key);

struct MutedAccountEntry {
    std::wstring key;
    uint64_t serial = 0;  // 0: an entry the launcher did not write, the oldest
};
// The section's lines ("key=value"), as the profile API lists them.
std::vector<MutedAccountEntry> ParseMutedAccounts(const std::vector<std::wstring>& lines);
// The largest serial that reads back as written (nineteen digits).
constexpr uint64_t kMaxMutedSerial = 9999999999999999999ull;
// The serial of the next muting.
uint64_t NextMutedSerial(const std::vector<MutedAccountEntry>& entries);
// When the next serial would pass kMaxMutedSerial, the entries numbered
// anew from 1 in their order (oldest first), to be written back before the
// next muting; empty otherwise. Past the top, a serial would read back as an
// entry the launcher did not write, the oldest, and the newest muting would
// be the first to go.
std::vector<MutedAccountEntry> RenumberedMutedAccounts(std::vector<MutedAccountEntry> entries);
// The keys to delete so that at most `bound` entries stay, oldest first.
std::vector<std::wstring> MutedAccountsOverBound(std::vector<MutedAccountEntry> entries, size_t bound);
