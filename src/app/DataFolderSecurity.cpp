#include "app/DataFolderSecurity.h"

#include <windows.h>
#include <aclapi.h>
#include <sddl.h>

#include <string>

#include "app/FolderSecurityRules.h"
#include "base/StartupTrace.h"
#include "framework/Handles.h"

namespace {

// The data folder's descriptor, built once per call from its text.
class FolderDescriptor {
public:
    FolderDescriptor() {
        PSECURITY_DESCRIPTOR built = nullptr;
        if (::ConvertStringSecurityDescriptorToSecurityDescriptorW(kDataFolderSddl, SDDL_REVISION_1, &built,
                                                                   nullptr))
            m_memory.reset(built);
        // Without an owner a set would leave it to whoever holds it, without
        // a DACL it would open the folder to everyone.
        PSID owner = nullptr;
        PACL dacl = nullptr;
        BOOL present = FALSE, defaulted = FALSE;
        if (built && ::GetSecurityDescriptorOwner(built, &owner, &defaulted) &&
            ::GetSecurityDescriptorDacl(built, &present, &dacl, &defaulted) && present)
            m_ok = owner && dacl;
    }
    bool ok() const { return m_ok; }
    PSECURITY_DESCRIPTOR descriptor() const { return m_memory.get(); }

private:
    fw::LocalMemory m_memory;
    bool m_ok = false;
};

// What a user owns and denies us the launcher can still read, take and set
// only with these privileges, which an elevated token holds but has not
// enabled: backup to read a descriptor (an open for READ_CONTROL), restore
// and take-ownership to write one. They are put back as they were afterwards.
class RepairPrivileges {
public:
    RepairPrivileges() {
        HANDLE token = nullptr;
        if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token)) return;
        m_token.reset(token);
        Privileges wanted{kCount, {}};
        const wchar_t* const names[kCount] = {SE_BACKUP_NAME, SE_RESTORE_NAME, SE_TAKE_OWNERSHIP_NAME};
        for (DWORD i = 0; i < kCount; ++i) {
            if (!::LookupPrivilegeValueW(nullptr, names[i], &wanted.privileges[i].Luid)) return;
            wanted.privileges[i].Attributes = SE_PRIVILEGE_ENABLED;
        }
        DWORD size = sizeof(m_before);
        m_adjusted = ::AdjustTokenPrivileges(m_token.get(), FALSE, reinterpret_cast<TOKEN_PRIVILEGES*>(&wanted),
                                             sizeof(m_before), reinterpret_cast<TOKEN_PRIVILEGES*>(&m_before),
                                             &size) != FALSE;
    }
    ~RepairPrivileges() {
        if (m_adjusted) ::AdjustTokenPrivileges(m_token.get(), FALSE, reinterpret_cast<TOKEN_PRIVILEGES*>(&m_before),
                                                0, nullptr, nullptr);
    }
    RepairPrivileges(const RepairPrivileges&) = delete;
    RepairPrivileges& operator=(const RepairPrivileges&) = delete;

private:
    static constexpr DWORD kCount = 3;
    struct Privileges {
        DWORD count;
        LUID_AND_ATTRIBUTES privileges[kCount];
    };
    fw::KernelHandle m_token;
    Privileges m_before{};
    bool m_adjusted = false;
};

// Opens `path` itself, a link included, to read and set its security; with
// the backup and restore privileges this works whatever its DACL says.
fw::FileHandle OpenForSecurity(const std::wstring& path) {
    return fw::FileHandle(::CreateFileW(path.c_str(), READ_CONTROL | WRITE_DAC | WRITE_OWNER,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                        FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
}

bool IsLink(const BY_HANDLE_FILE_INFORMATION& info) {
    return (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

// The owner and DACL of the object behind `file`, as the system writes them.
std::optional<SecurityDescription> SecurityOf(HANDLE file) {
    PSECURITY_DESCRIPTOR got = nullptr;
    if (::GetSecurityInfo(file, SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION, nullptr,
                          nullptr, nullptr, nullptr, &got) != ERROR_SUCCESS)
        return std::nullopt;
    fw::LocalMemory owned(got);
    LPWSTR text = nullptr;
    if (!::ConvertSecurityDescriptorToStringSecurityDescriptorW(
            got, SDDL_REVISION_1, OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION, &text, nullptr))
        return std::nullopt;
    fw::LocalMemory ownedText(text);
    return ParseSddl(text);
}

// Sets the owner and DACL of the object behind `file` and of nothing else.
// SetSecurityInfo would also rewrite the inherited entries of everything
// below a folder: in "Korvel" other programs' folders, in the data folder a
// file with other names elsewhere. The protection from above travels in the
// descriptor's control ("P").
bool GiveToAdministrators(HANDLE file, const FolderDescriptor& wanted) {
    return ::SetKernelObjectSecurity(file, OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION,
                                     wanted.descriptor()) != FALSE;
}

// A folder of ours, made a real folder with the wanted descriptor. Nothing
// when it cannot be: missing and not to be created, or a file.
fw::FileHandle StandingFolder(const std::wstring& path, bool create, const FolderDescriptor& wanted) {
    DWORD attributes = ::GetFileAttributesW(path.c_str());
    // A junction where the folder belongs would lead every write elsewhere:
    // the link goes, and the folder is made anew.
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) &&
        ::RemoveDirectoryW(path.c_str()))
        attributes = INVALID_FILE_ATTRIBUTES;
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        if (!create) return fw::FileHandle();
        SECURITY_ATTRIBUTES security{sizeof(security), wanted.descriptor(), FALSE};
        if (!::CreateDirectoryW(path.c_str(), &security)) return fw::FileHandle();
    }
    fw::FileHandle folder = OpenForSecurity(path);
    BY_HANDLE_FILE_INFORMATION info{};
    if (!folder || !::GetFileInformationByHandle(folder.get(), &info) || IsLink(info) ||
        !(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return fw::FileHandle();
    return folder;
}

// The data folder's files, given to Administrators with its DACL. A link, a
// folder or a file with other names elsewhere (a hard link to something of
// the system's) is nothing of ours and is left as it is. Counts what was set.
void SecureFilesIn(const std::wstring& folder, const FolderDescriptor& wanted, int* set, int* failed) {
    WIN32_FIND_DATAW found{};
    fw::FindFileHandle find(::FindFirstFileExW((folder + L"\\*").c_str(), FindExInfoBasic, &found,
                                               FindExSearchNameMatch, nullptr, 0));
    if (!find) return;
    do {
        if (found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) continue;
        fw::FileHandle file = OpenForSecurity(folder + L"\\" + found.cFileName);
        BY_HANDLE_FILE_INFORMATION info{};
        if (!file || !::GetFileInformationByHandle(file.get(), &info) || IsLink(info) || info.nNumberOfLinks != 1)
            continue;
        ++(GiveToAdministrators(file.get(), wanted) ? *set : *failed);
    } while (::FindNextFileW(find.get(), &found));
}

// The folder above the data folder, standing and made safe: who may rename
// folders there may put another in the data folder's place. Counts what
// was set.
fw::FileHandle SecureFolderAbove(const std::wstring& folder, bool create, const FolderDescriptor& wanted, int* set,
                                 int* failed) {
    const size_t slash = folder.find_last_of(L'\\');
    if (slash == std::wstring::npos) return fw::FileHandle();
    fw::FileHandle above = StandingFolder(folder.substr(0, slash), create, wanted);
    if (!above) return above;
    const std::optional<SecurityDescription> aboveNow = SecurityOf(above.get());
    if (!aboveNow || !IsSafeAboveDataFolder(*aboveNow)) ++(GiveToAdministrators(above.get(), wanted) ? *set : *failed);
    return above;
}

}  // namespace

bool SecureDataFolder(const std::wstring& folder, bool create) {
    const FolderDescriptor wanted;
    if (!wanted.ok()) return false;
    const RepairPrivileges privileges;
    int set = 0, failed = 0;
    fw::FileHandle above = SecureFolderAbove(folder, create, wanted, &set, &failed);
    fw::FileHandle data = above ? StandingFolder(folder, create, wanted) : fw::FileHandle();
    if (!data) {
        TraceStartupStep("data folder secured: none there");
        return false;
    }
    const std::optional<SecurityDescription> dataNow = SecurityOf(data.get());
    if (!dataNow || !IsDataFolderSecurity(*dataNow)) {
        ++(GiveToAdministrators(data.get(), wanted) ? set : failed);
        SecureFilesIn(folder, wanted, &set, &failed);
    }
    const std::string mark = "data folder secured: " + std::to_string(set) + " set, " + std::to_string(failed) +
                             " failed";
    TraceStartupStep(mark.c_str());
    return failed == 0;
}

bool MakeNewDataFolder(const std::wstring& folder) {
    const FolderDescriptor wanted;
    if (!wanted.ok()) return false;
    const RepairPrivileges privileges;
    int set = 0, failed = 0;
    const fw::FileHandle above = SecureFolderAbove(folder, true, wanted, &set, &failed);
    SECURITY_ATTRIBUTES security{sizeof(security), wanted.descriptor(), FALSE};
    const bool made = above && failed == 0 && ::CreateDirectoryW(folder.c_str(), &security);
    const std::string mark = "data folder secured: made new, " + std::to_string(set + (made ? 1 : 0)) + " set, " +
                             std::to_string(failed + (made ? 0 : 1)) + " failed";
    TraceStartupStep(mark.c_str());
    return made;
}
