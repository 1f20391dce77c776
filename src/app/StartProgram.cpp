#include "app/StartProgram.h"

#include <windows.h>

#include <vector>

#include "app/LaunchMode.h"
#include "app/LaunchModeWin.h"

fw::KernelHandle StartIdleProcess(const std::wstring& commandLine) {
    // CreateProcessW may write into the command line: give it its own copy.
    std::vector<wchar_t> buf(commandLine.begin(), commandLine.end());
    buf.push_back(L'\0');
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION pi{};
    if (!::CreateProcessW(nullptr, buf.data(), nullptr, nullptr, FALSE, IDLE_PRIORITY_CLASS, nullptr, nullptr, &si,
                          &pi))
        return fw::KernelHandle();
    ::CloseHandle(pi.hThread);
    return fw::KernelHandle(pi.hProcess);
}

void StartProgram(const std::wstring& commandLine) {
    StartIdleProcess(commandLine.empty() ? CommandLineProgram(GetExePath()) : commandLine);
}
