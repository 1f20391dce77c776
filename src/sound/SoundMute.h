#pragma once
// Silencing a game page process: only the audio this process makes (the
// embedded browser and its plug-ins), never the whole machine.
//
// The page frame's mute message handler passes its value through a MuteLatch
// (sound/MuteLatch.h) and calls ApplyMute when the latch accepts it:
//     if (m_muteLatch.Accept(static_cast<int>(wParam))) ApplyMute(wParam != 0);

// Mutes or unmutes this process by the mechanism its Windows version needs:
// the mixer's mute controls from major version 6 on, interception of the
// audio output calls before (installed at the first call, kept to the end of
// the process). Failures are quiet: a line or a function that cannot be
// reached keeps playing.
void ApplyMute(bool mute);

// Sets the mute control of the first line of mixer 0 of `componentType` (a
// MIXERLINE_COMPONENTTYPE_* value). True only when every step succeeded;
// false leaves the line as it was (no mixer, no such line, no mute control).
bool SetMixerLineMute(unsigned long componentType, bool mute);
