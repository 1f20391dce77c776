#include "base/NewFile.h"

#include "base/PathText.h"
#include "base/RandomNumber.h"

fw::FileHandle CreateNewFile(const std::wstring& path, DWORD access, DWORD share, SECURITY_ATTRIBUTES* security) {
    // Without FILE_FLAG_OPEN_REPARSE_POINT a dangling symbolic link there
    // would not count as existing: its target would be created instead.
    return fw::FileHandle(::CreateFileW(path.c_str(), access, share, security, CREATE_NEW,
                                        FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
}

fw::FileHandle CreateFileAnew(const std::wstring& path, DWORD access, DWORD share, SECURITY_ATTRIBUTES* security) {
    fw::FileHandle file = CreateNewFile(path, access, share, security);
    if (!file && ::GetLastError() == ERROR_FILE_EXISTS && ::DeleteFileW(path.c_str()))
        file = CreateNewFile(path, access, share, security);
    return file;
}

std::wstring MoveAside(const std::wstring& path) {
    if (::GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) return path;
    for (int attempt = 0; attempt < 16; ++attempt) {
        uint32_t random = 0;
        if (!RandomNumber(&random)) break;
        const std::wstring aside = path + L".aside-" + EightHexDigits(random);
        // Without MOVEFILE_REPLACE_EXISTING: a name someone took is never used.
        if (::MoveFileExW(path.c_str(), aside.c_str(), 0)) return aside;
        if (::GetLastError() != ERROR_ALREADY_EXISTS && ::GetLastError() != ERROR_FILE_EXISTS) break;
    }
    return std::wstring();
}
