#include "app/SelfDelete.h"

#include <windows.h>

#include <string>
#include <vector>

#include "app/FileCount.h"
#include "app/LaunchModeWin.h"
#include "app/SelfDeleteScript.h"
#include "base/AnsiText.h"
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

// A fresh script path in the temporary folder. The system creates the empty
// file of the unique name; the script is that name with ".bat" appended.
std::wstring NewScriptPath() {
    wchar_t temp[MAX_PATH] = {};
    const DWORD got = ::GetTempPathW(MAX_PATH, temp);
    if (got == 0 || got >= MAX_PATH) return std::wstring();
    const std::wstring folder = AnsiSpellablePath(temp);
    if (folder.empty()) return std::wstring();
    wchar_t unique[MAX_PATH] = {};
    if (!::GetTempFileNameW(folder.c_str(), L"DelSelf", 0, unique)) return std::wstring();
    return std::wstring(unique) + L".bat";
}

bool AppendToFile(const std::wstring& path, const std::string& bytes) {
    fw::FileHandle file(::CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    DWORD written = 0;
    return ::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
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
    const std::wstring scriptPath = NewScriptPath();
    if (scriptPath.empty()) return false;
    const std::wstring exePath = AnsiSpellablePath(GetExePath());
    if (exePath.empty()) return false;
    const bool removeFolder = CanRemoveExeFolder(exePath, CountFilesBelow(FolderOfPath(exePath)));
    const std::optional<std::string> script =
        ToCodePageExactly(SelfDeleteScriptText(exePath, scriptPath, removeFolder), CP_ACP);
    if (!script || !AppendToFile(scriptPath, *script)) return false;
    return StartHidden(scriptPath);
}
