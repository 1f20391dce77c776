#include "base/StartProgram.h"

#include <windows.h>

#include <vector>

#include "base/PathText.h"
#include "base/ProgramPaths.h"

namespace {
StartedProcess Start(HANDLE token, const std::wstring& commandLine, unsigned long creationFlags, int showCommand) {
    // CreateProcess may write into the command line: give it its own copy.
    std::vector<wchar_t> buf(commandLine.begin(), commandLine.end());
    buf.push_back(L'\0');
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = static_cast<WORD>(showCommand);
    PROCESS_INFORMATION pi{};
    const BOOL started =
        token ? ::CreateProcessAsUserW(token, nullptr, buf.data(), nullptr, nullptr, FALSE, creationFlags, nullptr,
                                       nullptr, &si, &pi)
              : ::CreateProcessW(nullptr, buf.data(), nullptr, nullptr, FALSE, creationFlags, nullptr, nullptr, &si, &pi);
    if (!started) return StartedProcess{};
    return StartedProcess{fw::KernelHandle(pi.hProcess), fw::KernelHandle(pi.hThread)};
}
}  // namespace

StartedProcess StartProcess(const std::wstring& commandLine, unsigned long creationFlags, int showCommand) {
    return Start(nullptr, commandLine, creationFlags, showCommand);
}

StartedProcess StartProcessAs(HANDLE token, const std::wstring& commandLine, unsigned long creationFlags,
                              int showCommand) {
    return token ? Start(token, commandLine, creationFlags, showCommand) : StartedProcess{};
}

fw::KernelHandle StartIdleProcess(const std::wstring& commandLine) {
    return StartProcess(commandLine, IDLE_PRIORITY_CLASS, SW_SHOWNORMAL).process;
}

void StartProgram(const std::wstring& commandLine) {
    StartIdleProcess(commandLine.empty() ? CommandLineProgram(GetExePath()) : commandLine);
}
