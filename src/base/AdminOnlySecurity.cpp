#include "base/AdminOnlySecurity.h"

#include <sddl.h>

AdminOnlySecurity::AdminOnlySecurity() {
    PSECURITY_DESCRIPTOR made = nullptr;
    if (::ConvertStringSecurityDescriptorToSecurityDescriptorW(kAdminOnlySddl, SDDL_REVISION_1, &made, nullptr))
        m_descriptor.reset(made);
    m_attributes.nLength = sizeof(m_attributes);
    m_attributes.lpSecurityDescriptor = m_descriptor.get();
    m_attributes.bInheritHandle = FALSE;
}
