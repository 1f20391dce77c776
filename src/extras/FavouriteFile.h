#pragma once
// Writing a favourite: an Internet shortcut in the current user's Favorites
// folder, in the ANSI code page as the browser reads it.
#include <string>

#include "extras/InternetShortcut.h"

// Creates or overwrites "<Favorites>\<name>.url": a file of that name, or a
// link, is deleted and the file made new. False, with nothing written, when
// the folder is unknown or a link, the name is no plain file name or the
// file cannot be created.
bool SaveFavourite(const std::wstring& name, const std::wstring& url);
