#include "net/HeldDownload.h"

#include <cstddef>
#include <cstring>
#include <vector>

#include "base/NewFile.h"

HeldDownload::HeldDownload(const std::wstring& path)
    : m_path(path), m_file(CreateFileAnew(path, GENERIC_READ | GENERIC_WRITE | DELETE, FILE_SHARE_READ)) {}

HeldDownload::~HeldDownload() {
    if (!m_file) return;
    // Marked for deletion through the handle: gone when it closes, and no
    // other file that took its name meanwhile could be hit.
    FILE_DISPOSITION_INFO dispose{};
    dispose.DeleteFile = TRUE;
    ::SetFileInformationByHandle(m_file.get(), FileDispositionInfo, &dispose, sizeof(dispose));
}

bool HeldDownload::RenameTo(const std::wstring& target) {
    if (!m_file) return false;
    // FILE_RENAME_INFO ends in the name, which runs on past the structure
    // and is followed by a NUL (the zeroed rest of the buffer).
    const DWORD nameBytes = static_cast<DWORD>(target.size() * sizeof(wchar_t));
    std::vector<unsigned char> buffer(sizeof(FILE_RENAME_INFO) + nameBytes, 0);
    auto* rename = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
    rename->ReplaceIfExists = TRUE;
    rename->RootDirectory = nullptr;
    rename->FileNameLength = nameBytes;
    std::memcpy(buffer.data() + offsetof(FILE_RENAME_INFO, FileName), target.data(), nameBytes);
    if (!::SetFileInformationByHandle(m_file.get(), FileRenameInfo, rename, static_cast<DWORD>(buffer.size())))
        return false;
    m_file.reset();
    return true;
}
