#include "cache/DeleteTree.h"

#include <windows.h>

#include <optional>

#include "cache/TreeRules.h"
#include "framework/Handles.h"

namespace {
using fw::FindFileHandle;

static_assert(kAttributeReadOnly == FILE_ATTRIBUTE_READONLY && kAttributeDirectory == FILE_ATTRIBUTE_DIRECTORY &&
              kAttributeReparsePoint == FILE_ATTRIBUTE_REPARSE_POINT && kInvalidAttributes == INVALID_FILE_ATTRIBUTES);

bool DeleteRealFolder(const std::wstring& folder);

void DeleteEntry(const std::wstring& path, TreeEntryAction action, TreeOutcome& outcome) {
    BOOL deleted = TRUE;
    switch (action) {
    case TreeEntryAction::Skip:
        return;
    case TreeEntryAction::Descend:
        DeleteRealFolder(path);  // what stays in it keeps this folder too
        return;
    case TreeEntryAction::RemoveFolderLink:
        deleted = ::RemoveDirectoryW(path.c_str());
        break;
    case TreeEntryAction::ClearReadOnlyAndDelete:
        ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        deleted = ::DeleteFileW(path.c_str());
        break;
    case TreeEntryAction::DeleteFileLink:
    case TreeEntryAction::Delete:
        deleted = ::DeleteFileW(path.c_str());
        break;
    }
    if (!deleted) outcome.NoteFailedDeletion(::GetLastError());
}

bool DeleteRealFolder(const std::wstring& folder) {
    const std::optional<std::wstring> pattern = JoinPath(folder, L"*");
    WIN32_FIND_DATAW found{};
    FindFileHandle listing(pattern ? ::FindFirstFileW(pattern->c_str(), &found) : INVALID_HANDLE_VALUE);
    if (!listing) return ::RemoveDirectoryW(folder.c_str()) != FALSE;

    TreeOutcome outcome;
    do {
        const TreeEntryAction action = ActionForEntry(found.cFileName, found.dwFileAttributes);
        if (action == TreeEntryAction::Skip) continue;
        if (const std::optional<std::wstring> path = JoinPath(folder, found.cFileName))
            DeleteEntry(*path, action, outcome);
    } while (::FindNextFileW(listing.get(), &found));
    listing.reset();  // an open listing would keep the folder

    const bool removed = ::RemoveDirectoryW(folder.c_str()) != FALSE;
    const TreeVerdict verdict = outcome.Conclude(removed, removed ? ERROR_SUCCESS : ::GetLastError());
    if (!verdict.success) ::SetLastError(verdict.lastError);
    return verdict.success;
}
}  // namespace

bool DeleteTree(const std::wstring& folder) {
    if (IsFolderLink(::GetFileAttributesW(folder.c_str()))) return ::RemoveDirectoryW(folder.c_str()) != FALSE;
    return DeleteRealFolder(folder);
}
