#pragma once
// Web addresses opened in the player's own browser, as the player. The
// launcher's main process runs elevated, and a browser started from it would
// too: an address it opens (the notice's link, the portal's home page, a new
// window a game page asks for) goes through the shell that the player's
// desktop runs, which starts the browser with the player's own rights. Where
// no such shell answers, a short process of the launcher with the player's
// rights (its "/open" launch mode) opens it.
#include <string>

#include "base/BrowserAddress.h"

// Opens a browser address as the player, shown as `showCommand` asks where
// the desktop's shell opens it; false when it is none or nothing could take it.
bool OpenInPlayersBrowser(const std::wstring& address, int showCommand = 1 /* SW_SHOWNORMAL */);

// Opens a browser address with this process's own rights, for a process that
// runs as the player already.
bool OpenInBrowserHere(const std::wstring& address);

// Opens a folder of the player's in the desktop's own shell, as the player;
// where no such shell answers, in this process's (a folder window is the
// desktop's own process's on most systems either way).
bool OpenFolderAsPlayer(const std::wstring& folder);
