#pragma once
// Which of the browser's own keyboard commands the launcher keeps off. Its
// pages are a login form and a game: a command that opens another window
// (new window, open, print, find) or leaves the page for its history would
// take the player out of the launcher or lose the game's session, so the
// host claims those keys before the browser acts on them. The browser's own
// zoom keys are off too: a page is zoomed to its display, and a game page
// further only by the launcher, which remembers it for the account.
// Everything else, typing and editing in fields included, stays the browser's.
#include <cstdint>
#include <string_view>

namespace ie {

// A key message as the document host is offered it.
struct HostKey {
    unsigned message = 0;  // WM_KEYDOWN, WM_SYSKEYDOWN, WM_CHAR, ...
    uintptr_t vk = 0;      // the message's wParam
    bool ctrl = false, alt = false, shift = false;
};

// Whether the browser's command for this key stays off. `inTextEntry`:
// the page's focus is in a field that takes typed text, where Backspace
// deletes instead of going back.
bool IsWithheldBrowserKey(const HostKey& key, bool inTextEntry);

// Whether an element with this tag, input type and editability takes typed
// text (tag and type in any letter case; an input without a type is text).
bool IsTextEntry(std::wstring_view tag, std::wstring_view type, bool contentEditable);

}  // namespace ie
