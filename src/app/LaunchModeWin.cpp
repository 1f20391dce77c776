#include "app/LaunchModeWin.h"

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <vector>

#include "base/ProgramPaths.h"
#include "framework/Handles.h"

namespace {

std::wstring ToUpper(std::wstring text) {
    if (!text.empty()) ::CharUpperBuffW(&text[0], static_cast<DWORD>(text.size()));
    return text;
}

// The arguments after the program name, split the way the platform does.
std::vector<std::wstring> ArgumentsOf(const wchar_t* commandLine) {
    std::vector<std::wstring> args;
    int count = 0;
    LPWSTR* argv = ::CommandLineToArgvW(commandLine, &count);
    if (!argv) return args;
    fw::LocalMemory owned(argv);
    for (int i = 1; i < count; ++i) args.emplace_back(argv[i]);
    return args;
}

}  // namespace

LaunchInfo LaunchInfoOf(const wchar_t* commandLine, const std::wstring& exePath) {
    std::vector<std::wstring> args;
    // CommandLineToArgvW answers an empty line with the module's own path.
    if (commandLine && *commandLine) args = ArgumentsOf(commandLine);
    return ParseLaunchMode(args, ToUpper(exePath), ToUpper(GetDataFolder()));
}

LaunchInfo GetLaunchInfo() { return LaunchInfoOf(::GetCommandLineW(), GetExePath()); }
