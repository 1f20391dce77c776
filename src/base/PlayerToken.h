#pragma once
// Processes that run with the player's standard rights, started by an
// elevated launcher process: the game's web pages, and the chores a main
// window hands on (cache cleaning, opening an address in the player's
// browser). Their token is a restricted copy of the launcher's own, as the
// system's own filtered token is: the Administrators group for deny only,
// every privilege but bypass-traverse-checking dropped, medium integrity.
// A restricted copy of the caller's own token needs no privilege to start a
// process with (CreateProcessAsUserW).
#include <string>

#include "base/StartProgram.h"
#include "framework/Handles.h"

// The player's token made from this process's; empty when any step failed
// (then nothing should be started in its place).
fw::KernelHandle MakePlayerToken();

// Starts `commandLine` exactly as given with the player's token, as
// StartProcess does; both handles empty when it could not be started. Never
// falls back to this process's own rights.
StartedProcess StartAsPlayer(const std::wstring& commandLine, unsigned long creationFlags, int showCommand);
