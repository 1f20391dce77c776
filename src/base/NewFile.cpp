#include "base/NewFile.h"

fw::FileHandle CreateNewFile(const std::wstring& path, DWORD access, DWORD share, SECURITY_ATTRIBUTES* security,
                             DWORD flags) {
    // Without FILE_FLAG_OPEN_REPARSE_POINT a dangling symbolic link there
    // would not count as existing: its target would be created instead.
    return fw::FileHandle(::CreateFileW(path.c_str(), access, share, security, CREATE_NEW,
                                        FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT | flags, nullptr));
}

fw::FileHandle CreateFileAnew(const std::wstring& path, DWORD access, DWORD share, SECURITY_ATTRIBUTES* security,
                              DWORD flags) {
    fw::FileHandle file = CreateNewFile(path, access, share, security, flags);
    // A leftover that went meanwhile leaves the name free all the same.
    if (!file && ::GetLastError() == ERROR_FILE_EXISTS &&
        (::DeleteFileW(path.c_str()) || ::GetLastError() == ERROR_FILE_NOT_FOUND))
        file = CreateNewFile(path, access, share, security, flags);
    return file;
}

std::wstring MoveAside(const std::wstring& path) {
    if (::GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) return path;
    return MakeAtRandomPath([&](uint32_t random) { return path + L".aside-" + EightHexDigits(random); },
                            [&](const std::wstring& aside) {
                                // Without MOVEFILE_REPLACE_EXISTING: a name someone took is never used.
                                return ::MoveFileExW(path.c_str(), aside.c_str(), 0) != FALSE;
                            });
}
