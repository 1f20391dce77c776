#pragma once
// What a game page's frame does with a message before it is dispatched: the
// switch key and F11 (full screen) go to the main window, Ctrl+D opens the
// favourites dialog, F5 refreshes, and a close request arms the web
// message-box sweep. A plain F5 or F11 that is the boss or sound key is the
// hook's.
#include <cstdint>

#include "hotkey/HotkeyModel.h"
#include "hotkey/KeyMessages.h"

enum class FrameKeyAction {
    PassOn,           // the framework's own pre-translation
    ForwardToOwner,   // post the same message to the main window, consume it
    AddFavourite,     // open the add-to-favourites dialog, consume it
    Refresh,          // refresh the page, consume it
    Swallow,          // consume it, nothing else
    ArmWebBoxSweep,   // arm the close-time sweep, then pass on
};

using FrameKeyInput = KeyMessageInput;

FrameKeyAction DecideFrameKey(const FrameKeyInput& in, const HotkeySet& keys);
