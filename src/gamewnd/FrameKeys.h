#pragma once
// What a game page's frame does with a message before it is dispatched: the
// switch key and F11 (full screen) go to the main window, Ctrl+D opens the
// favourites dialog, F5 refreshes, the zoom keys and Ctrl + wheel ask the
// main window to zoom the page, and a close request arms the web
// message-box sweep. A plain F5 or F11 that is a key the hook acts on
// wherever the focus is (boss, sound, screenshot) is the hook's.
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
    // Ask the main window for a zoom step, consume it: Ctrl with plus (or
    // "="), minus or 0, on the main keys or the number pad.
    ZoomIn,
    ZoomOut,
    ZoomActualSize,
    ZoomWheel,        // Ctrl + wheel: a step for each whole notch, consume it
};

using FrameKeyInput = KeyMessageInput;

FrameKeyAction DecideFrameKey(const FrameKeyInput& in, const HotkeySet& keys);

// Whole notches of a wheel whose messages may each carry a part of one (a
// finer wheel); a turn the other way starts afresh.
class WheelNotches {
public:
    // The notches that `delta` (the message's, 120 a notch) completes:
    // positive away from the player, negative towards.
    int Add(int delta);

private:
    int m_carried = 0;
};
