#pragma once
// The security of a file that only the system and the administrators may
// open (AdminOnlySecurity.h), as the system's descriptor language writes it:
// SYSTEM and BUILTIN\Administrators full control each, and nothing
// inherited, so that nothing the folder passes on lets a standard user in.
inline constexpr wchar_t kAdminOnlySddl[] = L"D:P(A;;FA;;;SY)(A;;FA;;;BA)";
