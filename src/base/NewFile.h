#pragma once
// Files the launcher makes new where others may have been first. It runs
// elevated and writes beside itself and in the temporary folder, folders a
// standard user may write to: a file that user made beforehand would stay
// theirs to change (and a link there would lead elsewhere), so nothing that
// is there already is ever opened and written to.
#include <windows.h>

#include <string>

#include "framework/Handles.h"

// Creates `path` only if nothing has that name, not even a link; otherwise
// fails with ERROR_FILE_EXISTS. `security` may be null (what the folder
// passes on).
fw::FileHandle CreateNewFile(const std::wstring& path, DWORD access, DWORD share,
                             SECURITY_ATTRIBUTES* security = nullptr);

// Deletes whatever file has that name (a link itself, never what it points
// to), then creates `path` new. Fails when the leftover cannot be deleted or
// something took the name again in between.
fw::FileHandle CreateFileAnew(const std::wstring& path, DWORD access, DWORD share,
                              SECURITY_ATTRIBUTES* security = nullptr);

// Renames whatever stands at `path` (a file, a folder, or a link itself,
// never what it leads to) to `path` ".aside-" and eight random hexadecimal
// digits, out of the way of what is made there new. The new name, or empty
// when nothing could be moved (nothing there counts as moved: `path` then).
std::wstring MoveAside(const std::wstring& path);
