#include "net/UpdateLock.h"

#include <windows.h>

#include "base/AdminOnlySecurity.h"
#include "base/NewFile.h"
#include "base/ProgramPaths.h"

UpdateLock::UpdateLock() {
    AdminOnlySecurity security;
    if (!security.ok()) return;
    // Made new with our descriptor, never opened: a lock left when the whole
    // system went down goes first; one another launcher holds (sharing no
    // deletion) cannot. Shared with nobody while held, and gone once its
    // handle closes, however the process ends.
    m_file = CreateFileAnew(UpdateLockPath(), GENERIC_READ | DELETE, 0, security.attributes(),
                            FILE_FLAG_DELETE_ON_CLOSE);
    m_heldElsewhere = !m_file && ::GetLastError() == ERROR_SHARING_VIOLATION;
}

std::wstring UpdateLockPath() { return GetDataFolder() + L"\\ZuvaUpdate.lock"; }
