#pragma once
// Self-installation into the data folder and its undoing.
#include "net/PingSender.h"

// Creates the data folder, copies the running executable into it (over an
// earlier copy), writes the desktop and start-menu links for the installed
// copy and starts it. Failures along the way are passed over: the installed
// copy is started in any case. Returns true.
bool Install();

// After the player confirmed: deletes the launcher's registry key and its
// links (and the start-menu folder once nothing else is in it), leaves a
// script to delete the executable after this process, counts and pings the
// uninstallation, and tells the player. Statistic.ini and other files in the
// data folder stay. Whoever calls waits for `signals.done` before ending.
void Uninstall(const PingSignals& signals);
