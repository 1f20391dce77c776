#include "app/DataFolderRecord.h"

#include <windows.h>

#include <optional>

#include "framework/Handles.h"

namespace {
const wchar_t kRecordKey[] = L"Software\\Korvel\\GameLogin";
const wchar_t kRecordValue[] = L"ZuvaDataFolder";

// What tells one folder from any other, even one made later under its name:
// NTFS gives a file id again only with a new sequence number in its top bits.
// (The creation time would not help: its owner may set it, and Wine reports
// the time of the folder's last change instead.)
struct FolderIdentity {
    DWORD volume = 0;
    DWORD indexHigh = 0, indexLow = 0;
};

std::optional<FolderIdentity> IdentityOf(const std::wstring& folder) {
    const fw::FileHandle opened(::CreateFileW(folder.c_str(), FILE_READ_ATTRIBUTES,
                                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT,
                                              nullptr));
    BY_HANDLE_FILE_INFORMATION info{};
    if (!opened || !::GetFileInformationByHandle(opened.get(), &info)) return std::nullopt;
    if ((info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) || !(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return std::nullopt;
    return FolderIdentity{info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow};
}

bool Same(const FolderIdentity& a, const FolderIdentity& b) {
    return a.volume == b.volume && a.indexHigh == b.indexHigh && a.indexLow == b.indexLow;
}
}  // namespace

bool IsRecordedDataFolder(const std::wstring& folder) {
    FolderIdentity recorded;
    DWORD type = 0, size = sizeof(recorded);
    if (::RegGetValueW(HKEY_LOCAL_MACHINE, kRecordKey, kRecordValue, RRF_RT_REG_BINARY, &type, &recorded, &size) !=
            ERROR_SUCCESS ||
        size != sizeof(recorded))
        return false;
    const std::optional<FolderIdentity> now = IdentityOf(folder);
    return now && Same(*now, recorded);
}

bool RecordDataFolder(const std::wstring& folder) {
    const std::optional<FolderIdentity> identity = IdentityOf(folder);
    if (!identity) return false;
    HKEY key = nullptr;
    if (::RegCreateKeyExW(HKEY_LOCAL_MACHINE, kRecordKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return false;
    const fw::RegKey owned(key);
    return ::RegSetValueExW(key, kRecordValue, 0, REG_BINARY, reinterpret_cast<const BYTE*>(&*identity),
                            sizeof(*identity)) == ERROR_SUCCESS;
}
