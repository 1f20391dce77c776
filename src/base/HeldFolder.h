#pragma once
// A folder held open so that what is done in it stays in it. Its entries are
// listed through the handle and opened by name relative to it, never through
// a path, and an entry that is a link is opened as the link itself: a
// junction put in place of the folder, of a folder above it or of one of its
// entries after it was looked at leads nowhere. For what the elevated
// launcher deletes or writes in folders a standard user can change (the
// browser's cache, the favourites).
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "framework/Handles.h"

// An entry of a held folder as its listing showed it.
struct ListedEntry {
    std::wstring name;
    uint32_t attributes = 0;
    uint64_t id = 0;  // the file system's id of the file
};

// What Delete() answers for an entry whose name now opens something else.
constexpr DWORD kNoLongerAsListed = ERROR_REPARSE_ATTRIBUTE_CONFLICT;

class HeldFolder {
public:
    HeldFolder() = default;

    // The real folder at `path`. Empty, with the thread's last error set, when
    // nothing can be opened there; empty as well when what is there is a link
    // or no folder.
    static HeldFolder Open(const std::wstring& path);
    // The folder `path` leads to, links on the way followed: a folder its
    // owner keeps elsewhere through a link, as a player's Pictures may be.
    // Held from then on, as Open's.
    static HeldFolder OpenWhereItLeads(const std::wstring& path);

    explicit operator bool() const { return static_cast<bool>(m_folder); }

    // Every entry, "." and ".." included.
    std::vector<ListedEntry> List() const;

    // A listed subfolder, held in turn; empty when what its name opens now is
    // not the real folder that was listed.
    HeldFolder OpenSubfolder(const ListedEntry& entry) const;

    // The subfolder `name`, made when there is none, held in turn; empty
    // when the name is taken by a file or a link, or the folder listed by it
    // is no longer what the name opens.
    HeldFolder OpenOrMakeSubfolder(const std::wstring& name) const;

    // The real subfolder `name`, as the listing shows it (any letter case),
    // held in turn; empty when there is none, or it is a file or a link.
    HeldFolder OpenExistingSubfolder(const std::wstring& name) const;

    // This folder's entry `name` as the listing shows it (any letter case);
    // false when there is none.
    bool FindListed(const std::wstring& name, ListedEntry* found) const;

    // Deletes a listed entry itself: a link goes as a link, and a folder only
    // when empty. `clearReadOnly` clears its read-only attribute first.
    // ERROR_SUCCESS, or why it stays; an entry whose name now opens something
    // else stays untouched (kNoLongerAsListed).
    DWORD Delete(const ListedEntry& entry, bool clearReadOnly) const;

    // Creates the file `name` in this folder new, after deleting a file or
    // link of that name (never a folder, never what a link points to).
    fw::FileHandle CreateFileAnew(const std::wstring& name, ACCESS_MASK access) const;

    // Creates the file `name` in this folder only if nothing has that name,
    // not even a link; otherwise fails with ERROR_ALREADY_EXISTS.
    fw::FileHandle CreateNewFile(const std::wstring& name, ACCESS_MASK access) const;

private:
    explicit HeldFolder(fw::FileHandle folder) : m_folder(std::move(folder)) {}
    fw::FileHandle m_folder;
};

// Has the file that `file` (opened with DELETE access) names deleted once
// its last handle closes: ERROR_SUCCESS, or why not.
DWORD DeleteWhenClosed(HANDLE file);
