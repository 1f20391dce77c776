#pragma once
// The launcher's shell links: one on the common desktop, two in the common
// start menu's "Korvel登录器" folder. The calls that write links need COM
// initialised on the calling thread.
#include <string>

// Writes one link: target, arguments, the target's first icon, and the
// description when one is given. False only when the shell link object or
// its file interface cannot be had; whether the file was saved is not told.
bool CreateShellLink(const std::wstring& linkPath, const std::wstring& target, const std::wstring& arguments,
                     const std::wstring& description = std::wstring());

// The desktop link "KorvelFerrowind极速登录器" ("/ZuvaD", described by its
// name) for an existing target. Removes the per-user link of that name
// that earlier versions left on the installing user's desktop.
bool CreateDesktopShortcut(const std::wstring& target);

// A link in the start-menu folder (created when missing), without
// description. Refused when the name is empty or the target is missing.
bool CreateStartMenuShortcut(const std::wstring& name, const std::wstring& target, const std::wstring& arguments);

// Delete the link of that name; true when a file was deleted.
bool DeleteDesktopShortcut(const std::wstring& name);
bool DeleteStartMenuShortcut(const std::wstring& name);

// Removes the start-menu folder when no file is left below it.
bool RemoveStartMenuFolderIfEmpty();

// Where the links go (empty when the shell does not say).
std::wstring CommonDesktopFolder();
std::wstring StartMenuFolder();
