#pragma once
// Files the launcher makes new where others may have been first. It runs
// elevated and writes beside itself and in the temporary folder, folders a
// standard user may write to: a file that user made beforehand would stay
// theirs to change (and a link there would lead elsewhere), so nothing that
// is there already is ever opened and written to.
#include <windows.h>

#include <cstdint>
#include <string>

#include "base/PathText.h"
#include "base/RandomNumber.h"
#include "framework/Handles.h"

// Creates `path` only if nothing has that name, not even a link; otherwise
// fails with ERROR_FILE_EXISTS. `security` may be null (what the folder
// passes on); `flags` are further FILE_FLAG_* of CreateFile.
fw::FileHandle CreateNewFile(const std::wstring& path, DWORD access, DWORD share,
                             SECURITY_ATTRIBUTES* security = nullptr, DWORD flags = 0);

// Deletes whatever file has that name (a link itself, never what it points
// to), then creates `path` new. Fails when the leftover cannot be deleted
// (ERROR_SHARING_VIOLATION while another holds it without sharing its
// deletion) or something took the name again in between.
fw::FileHandle CreateFileAnew(const std::wstring& path, DWORD access, DWORD share,
                              SECURITY_ATTRIBUTES* security = nullptr, DWORD flags = 0);

// Draws random numbers until `make` makes something new at `pathFor(number)`
// (true when it did): a path found taken (anyone may have taken it) is never
// used, and another is drawn, 16 at most. The path made, or empty.
template <class PathFor, class Make>
std::wstring MakeAtRandomPath(PathFor pathFor, Make make) {
    for (int attempt = 0; attempt < 16; ++attempt) {
        uint32_t random = 0;
        if (!RandomNumber(&random)) break;
        const std::wstring path = pathFor(random);
        if (path.size() > kMaxPathChars) break;
        if (make(path)) return path;
        const DWORD error = ::GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) break;
    }
    return std::wstring();
}

// Renames whatever stands at `path` (a file, a folder, or a link itself,
// never what it leads to) to `path` ".aside-" and eight random hexadecimal
// digits, out of the way of what is made there new. The new name, or empty
// when nothing could be moved (nothing there counts as moved: `path` then).
std::wstring MoveAside(const std::wstring& path);
