#pragma once
// Who may do what in the launcher's data folder. The launcher runs elevated
// from there and writes there, so nobody below administrator may create,
// change or rename anything in it: SYSTEM and Administrators have full
// control, Users read and execute, Administrators own it, and nothing is
// inherited from above (the common application-data folder lets every user
// create folders and files).
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The data folder's security descriptor, as the system's descriptor
// language writes it. The folder and everything in it take it.
inline constexpr wchar_t kDataFolderSddl[] =
    L"O:BAD:PAI(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;0x1200a9;;;BU)";

// One access-control entry, with well-known names resolved.
struct AccessEntry {
    wchar_t type = L'A';        // 'A' allow, 'D' deny
    std::wstring flags;         // the inheritance flags as written ("OICI"), in a fixed order
    uint32_t rights = 0;        // the access mask, named rights resolved
    std::wstring sid;           // "S-1-5-18", aliases resolved
};

struct SecurityDescription {
    std::wstring owner;          // "S-...", aliases resolved; empty when not given
    bool daclGiven = false;
    bool daclProtected = false;  // "P": nothing inherited from above
    std::vector<AccessEntry> dacl;
};

// Reads the part of the descriptor language that folders' descriptors use:
// owner, group (skipped), and a DACL of allow and deny entries with
// inheritance flags, named or numeric rights and aliased or numeric SIDs.
// Nothing when the text is anything else (a SACL, object entries, a
// conditional entry, an unknown name).
std::optional<SecurityDescription> ParseSddl(const std::wstring& text);

// Whether `actual` (as the system reports a folder's owner and DACL) is the
// data folder's: owner Administrators, a protected DACL holding exactly the
// entries of kDataFolderSddl, in any order.
bool IsDataFolderSecurity(const SecurityDescription& actual);

// Whether the folder above the data folder (`actual`, as the system reports
// its owner and DACL) lets nobody below administrator put another folder in
// the data folder's place: it is owned by Administrators or SYSTEM, and no
// allow entry gives anyone else the right to delete or rename what is in it,
// to delete it, or to change its DACL or owner. That folder may hold other
// programs' folders, which inherit from it, so it is changed only when it is
// not safe.
bool IsSafeAboveDataFolder(const SecurityDescription& actual);
