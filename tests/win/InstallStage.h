#pragma once
// The machine-wide traces an installation leaves (registry key, data folder,
// links, start-menu folder, self-delete scripts), put back as they were
// found when a test is over.
#include <windows.h>

#include <set>
#include <string>
#include <vector>

#include "PortalClient.h"
#include "WinTestSupport.h"

namespace wintest {

// A registry key with its values, put back (or removed, with the parents
// that had to be made) afterwards.
class RegistryKeyBackup {
public:
    RegistryKeyBackup(HKEY root, const std::wstring& subkey);
    ~RegistryKeyBackup();
    RegistryKeyBackup(const RegistryKeyBackup&) = delete;
    RegistryKeyBackup& operator=(const RegistryKeyBackup&) = delete;

private:
    struct Value {
        std::wstring name;
        DWORD type;
        std::vector<BYTE> data;
    };
    HKEY m_root;
    std::wstring m_subkey;
    std::vector<std::wstring> m_missingParents;  // deepest first
    bool m_existed = false;
    std::vector<Value> m_values;
};

// A file's bytes kept in memory (no backup file beside it, which would
// change what a folder holds), put back or removed afterwards.
class FileContentBackup {
public:
    explicit FileContentBackup(const std::wstring& path);
    ~FileContentBackup();
    FileContentBackup(const FileContentBackup&) = delete;
    FileContentBackup& operator=(const FileContentBackup&) = delete;

private:
    std::wstring m_path;
    bool m_existed;
    std::string m_bytes;
};

// Folders that do not exist yet, removed afterwards when they are there
// and empty (the deepest first).
class NewFolders {
public:
    explicit NewFolders(std::vector<std::wstring> outermostFirst);
    ~NewFolders();
    NewFolders(const NewFolders&) = delete;
    NewFolders& operator=(const NewFolders&) = delete;

private:
    std::vector<std::wstring> m_missing;
};

// What a link file says, read back through the shell's link object.
struct LinkInfo {
    bool read = false;
    std::wstring target, arguments, description, iconPath;
    int iconIndex = -1;
};
LinkInfo ReadLink(const std::wstring& linkPath);

// An install test's stage: a clean data folder, no links, no launcher key.
class InstallStage {
public:
    InstallStage();
    ~InstallStage();
    InstallStage(const InstallStage&) = delete;
    InstallStage& operator=(const InstallStage&) = delete;

    std::wstring DataFile(const std::wstring& name) const;
    std::wstring DesktopLink(const std::wstring& name) const;
    std::wstring StartMenuFolder() const;
    std::wstring StartMenuLink(const std::wstring& name) const;
    // Where earlier versions put their per-user desktop link.
    std::wstring LegacyUserLink() const;
    // The value of a usage counter in the data folder's Statistic.ini ("" when missing).
    std::wstring Counter(const wchar_t* key) const;

private:
    PortalSession m_portal;
    // The shell would hand every link to the desktop integration of the
    // prefix's host; it has no business outside the prefix.
    RegistryValueBackup m_menuBuilder;
    RegistryKeyBackup m_key;
    // The installer's note of the data folder it made; the folder the stage
    // finds counts as made by an earlier installation.
    RegistryValueBackup m_record;
    NewFolders m_folders;  // goes after the files in them are back as they were
    FileContentBackup m_ini;
    std::set<std::wstring> m_tempBefore;
};

// The visible main window of a process whose executable is `exePath`;
// null when none came within `ms`.
HWND WaitForMainWindowOf(const std::wstring& exePath, DWORD ms);

// The files of the temporary folder whose names start with `prefix`.
std::set<std::wstring> TempFilesStartingWith(const std::wstring& prefix);

}  // namespace wintest
