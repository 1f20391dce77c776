#include "base/HeldFolder.h"

#include <winternl.h>

#include <utility>

#include "base/FileKindRules.h"

namespace {
static_assert(kAttributeReadOnly == FILE_ATTRIBUTE_READONLY && kAttributeDirectory == FILE_ATTRIBUTE_DIRECTORY &&
              kAttributeReparsePoint == FILE_ATTRIBUTE_REPARSE_POINT && kInvalidAttributes == INVALID_FILE_ATTRIBUTES);

// Others may go on using what we hold: nothing is looked up by path while it
// is held, so even a rename changes nothing of what we do.
const ULONG kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// Opens or creates `name` relative to `folder`. The name is looked up in that
// very folder, and a link it names is opened as the link. Sets the thread's
// last error when it fails.
fw::FileHandle OpenBeneath(HANDLE folder, const std::wstring& name, ACCESS_MASK access, ULONG disposition,
                           ULONG options = 0) {
    if (name.empty() || name.size() > 255) {
        ::SetLastError(ERROR_INVALID_NAME);
        return {};
    }
    UNICODE_STRING text{};
    text.Buffer = const_cast<PWSTR>(name.c_str());
    text.Length = text.MaximumLength = static_cast<USHORT>(name.size() * sizeof(wchar_t));
    OBJECT_ATTRIBUTES where{};
    InitializeObjectAttributes(&where, &text, OBJ_CASE_INSENSITIVE, folder, nullptr);
    IO_STATUS_BLOCK io{};
    HANDLE opened = nullptr;
    const NTSTATUS status =
        ::NtCreateFile(&opened, access | SYNCHRONIZE, &where, &io, nullptr, FILE_ATTRIBUTE_NORMAL, kShareAll,
                       disposition, options | FILE_OPEN_REPARSE_POINT | FILE_SYNCHRONOUS_IO_NONALERT, nullptr, 0);
    if (!NT_SUCCESS(status)) {
        ::SetLastError(::RtlNtStatusToDosError(status));
        return {};
    }
    return fw::FileHandle(opened);
}

struct FileFacts {
    uint32_t attributes = kInvalidAttributes;
    uint64_t id = 0;
};

FileFacts FactsOf(HANDLE file) {
    BY_HANDLE_FILE_INFORMATION info{};
    if (!::GetFileInformationByHandle(file, &info)) return {};
    return {info.dwFileAttributes, (static_cast<uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
}

bool IsAsListed(HANDLE opened, const ListedEntry& entry) {
    const FileFacts facts = FactsOf(opened);
    return OpenedAsListed(entry.attributes, entry.id, facts.attributes, facts.id);
}

}  // namespace

DWORD DeleteWhenClosed(HANDLE file) {
    FILE_DISPOSITION_INFO dispose{};
    dispose.DeleteFile = TRUE;
    return ::SetFileInformationByHandle(file, FileDispositionInfo, &dispose, sizeof(dispose)) ? ERROR_SUCCESS
                                                                                                : ::GetLastError();
}

HeldFolder HeldFolder::Open(const std::wstring& path) {
    // The path's own entry, then what was opened: a link in either look is
    // not entered (a link the system follows regardless shows only in the
    // first).
    if (IsReparsePoint(::GetFileAttributesW(path.c_str()))) {
        ::SetLastError(ERROR_REPARSE_ATTRIBUTE_CONFLICT);
        return {};
    }
    fw::FileHandle folder(::CreateFileW(path.c_str(), FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES | SYNCHRONIZE,
                                        kShareAll, nullptr, OPEN_EXISTING,
                                        FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!folder) return {};
    if (!IsRealFolder(FactsOf(folder.get()).attributes)) {
        ::SetLastError(ERROR_DIRECTORY);
        return {};
    }
    return HeldFolder(std::move(folder));
}

HeldFolder HeldFolder::OpenWhereItLeads(const std::wstring& path) {
    fw::FileHandle folder(::CreateFileW(path.c_str(), FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES | SYNCHRONIZE,
                                        kShareAll, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!folder) return {};
    if (!IsRealFolder(FactsOf(folder.get()).attributes)) {
        ::SetLastError(ERROR_DIRECTORY);
        return {};
    }
    return HeldFolder(std::move(folder));
}

std::vector<ListedEntry> HeldFolder::List() const {
    std::vector<ListedEntry> entries;
    // The entries are 8-byte aligned, and so is the buffer they come in.
    std::vector<uint64_t> buffer(8192);
    const DWORD bytes = static_cast<DWORD>(buffer.size() * sizeof(buffer[0]));
    FILE_INFO_BY_HANDLE_CLASS next = FileIdBothDirectoryRestartInfo;
    while (::GetFileInformationByHandleEx(m_folder.get(), next, buffer.data(), bytes)) {
        next = FileIdBothDirectoryInfo;
        const BYTE* at = reinterpret_cast<const BYTE*>(buffer.data());
        for (;;) {
            const auto* found = reinterpret_cast<const FILE_ID_BOTH_DIR_INFO*>(at);
            entries.push_back({std::wstring(found->FileName, found->FileNameLength / sizeof(wchar_t)),
                               found->FileAttributes, static_cast<uint64_t>(found->FileId.QuadPart)});
            if (found->NextEntryOffset == 0) break;
            at += found->NextEntryOffset;
        }
    }
    return entries;
}

HeldFolder HeldFolder::OpenSubfolder(const ListedEntry& entry) const {
    fw::FileHandle sub = OpenBeneath(m_folder.get(), entry.name, FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES, FILE_OPEN);
    if (!sub || !IsRealFolder(entry.attributes) || !IsAsListed(sub.get(), entry)) return {};
    return HeldFolder(std::move(sub));
}

HeldFolder HeldFolder::OpenOrMakeSubfolder(const std::wstring& name) const {
    fw::FileHandle made =
        OpenBeneath(m_folder.get(), name, FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES, FILE_CREATE, FILE_DIRECTORY_FILE);
    if (made || ::GetLastError() != ERROR_ALREADY_EXISTS) return made ? HeldFolder(std::move(made)) : HeldFolder();
    return OpenExistingSubfolder(name);
}

HeldFolder HeldFolder::OpenExistingSubfolder(const std::wstring& name) const {
    // Entered only as the listing shows it, a real folder: opening a link as
    // itself is not enough, as some systems (Wine) follow a link to a folder
    // regardless.
    ListedEntry entry;
    if (FindListed(name, &entry) && IsRealFolder(entry.attributes)) return OpenSubfolder(entry);
    ::SetLastError(ERROR_REPARSE_ATTRIBUTE_CONFLICT);
    return {};
}

bool HeldFolder::FindListed(const std::wstring& name, ListedEntry* found) const {
    for (const ListedEntry& entry : List()) {
        if (::CompareStringOrdinal(entry.name.c_str(), static_cast<int>(entry.name.size()), name.c_str(),
                                   static_cast<int>(name.size()), TRUE) != CSTR_EQUAL)
            continue;
        *found = entry;
        return true;
    }
    return false;
}

DWORD HeldFolder::Delete(const ListedEntry& entry, bool clearReadOnly) const {
    const ACCESS_MASK access = DELETE | FILE_READ_ATTRIBUTES | (clearReadOnly ? FILE_WRITE_ATTRIBUTES : 0);
    fw::FileHandle opened = OpenBeneath(m_folder.get(), entry.name, access, FILE_OPEN);
    if (!opened) return ::GetLastError();
    if (!IsAsListed(opened.get(), entry)) return kNoLongerAsListed;
    if (clearReadOnly) {
        FILE_BASIC_INFO basic{};  // times of 0 stay as they are
        basic.FileAttributes = FILE_ATTRIBUTE_NORMAL;
        ::SetFileInformationByHandle(opened.get(), FileBasicInfo, &basic, sizeof(basic));
    }
    // A folder's disposition says whether it was empty. A file goes by a
    // second open for deletion on close, while the first holds it: under Wine
    // only that takes a file another process has mapped (the browser's cache
    // index), as deleting by path did. Both open the name in this folder as
    // itself, so whatever they meet there is this folder's own entry.
    if (entry.attributes & FILE_ATTRIBUTE_DIRECTORY) return DeleteWhenClosed(opened.get());
    fw::FileHandle doomed = OpenBeneath(m_folder.get(), entry.name, DELETE, FILE_OPEN, FILE_DELETE_ON_CLOSE);
    return doomed ? ERROR_SUCCESS : ::GetLastError();
}

fw::FileHandle HeldFolder::CreateNewFile(const std::wstring& name, ACCESS_MASK access) const {
    return OpenBeneath(m_folder.get(), name, access, FILE_CREATE);
}

fw::FileHandle HeldFolder::CreateFileAnew(const std::wstring& name, ACCESS_MASK access) const {
    fw::FileHandle file = CreateNewFile(name, access);
    // A name that is taken: NtCreateFile's collision, as the system spells it.
    if (file || ::GetLastError() != ERROR_ALREADY_EXISTS) return file;
    {
        fw::FileHandle leftover = OpenBeneath(m_folder.get(), name, DELETE | FILE_READ_ATTRIBUTES, FILE_OPEN);
        if (!leftover) return {};
        const FileFacts facts = FactsOf(leftover.get());
        if (facts.attributes == kInvalidAttributes || IsRealFolder(facts.attributes)) {
            ::SetLastError(ERROR_ALREADY_EXISTS);
            return {};
        }
        const DWORD error = DeleteWhenClosed(leftover.get());
        if (error != ERROR_SUCCESS) {
            ::SetLastError(error);
            return {};
        }
    }
    return OpenBeneath(m_folder.get(), name, access, FILE_CREATE);
}
