#pragma once
// The Internet shortcut (".url" file) a favourite is saved as, and where it goes.
#include <string>

// The file's text: seven lines, each ended by CR LF, the address after
// "BASEURL=" and after "URL=". Any address length is taken whole.
std::wstring InternetShortcutText(const std::wstring& url);

// The most of the name field that is used.
constexpr size_t kFavouriteNameMax = 127;

// folder + "\" + name + ".url", or "" when the name is not a plain file name
// (a separator, a drive colon or another character that names may not hold
// would put the file somewhere else or nowhere) or the path would be longer
// than 259 characters.
std::wstring FavouriteFilePath(const std::wstring& folder, const std::wstring& name);
