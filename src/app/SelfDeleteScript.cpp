#include "app/SelfDeleteScript.h"

#include "base/PathText.h"

namespace {
// cmd expands "%" even inside quotes; doubled it stays a plain character of
// the path instead of naming some variable's value.
std::wstring BatchLiteral(const std::wstring& path) {
    std::wstring out;
    out.reserve(path.size());
    for (wchar_t c : path) {
        out += c;
        if (c == L'%') out += L'%';
    }
    return out;
}

std::wstring Quoted(const std::wstring& path) { return L"\"" + BatchLiteral(path) + L"\""; }

bool IsDriveRoot(const std::wstring& folder) {
    return folder.size() <= 2 && (folder.empty() || folder.back() == L':');
}
}  // namespace

std::wstring SelfDeleteScriptName(uint32_t random) { return L"Del" + EightHexDigits(random) + L".tmp.bat"; }

std::wstring SelfDeleteFolderName(uint32_t random) { return L"ZuvaUninstall-" + EightHexDigits(random); }

bool CanRemoveExeFolder(const std::wstring& exePath, unsigned filesInFolder) {
    return filesInFolder <= 1 && !IsDriveRoot(FolderOfPath(exePath));
}

std::wstring SelfDeleteScriptText(const std::wstring& exePath, const std::wstring& scriptPath, bool removeFolder) {
    const std::wstring exe = Quoted(exePath);
    // One local ping is the pause between tries: the executable can be
    // deleted only once its process has ended.
    std::wstring text = L"cd\\\r\n"
                        L":delexe\r\n"
                        L"ping -n 1 127.0.0.1\r\n"
                        L"del " + exe + L"\r\n"
                        L"if exist " + exe + L" goto :delexe\r\n";
    if (removeFolder) {
        const std::wstring folder = Quoted(FolderOfPath(exePath));
        text += L"del " + folder + L" /Q /F /A\r\n";
        text += L"rd " + folder + L"\r\n";
    }
    text += L"del " + Quoted(scriptPath) + L" & rd " + Quoted(FolderOfPath(scriptPath)) + L"\r\n";
    return text;
}
