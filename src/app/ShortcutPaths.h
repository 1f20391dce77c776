#pragma once
// Names and places of the launcher's shortcuts. Every path is at most 259
// characters; a longer one is not formed at all (empty), so that no link is
// ever written to or deleted from a cut-off path.
#include <string>

#include "base/PathText.h"

extern const wchar_t kGameLinkName[];         // "KorvelFerrowind极速登录器"
extern const wchar_t kUninstallLinkName[];    // "卸载 KorvelFerrowind极速登录器"
extern const wchar_t kPortalGamesLinkName[];  // "Korvel网页游戏", removed, never made
extern const wchar_t kStartMenuFolderName[];  // "Korvel登录器"
extern const wchar_t kShortcutSwitch[];       // "/ZuvaD"
extern const wchar_t kUninstallSwitch[];      // "/uninst"

// folder + "\" + name + ".lnk".
std::wstring LinkPathIn(const std::wstring& folder, const std::wstring& name);

// The start-menu folder below the common programs folder.
std::wstring StartMenuFolderIn(const std::wstring& commonPrograms);

// The per-user desktop shortcut that earlier versions made: the user's
// profile folder (the documents folder up to its last "\"), the common
// desktop's last component, then the link. Empty when either path has no "\".
std::wstring LegacyUserDesktopLink(const std::wstring& userDocuments, const std::wstring& commonDesktop);
