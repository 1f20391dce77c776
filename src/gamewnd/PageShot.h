#pragma once
// Screenshots of a game page: its engine draws the page into a picture of
// its own (so the picture is the page, whatever covers it on screen), which
// is saved as a PNG file new in the player's Pictures folder, under
// kShotSubfolder, named as ShotNames.h says.
#include <string>

#include "framework/PageEngine.h"
#include "gamewnd/ShotNames.h"

// "<Pictures>\Ferrowind"; empty when the shell names no Pictures folder.
std::wstring ShotFolderPath();

// Draws `engine`'s page and saves it, stamped with the local time now, under
// the tab caption `caption`. The saved file's full path; empty when nothing
// was saved, and then no file of it is left.
std::wstring SavePageShot(PageEngine& engine, const std::wstring& caption);

// Writes the PNG file bytes `png` under the first free name for `caption`
// and `time` in `picturesFolder`\Ferrowind, which is made when missing. The
// process may run elevated while the folders are the player's to change: a
// link in place of Ferrowind or of the file is not followed, no file that is
// there is opened, and a file that could not be written whole is deleted
// again. The file's full path, or empty.
std::wstring SaveShotFile(const std::wstring& picturesFolder, const std::wstring& caption, const ShotTime& time,
                          const std::string& png);
