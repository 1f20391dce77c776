#include "base/ProgramPaths.h"

#include <windows.h>
#include <shlobj.h>

#include <vector>

#include "base/PathText.h"
#include "base/ShellFolder.h"

std::wstring GetDataFolder() {
    const std::wstring common = ShellFolderPath(CSIDL_COMMON_APPDATA);
    if (common.empty()) return std::wstring();
    return common + kDataSubfolder;
}

std::wstring GetExePath() {
    std::vector<wchar_t> buf(MAX_PATH);
    for (;;) {
        DWORD got = ::GetModuleFileNameW(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
        if (got == 0) return std::wstring();
        if (got < buf.size()) return std::wstring(buf.data(), got);
        buf.resize(buf.size() * 2);
    }
}
