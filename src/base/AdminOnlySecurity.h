#pragma once
// Security for a file that only the system and the administrators may open:
// a protected DACL, so that nothing the folder passes on to its files lets a
// standard user in. For what the elevated launcher leaves where such a user
// could otherwise read or change it: a crash dump holds a process's memory,
// session cookies included, and the uninstall script runs elevated.
#include <windows.h>

#include "base/AdminOnlyDescriptor.h"
#include "framework/Handles.h"


class AdminOnlySecurity {
public:
    AdminOnlySecurity();
    AdminOnlySecurity(const AdminOnlySecurity&) = delete;
    AdminOnlySecurity& operator=(const AdminOnlySecurity&) = delete;

    bool ok() const { return static_cast<bool>(m_descriptor); }
    PSECURITY_DESCRIPTOR descriptor() const { return m_descriptor.get(); }
    // For CreateFileW; null when the descriptor could not be made, and then
    // nothing should be created with it.
    SECURITY_ATTRIBUTES* attributes() { return ok() ? &m_attributes : nullptr; }

private:
    fw::LocalMemory m_descriptor;
    SECURITY_ATTRIBUTES m_attributes{};
};
