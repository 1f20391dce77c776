#pragma once
// Helpers for the Windows-side tests: starting the launcher as a real
// process, finding its windows, and leaving the prefix as it was found.
#include <windows.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "framework/Handles.h"

namespace wintest {

// The build folder as a Windows path (Wine maps the Linux root to Z:).
std::wstring BuildDir();
// ZuvaScripted.exe in the build folder.
std::wstring ScriptedExe();

// A started process, ended on destruction if it is still running.
class LauncherProcess {
public:
    // Starts `exe` with `arguments` (may be empty).
    LauncherProcess(const std::wstring& exe, const std::wstring& arguments);
    // Takes on a process that is already running (one the launcher started).
    explicit LauncherProcess(DWORD pid);
    ~LauncherProcess();
    LauncherProcess(const LauncherProcess&) = delete;
    LauncherProcess& operator=(const LauncherProcess&) = delete;

    bool started() const { return static_cast<bool>(m_process); }
    DWORD pid() const { return m_pid; }
    // Waits up to `ms` for the end; true when it ended.
    bool WaitForExit(DWORD ms);
    DWORD ExitCode() const;
    bool IsRunning() const;

private:
    fw::KernelHandle m_process;
    DWORD m_pid = 0;
};

// Top-level windows of class `className` titled `title` that belong to `pid`.
std::vector<HWND> FindWindows(DWORD pid, const wchar_t* className, const wchar_t* title);
// Waits up to `ms` for the first such window to be visible; null when none came.
HWND WaitForWindow(DWORD pid, const wchar_t* className, const wchar_t* title, DWORD ms);

// Creates the folders of `folder` that are missing and removes them again
// (when empty) on destruction.
class FolderChain {
public:
    explicit FolderChain(const std::wstring& folder);
    ~FolderChain();
    FolderChain(const FolderChain&) = delete;
    FolderChain& operator=(const FolderChain&) = delete;

private:
    std::vector<std::wstring> m_created;
};

// A copy of an executable placed in a folder, removed with the folders it
// had to create.
class PlacedCopy {
public:
    PlacedCopy(const std::wstring& source, const std::wstring& folder, const std::wstring& name);
    ~PlacedCopy();
    PlacedCopy(const PlacedCopy&) = delete;
    PlacedCopy& operator=(const PlacedCopy&) = delete;
    const std::wstring& path() const { return m_path; }
    bool ok() const { return m_ok; }

private:
    FolderChain m_folders;
    std::wstring m_path;
    bool m_ok = false;
};

// Puts a registry value back as it was (or removes it if it did not exist)
// when the test is over.
class RegistryValueBackup {
public:
    RegistryValueBackup(HKEY root, const std::wstring& subkey, const std::wstring& name);
    ~RegistryValueBackup();
    RegistryValueBackup(const RegistryValueBackup&) = delete;
    RegistryValueBackup& operator=(const RegistryValueBackup&) = delete;

private:
    HKEY m_root;
    std::wstring m_subkey, m_name;
    bool m_existed = false;
    DWORD m_type = 0;
    std::vector<BYTE> m_data;
};

// Puts a file back as it was (or removes it if it did not exist).
class FileBackup {
public:
    explicit FileBackup(const std::wstring& path);
    ~FileBackup();
    FileBackup(const FileBackup&) = delete;
    FileBackup& operator=(const FileBackup&) = delete;

private:
    std::wstring m_path, m_copy;
    bool m_existed = false;
};

// The whole content of a file ("" when it cannot be read).
std::string ReadFileBytes(const std::wstring& path);
// Replaces (or makes) a file with `bytes`; false when it could not be made
// or written whole.
bool WriteFileBytes(const std::wstring& path, const std::string& bytes,
                    DWORD attributes = FILE_ATTRIBUTE_NORMAL);
bool FileExists(const std::wstring& path);
// Deletes a file a finishing process may still hold for a moment.
void DeleteSoon(const std::wstring& path);

// The temporary folder, with its trailing backslash.
std::wstring TempFolder();
// A shell folder of the prefix (CSIDL_FAVORITES, CSIDL_APPDATA, ...).
std::wstring ShellFolder(int csidl);
bool KeyExists(HKEY root, const std::wstring& subkey);
// Some of the system's answers differ under Wine; the tests that meet them
// take another road there.
bool RunningUnderWine();

DWORD ProcessOfWindow(HWND window);

// Today's local date moved by `days`, as "yyyy-mm-dd".
std::wstring LocalDay(int days = 0);

// A Statistic.ini (by default the one beside ZuvaScripted.exe), put back as
// the test found it. Values live in the launcher's "Zuva" section.
class ExeIni {
public:
    ExeIni();
    explicit ExeIni(const std::wstring& path);
    ExeIni(const ExeIni&) = delete;
    ExeIni& operator=(const ExeIni&) = delete;

    const std::wstring& path() const { return m_path; }
    // The stored value of `key`, or `fallback` when none is stored; at most
    // `chars` - 1 characters.
    std::wstring Read(const wchar_t* key, const wchar_t* fallback, DWORD chars = 1100) const;
    // Stores `text`; null removes the key.
    void Set(const wchar_t* key, const wchar_t* text) const;

private:
    std::wstring m_path;
    FileBackup m_backup;
};

// The work areas of the displays, left to right.
std::vector<RECT> DisplayWorkAreas();

// Runs the calling thread's message queue for `ms` milliseconds.
void PumpFor(DWORD ms);

// GDI objects this process holds. Wine answers GetGuiResources with 0, so
// there the handle table is probed instead: Wine resolves a handle given by
// its table index alone.
int GdiObjectCount();

// Presses and releases a mouse button at a screen point with real input
// (MOUSEEVENTF_LEFTDOWN / MOUSEEVENTF_LEFTUP, or the middle button's).
void ClickWith(POINT screen, DWORD downFlag, DWORD upFlag);
// Clicks the left mouse button at a screen point with real input.
void ClickAt(POINT screen, int clicks = 1);
// Presses the keys in order and lets them go in reverse order, with real
// input (modifiers first: {VK_CONTROL, VK_TAB}).
void PressKeys(std::initializer_list<WORD> keys);

}  // namespace wintest
