#pragma once
// The file a new build is downloaded into, held from its first byte until it
// has been checked and renamed into place: created new, and shared with
// nobody for writing, renaming or deletion, so that what was checked is what
// runs. Whatever is not renamed into place is deleted when it is let go.
#include <windows.h>

#include <string>

#include "framework/Handles.h"

class HeldDownload {
public:
    // Creates `path` anew; a file left there by an earlier attempt is deleted
    // first. ok() is false when the file cannot be made anew.
    explicit HeldDownload(const std::wstring& path);
    ~HeldDownload();
    HeldDownload(const HeldDownload&) = delete;
    HeldDownload& operator=(const HeldDownload&) = delete;

    bool ok() const { return static_cast<bool>(m_file); }
    HANDLE handle() const { return m_file.get(); }
    const std::wstring& path() const { return m_path; }

    // Renames the held file to `target`, replacing what is there, through
    // the handle itself; the file is then let go. False leaves it held.
    bool RenameTo(const std::wstring& target);

private:
    std::wstring m_path;
    fw::FileHandle m_file;
};
