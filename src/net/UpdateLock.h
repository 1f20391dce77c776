#pragma once
// Two launchers never update at once: the one that holds this downloads,
// checks, swaps and watches; another that finds it held skips its update.
//
// The lock is a file in the data folder, open with no sharing while held.
// A named kernel object would not do: any local user can create one of that
// name first and so make every launcher skip its updates in silence. The
// file only the system and the administrators may open (the folder is
// theirs, and the file is made with their descriptor), and it is deleted
// with its last handle, so a holder that crashed leaves nothing behind.
#include <string>

#include "framework/Handles.h"

class UpdateLock {
public:
    UpdateLock();
    UpdateLock(const UpdateLock&) = delete;
    UpdateLock& operator=(const UpdateLock&) = delete;

    bool held() const { return static_cast<bool>(m_file); }
    // Not held because another launcher holds it, rather than because the
    // lock could not be made at all (no data folder, say).
    bool heldElsewhere() const { return m_heldElsewhere; }

private:
    fw::FileHandle m_file;
    bool m_heldElsewhere = false;
};

// The lock's file: "ZuvaUpdate.lock" in the data folder.
std::wstring UpdateLockPath();
