#pragma once
// The audio mixer functions of WinMM that muting calls, found in System32's
// copy by the first caller of a process: linked, WinMM would be loaded into
// every process at its start from wherever the system looks first.
#include <windows.h>
#include <mmsystem.h>

namespace fw {

struct MixerFunctions {
    decltype(&::mixerOpen) mixerOpen;
    decltype(&::mixerGetLineInfoW) mixerGetLineInfoW;
    decltype(&::mixerGetLineControlsW) mixerGetLineControlsW;
    decltype(&::mixerGetControlDetailsW) mixerGetControlDetailsW;
    decltype(&::mixerSetControlDetails) mixerSetControlDetails;
    decltype(&::mixerClose) mixerClose;
};

// The process's table, with every function found; null when WinMM or one of
// them is missing, and then there is no mixer to mute.
const MixerFunctions* Mixer();

// For the handle owner: a mixer is open only where the table is.
void CloseMixer(HMIXER mixer);

}  // namespace fw
