#pragma once
// The decisions of a folder tree's deletion that need no file system: which
// paths fit the launcher's 260-character buffers, what is done with each
// listed entry, and what the deletion reports at the end.
#include <cstdint>
#include <optional>
#include <string>

#include "base/FileKindRules.h"
#include "base/PathText.h"

// `folder`, a backslash unless it already ends with one, and `name`; nothing
// when the result would not fit in kMaxPathChars. A path that does not fit is
// left alone rather than cut into one that names something else.
std::optional<std::wstring> JoinPath(const std::wstring& folder, const std::wstring& name);

enum class TreeEntryAction {
    Skip,                    // "." and ".."
    Descend,                 // a real folder: its contents, then itself
    RemoveFolderLink,        // the link goes, its target is never touched
    DeleteFileLink,          // likewise, and its attributes stay (they may be the target's)
    ClearReadOnlyAndDelete,  // a read-only file cannot be deleted as it is
    Delete,
};
TreeEntryAction ActionForEntry(const std::wstring& name, uint32_t attributes);

// The result of one folder's deletion: true only when the folder itself went
// and nothing in it failed to go; otherwise the error to leave as the thread's
// last error is the last failed deletion's, or else the folder removal's.
struct TreeVerdict {
    bool success = false;
    uint32_t lastError = 0;  // meaningful only without success
};

class TreeOutcome {
public:
    // An entry of the folder could not be deleted; a later failure replaces
    // an earlier one.
    void NoteFailedDeletion(uint32_t error) { m_pendingError = error; }
    TreeVerdict Conclude(bool folderRemoved, uint32_t folderError) const;

private:
    std::optional<uint32_t> m_pendingError;
};
