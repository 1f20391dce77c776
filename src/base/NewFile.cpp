#include "base/NewFile.h"

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
