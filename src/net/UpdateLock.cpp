#include "net/UpdateLock.h"

#include <windows.h>

#include "base/AdminOnlySecurity.h"
#include "base/ProgramPaths.h"

namespace {
// Created, never opened: an existing file would keep whatever security it
// has. Not shared with anyone while held; a link of that name is never
// followed. The file is gone once its handle closes, however the process
// ends.
fw::FileHandle CreateLockFile(const std::wstring& path, AdminOnlySecurity& security) {
    return fw::FileHandle(::CreateFileW(path.c_str(), GENERIC_READ | DELETE, 0, security.attributes(), CREATE_NEW,
                                        FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE |
                                            FILE_FLAG_OPEN_REPARSE_POINT,
                                        nullptr));
}
}  // namespace

UpdateLock::UpdateLock() {
    AdminOnlySecurity security;
    if (!security.ok()) return;
    const std::wstring path = UpdateLockPath();
    m_file = CreateLockFile(path, security);
    if (m_file) return;
    DWORD error = ::GetLastError();
    if (error == ERROR_FILE_EXISTS) {
        // Either another launcher holds it, sharing no deletion, or it was
        // left when the whole system went down: that one goes, and the lock
        // is made anew with our descriptor.
        if (::DeleteFileW(path.c_str()) || ::GetLastError() == ERROR_FILE_NOT_FOUND) {
            m_file = CreateLockFile(path, security);
            if (m_file) return;
        }
        error = ::GetLastError();
    }
    m_heldElsewhere = error == ERROR_SHARING_VIOLATION;
}

std::wstring UpdateLockPath() { return GetDataFolder() + L"\\ZuvaUpdate.lock"; }
