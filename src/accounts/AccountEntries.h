#pragma once
// What the launcher remembers of an account, by its tab caption (account and
// server), in a section of Statistic.ini of its own ("ZuvaMuted" for the
// accounts a player muted, "ZuvaZoom" for their zoom), so that the next login
// of the same account on the same server finds it again.
//
// A caption comes from the portal's login page, so it is stored encoded:
// lower-case letters and digits stay, every other character becomes "%" and
// four upper-case hexadecimal digits of its UTF-16 code. No line break, "=",
// "]", ";" or blank reaches the file, and because INI keys ignore letter
// case, capitals are encoded too: two captions never share a key.
// Each entry is "<encoded caption>=<serial>" or, where the section keeps a
// value, "<encoded caption>=<serial>,<value>"; the serial counts up with
// each entry written, so that the oldest entries are the first to go. The
// value of a "ZuvaZoom" entry is the zoom in percent, in decimal.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Longer captions are remembered for the session only.
constexpr size_t kMaxRememberedCaption = 128;

// The caption's key; empty when it cannot be remembered (empty, too long,
// or a character beyond UTF-16).
std::wstring EncodeAccountKey(const std::wstring& caption);
// The caption of a key; none when the key is not one EncodeAccountKey makes.
std::optional<std::wstring> DecodeAccountKey(const std::wstring& key);

struct AccountEntry {
    std::wstring key;
    uint64_t serial = 0;  // 0: an entry the launcher did not write, the oldest
    std::wstring value;   // what is remembered beside the serial, if anything
};
// An entry's text after the "=": its serial, and its value when it has one.
std::wstring AccountEntryText(uint64_t serial, const std::wstring& value);
// The serial and value of an entry's text.
AccountEntry ParseAccountEntryText(const std::wstring& text);
// The section's lines ("key=text"), as the profile API lists them.
std::vector<AccountEntry> ParseAccountEntries(const std::vector<std::wstring>& lines);
// The largest serial that reads back as written (nineteen digits).
constexpr uint64_t kMaxAccountSerial = 9999999999999999999ull;
// The serial of the next entry written.
uint64_t NextAccountSerial(const std::vector<AccountEntry>& entries);
// When the next serial would pass kMaxAccountSerial, the entries numbered
// anew from 1 in their order (oldest first), to be written back before the
// next entry; empty otherwise. Past the top, a serial would read back as an
// entry the launcher did not write, the oldest, and the newest entry would
// be the first to go.
std::vector<AccountEntry> RenumberedAccountEntries(std::vector<AccountEntry> entries);
// The keys to delete so that at most `bound` entries stay, oldest first.
std::vector<std::wstring> AccountEntriesOverBound(std::vector<AccountEntry> entries, size_t bound);

// The value of a "ZuvaZoom" entry, and back: none for anything the launcher
// does not write.
std::wstring ZoomEntryValue(int percent);
std::optional<int> ZoomOfEntryValue(const std::wstring& value);
