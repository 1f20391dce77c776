#pragma once
// What the main window does with a message before it is dispatched: the
// switch hotkey, full screen, swallowed keys, close requests and keys
// forwarded to pages.
#include <cstdint>

#include "hotkey/HotkeyRecord.h"
#include "hotkey/KeyMessages.h"

// The platform numbers the filter looks at.
namespace keyfilter {
using namespace keymsg;
}  // namespace keyfilter

struct KeyFilterInput : KeyMessageInput {
    KeyFilterInput() = default;
    explicit KeyFilterInput(const KeyMessageInput& key) : KeyMessageInput(key) {}
    int pageCount = 0;
    // A page has attached to this instance at some time (it may have died
    // since): its logins are later ones.
    bool hadPage = false;
    bool hasPendingChild = false;
    bool currentPageVisible = false;
    bool hallVisible = false;
    bool settingsOpen = false;  // the hotkey settings dialog runs
    HotkeyRecord switchKey;
    // A plain F11 is a key the hook acts on wherever the focus is.
    bool f11BelongsToHook = false;
};

enum class KeyFilterAction {
    PassOn,                   // relay to the tooltip, then the dialog's own pre-translation
    RestoreThenPassOn,        // show the window restored, then as PassOn
    Swallow,                  // handled: nothing more happens
    SwitchPage,               // run SwitchToNextPage
    Exit,                     // run the exit sequence
    ReleasePendingChild,      // close the pending child's handle, forget it
    TerminatePendingAndExit,  // end the pending child, then the exit sequence
    ForwardToCurrentPage,     // post the same message to the current page, swallow
    ForwardToHall,            // post the same message to the hall window, swallow
    ToggleFullScreen,         // the current page fills the display, or no longer
};

KeyFilterAction FilterMainWindowMessage(const KeyFilterInput& in);
