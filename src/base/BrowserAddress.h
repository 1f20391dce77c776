#pragma once
// Which addresses the launcher hands to a browser of the player's.
#include <string>

// Whether an address is one a browser may be given: "http://" or "https://"
// in any letter case, then something, with no quote, blank or control
// character that could make it more than one argument of a command line.
bool IsBrowserAddress(const std::wstring& address);
