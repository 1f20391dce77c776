#pragma once
// The process-wide values of a page process, and the addresses they start
// from. Start-up sets the owner from the command line; the login page picks
// the game address; the game view keeps the page's address and title.
#include <windows.h>

#include <string>

// The main window that asked for this separate game window ("/newgm", "/gmhall").
extern HWND g_hOwnerWnd;
// How many game pages that main window held when it asked ("/newgm").
extern int g_nOwnerPages;
// The address the game window opens: the game hall until a login picks a game.
extern std::wstring g_strGameUrl;
// The last address that completed in the game view, and the page's last title.
extern std::wstring g_strPageUrl;
extern std::wstring g_strPageTitle;

// The game hall: the client-service host's "/webgame.htm".
std::wstring GameHallAddress();
// The login page: the member host's "/yxzuva/?ac=wd".
std::wstring LoginPageAddress();
