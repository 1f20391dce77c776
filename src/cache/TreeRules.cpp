#include "cache/TreeRules.h"

std::optional<std::wstring> JoinPath(const std::wstring& folder, const std::wstring& name) {
    std::wstring path = folder;
    if (path.empty() || path.back() != L'\\') path += L'\\';
    path += name;
    if (path.size() > kMaxPathChars) return std::nullopt;
    return path;
}

TreeEntryAction ActionForEntry(const std::wstring& name, uint32_t attributes) {
    if (name == L"." || name == L"..") return TreeEntryAction::Skip;
    if (IsFolderLink(attributes)) return TreeEntryAction::RemoveFolderLink;
    if (attributes & kAttributeDirectory) return TreeEntryAction::Descend;
    if (attributes & kAttributeReparsePoint) return TreeEntryAction::DeleteFileLink;
    if (attributes & kAttributeReadOnly) return TreeEntryAction::ClearReadOnlyAndDelete;
    return TreeEntryAction::Delete;
}

TreeVerdict TreeOutcome::Conclude(bool folderRemoved, uint32_t folderError) const {
    if (folderRemoved && !m_pendingError) return TreeVerdict{true, 0};
    return TreeVerdict{false, m_pendingError ? *m_pendingError : folderError};
}
