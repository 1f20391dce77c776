#pragma once
// Watching a freshly swapped-in build through its first seconds, so that a
// build that cannot start is put back before the player is left without one.
#include <windows.h>

enum class NewBuildStart {
    Started,  // it showed a top-level window, or ended with 0, or the time ran out quietly
    Failed,   // it ended with another code (a crash: its exception code) before any window, or never ran
};

// How long a new build has to prove itself.
constexpr DWORD kNewBuildWatchMs = 30000;

// Watches `process` for up to `limitMs`. An empty handle is a build that
// could not even be started.
NewBuildStart WatchNewBuild(HANDLE process, DWORD limitMs);
