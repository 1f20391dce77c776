#pragma once
// Logging a launcher instance in to a game page of the test portal chosen by
// the test, through a login page that offers just that game.
#include <string>

#include "LauncherDriver.h"

namespace wintest {

// UTF-8 percent-encoding for the portal's control queries.
std::wstring QueryEncode(const std::wstring& text);

// The login page of every following login offers one account, whose game
// is `gamePath` on the test portal; the next child of `app` logs in there.
// True once the game frame has attached and shows its loaded page.
bool LogInToGame(LauncherInstance& app, const std::wstring& gamePath);

}  // namespace wintest
