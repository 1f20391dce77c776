#pragma once
// Self-installation into the data folder and its undoing.
#include "net/PingSender.h"

// Makes the data folder ready (the one this installer made before, or one
// made new in place of anything else found there), writes the running
// executable into it anew, starts that copy and writes the desktop and
// start-menu links for it. When the folder or the copy cannot be made what
// they must be, tells the player, starts nothing and returns false.
bool Install();

// After the player confirmed: deletes the launcher's registry key and its
// links (and the start-menu folder once nothing else is in it), leaves a
// script to delete the executable after this process, counts and pings the
// uninstallation, and tells the player. Statistic.ini and other files in the
// data folder stay. Whoever calls waits for `signals.done` before ending.
void Uninstall(const PingSignals& signals);
