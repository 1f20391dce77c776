#include "cache/DeleteTree.h"

#include <windows.h>

#include <optional>

#include "base/HeldFolder.h"
#include "cache/TreeRules.h"

namespace {
// Deletes what `folder` holds, entering only the real folders it listed:
// everything is opened relative to a held folder, so a junction swapped in
// for a folder between its listing and its deletion is never entered, and a
// link goes as itself. `path` only decides which names fit a path buffer.
void DeleteContents(const HeldFolder& folder, const std::wstring& path, TreeOutcome& outcome) {
    // A folder whose listing pattern would not fit is left as it is.
    if (!JoinPath(path, L"*")) return;
    for (const ListedEntry& entry : folder.List()) {
        const TreeEntryAction action = ActionForEntry(entry.name, entry.attributes);
        if (action == TreeEntryAction::Skip) continue;
        const std::optional<std::wstring> entryPath = JoinPath(path, entry.name);
        if (!entryPath) continue;
        if (action == TreeEntryAction::Descend) {
            if (const HeldFolder sub = folder.OpenSubfolder(entry)) {
                TreeOutcome inner;
                DeleteContents(sub, *entryPath, inner);
            }
            // What stays in a subfolder keeps it, and shows as this folder's
            // own failure to go.
            folder.Delete(entry, false);
            continue;
        }
        const DWORD error = folder.Delete(entry, action == TreeEntryAction::ClearReadOnlyAndDelete);
        if (error != ERROR_SUCCESS) outcome.NoteFailedDeletion(error);
    }
}
}  // namespace

bool DeleteTree(const std::wstring& folder) {
    // RemoveDirectoryW takes a link itself away, whatever it points to.
    if (IsFolderLink(::GetFileAttributesW(folder.c_str()))) return ::RemoveDirectoryW(folder.c_str()) != FALSE;
    TreeOutcome outcome;
    {
        const HeldFolder held = HeldFolder::Open(folder);
        // Nothing there, no folder, or a link since the look above.
        if (!held) return ::RemoveDirectoryW(folder.c_str()) != FALSE;
        DeleteContents(held, folder, outcome);
    }
    const bool removed = ::RemoveDirectoryW(folder.c_str()) != FALSE;
    const TreeVerdict verdict = outcome.Conclude(removed, removed ? ERROR_SUCCESS : ::GetLastError());
    if (!verdict.success) ::SetLastError(verdict.lastError);
    return verdict.success;
}

bool DeleteTreeIn(const HeldFolder& parent, const std::wstring& parentPath, const std::wstring& name) {
    ListedEntry entry;
    const std::optional<std::wstring> path = JoinPath(parentPath, name);
    if (!path || !parent.FindListed(name, &entry)) {
        ::SetLastError(ERROR_FILE_NOT_FOUND);
        return false;
    }
    TreeOutcome outcome;
    // A link goes as itself.
    if (ActionForEntry(entry.name, entry.attributes) == TreeEntryAction::Descend)
        if (const HeldFolder held = parent.OpenSubfolder(entry)) DeleteContents(held, *path, outcome);
    const DWORD error = parent.Delete(entry, false);
    const TreeVerdict verdict = outcome.Conclude(error == ERROR_SUCCESS, error);
    if (!verdict.success) ::SetLastError(verdict.lastError);
    return verdict.success;
}
