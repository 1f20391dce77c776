#pragma once
// The installed copy of the launcher: written new by the installer, checked
// against the running executable, and the very file that is then started.
#include <string>

#include "framework/Handles.h"

class InstalledCopy {
public:
    // Moves aside whatever stands at `installed` (a copy still running, a
    // file marked read-only, a link), writes the running executable there as
    // a new file, reads it back and compares it with the running executable,
    // and holds it from then on, so that nobody can change it before it is
    // started. ok() tells whether every step took.
    explicit InstalledCopy(const std::wstring& installed);
    InstalledCopy(const InstalledCopy&) = delete;
    InstalledCopy& operator=(const InstalledCopy&) = delete;

    bool ok() const { return static_cast<bool>(m_held); }
    // Starts the copy, as it was compared; a failed start is passed over.
    void Start() const;

private:
    std::wstring m_path;
    fw::FileHandle m_held;
};
