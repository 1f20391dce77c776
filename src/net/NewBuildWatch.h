#pragma once
// Watching a freshly swapped-in build through its first seconds, so that a
// build that cannot start, or starts and then crashes, is put back before
// the player is left without a launcher that works.
#include <windows.h>

enum class NewBuildStart {
    Started,  // it ran through the watch, or ended with 0 within it
    Failed,   // it ended with another code (a crash: its exception code), or never ran
};

// Watches `process` for `limitMs`. A window it shows proves nothing: a build
// may show one and crash a second later. An empty handle is a build that
// could not even be started.
NewBuildStart WatchNewBuild(HANDLE process, DWORD limitMs);
