#pragma once
// Deletes a folder with everything in it, as far as it can.
#include <string>

// Read-only files are deleted too; files that cannot be deleted (open, access
// denied) stay, and so do the folders that hold them. Entries whose path
// would be longer than 259 characters are left alone. A junction or symbolic
// link, inside the folder or as the folder itself, is removed as a link: what
// it points to is never entered, not even when the link is put in place of a
// folder while the deletion runs.
// True when the folder is gone and nothing in it failed to delete. Otherwise
// false, with the thread's last error set to that of the last file that could
// not be deleted, or else to that of the folder's removal.
bool DeleteTree(const std::wstring& folder);

class HeldFolder;
// The same for the entry `name` of a held folder, whose path is
// `parentPath`: nothing above it is looked up by path again, so a link put
// in place of a folder above it leads nowhere. False, with the thread's last
// error set, when there is no such entry.
bool DeleteTreeIn(const HeldFolder& parent, const std::wstring& parentPath, const std::wstring& name);
