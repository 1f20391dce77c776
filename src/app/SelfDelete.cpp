#include "app/SelfDelete.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app/FileCount.h"
#include "app/LaunchModeWin.h"
#include "app/SelfDeleteScript.h"
#include "base/AdminOnlySecurity.h"
#include "base/AnsiText.h"
#include "base/NewFile.h"
#include "base/PathText.h"
#include "base/StartProgram.h"
#include "framework/Handles.h"

namespace {
// An existing path as the ANSI code page can spell it: itself, else its short
// form; empty when neither can be spelled.
std::wstring AnsiSpellablePath(const std::wstring& path) {
    if (ToCodePageExactly(path, CP_ACP)) return path;
    std::vector<wchar_t> shortPath(MAX_PATH);
    const DWORD got = ::GetShortPathNameW(path.c_str(), shortPath.data(), static_cast<DWORD>(shortPath.size()));
    if (got == 0 || got >= shortPath.size()) return std::wstring();
    std::wstring candidate(shortPath.data(), got);
    return ToCodePageExactly(candidate, CP_ACP) ? candidate : std::wstring();
}

// The system's temporary folder (of Windows itself, not the player's), as
// the ANSI code page can spell it, ending in "\".
std::wstring SystemTempFolder() {
    wchar_t windows[MAX_PATH] = {};
    const UINT got = ::GetSystemWindowsDirectoryW(windows, MAX_PATH);
    if (got == 0 || got >= MAX_PATH) return std::wstring();
    std::wstring folder = AnsiSpellablePath(std::wstring(windows, got) + L"\\Temp");
    if (!folder.empty()) folder += L'\\';
    return folder;
}

// Something `make` makes new in `folder` under a random name as `nameFor`
// spells it; the path, or empty.
template <typename Make>
std::wstring MakeNew(const std::wstring& folder, std::wstring (*nameFor)(uint32_t), Make make) {
    return MakeAtRandomPath([&](uint32_t random) { return folder + nameFor(random); }, make);
}

struct ScriptFile {
    std::wstring path;
    fw::FileHandle file;
};

// The script's file, made new in a folder made new for it: the player's own
// temporary folder would let any program of theirs swap the script's lines
// while cmd reads them. Only administrators may open or change either.
ScriptFile CreateScriptFile(AdminOnlySecurity& security) {
    const std::wstring temp = SystemTempFolder();
    if (temp.empty()) return {};
    const std::wstring folder = MakeNew(temp, SelfDeleteFolderName, [&](const std::wstring& path) {
        return ::CreateDirectoryW(path.c_str(), security.attributes()) != FALSE;
    });
    if (folder.empty()) return {};
    ScriptFile script;
    script.path = MakeNew(folder + L"\\", SelfDeleteScriptName, [&](const std::wstring& path) {
        script.file = CreateNewFile(path, GENERIC_WRITE, FILE_SHARE_READ, security.attributes());
        return static_cast<bool>(script.file);
    });
    if (script.path.empty()) ::RemoveDirectoryW(folder.c_str());
    return script;
}

bool WriteAll(HANDLE file, const std::string& bytes) {
    DWORD written = 0;
    return ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}

bool StartHidden(const std::wstring& scriptPath) {
    const StartedProcess started = StartProcess(L"\"" + scriptPath + L"\"", 0, SW_HIDE);
    if (!started.process) return false;
    // It only waits for us to end; it should take no time from anyone else.
    ::SetThreadPriority(started.thread.get(), THREAD_PRIORITY_IDLE);
    return true;
}
}  // namespace

bool WriteSelfDeleteScript() {
    const std::wstring exePath = AnsiSpellablePath(GetExePath());
    if (exePath.empty()) return false;
    AdminOnlySecurity security;
    if (!security.ok()) return false;
    ScriptFile script = CreateScriptFile(security);
    if (!script.file) return false;
    const bool removeFolder = CanRemoveExeFolder(exePath, CountFilesBelow(FolderOfPath(exePath)));
    const std::optional<std::string> text =
        ToCodePageExactly(SelfDeleteScriptText(exePath, script.path, removeFolder), CP_ACP);
    const bool written = text && WriteAll(script.file.get(), *text);
    script.file.reset();
    if (!written) {
        ::DeleteFileW(script.path.c_str());
        ::RemoveDirectoryW(FolderOfPath(script.path).c_str());
        return false;
    }
    return StartHidden(script.path);
}
