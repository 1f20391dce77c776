#include "net/Updater.h"

#include <windows.h>

#include "base/BuildConfig.h"
#include "base/ProgramPaths.h"
#include "base/SettingsStore.h"
#include "framework/Handles.h"
#include "net/DownloadCheck.h"
#include "net/FileDigest.h"
#include "net/HeldDownload.h"
#include "net/HttpClient.h"
#include "net/PublisherSignature.h"
#include "net/UpdateRules.h"

namespace {

std::wstring ExeFolder() {
    const std::wstring exe = GetExePath();
    return exe.substr(0, exe.find_last_of(L'\\'));
}

std::wstring ReadConfigValue(const std::wstring& file, const wchar_t* key, DWORD chars) {
    std::wstring buf(chars, L'\0');
    const DWORD got = ::GetPrivateProfileStringW(L"VerKey", key, L"", &buf[0], chars, file.c_str());
    buf.resize(got);
    return buf;
}

// The key round-trips through the ANSI code page, as the configuration
// reader always kept it: at most 63 bytes.
std::wstring ThroughAnsi(const std::wstring& key) {
    char bytes[64] = {};
    const int n = ::WideCharToMultiByte(CP_ACP, 0, key.c_str(), static_cast<int>(key.size()), bytes,
                                        sizeof(bytes) - 1, nullptr, nullptr);
    wchar_t back[65] = {};
    const int m = ::MultiByteToWideChar(CP_ACP, 0, bytes, n, back, 64);
    return std::wstring(back, static_cast<size_t>(m > 0 ? m : 0));
}

bool MoveReplacing(const std::wstring& from, const std::wstring& to) {
    return ::MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING) != FALSE;
}

void DeleteAtReboot(const std::wstring& path) {
    ::MoveFileExW(path.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
}

// Nothing of a download that is not to be used stays beside the executable;
// only a file that cannot go now waits for the next reboot.
void DiscardDownload(const std::wstring& path) {
    if (!::DeleteFileW(path.c_str()) && ::GetLastError() != ERROR_FILE_NOT_FOUND) DeleteAtReboot(path);
}

const wchar_t kSessionManager[] = L"SYSTEM\\CurrentControlSet\\Control\\Session Manager";
const wchar_t kPendingRenames[] = L"PendingFileRenameOperations";

// Takes `path` off the list of what the system deletes at the next reboot.
void CancelDeletionAtReboot(const std::wstring& path) {
    HKEY opened = nullptr;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, kSessionManager, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, &opened) !=
        ERROR_SUCCESS)
        return;
    fw::RegKey key(opened);
    DWORD type = 0, bytes = 0;
    if (::RegQueryValueExW(key.get(), kPendingRenames, nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS ||
        type != REG_MULTI_SZ)
        return;
    std::wstring list(bytes / sizeof(wchar_t), L'\0');
    if (list.empty() || ::RegQueryValueExW(key.get(), kPendingRenames, nullptr, &type,
                                           reinterpret_cast<BYTE*>(&list[0]), &bytes) != ERROR_SUCCESS)
        return;
    list.resize(bytes / sizeof(wchar_t));
    const std::wstring kept = WithoutPendingDeletionOf(list, path);
    if (kept == list) return;
    if (kept.empty()) {
        ::RegDeleteValueW(key.get(), kPendingRenames);
        return;
    }
    ::RegSetValueExW(key.get(), kPendingRenames, 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(kept.data()),
                     static_cast<DWORD>(kept.size() * sizeof(wchar_t)));
}

bool FileIsMissing(const std::wstring& path) {
    return ::GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES &&
           (::GetLastError() == ERROR_FILE_NOT_FOUND || ::GetLastError() == ERROR_PATH_NOT_FOUND);
}

// A file of a process that has just ended may stay locked a moment longer.
bool MoveReplacingPatiently(const std::wstring& from, const std::wstring& to) {
    for (int attempt = 0; attempt < 20; ++attempt) {
        if (MoveReplacing(from, to)) return true;
        ::Sleep(100);
    }
    return false;
}

}  // namespace

bool IsUpdateCheckDue() {
    if (!CanReadRegistryKey()) return false;
    const SYSTEMTIME last = ReadUpdTime();
    SYSTEMTIME now{};
    ::GetSystemTime(&now);
    return IsUpdateCheckDueOn(Date{last.wYear, last.wMonth, last.wDay}, ReadDisableDays(),
                              Date{now.wYear, now.wMonth, now.wDay}, now.wDayOfWeek);
}

bool FetchUpdateConfig(std::wstring* remoteKey, std::wstring* updateAddress) {
    remoteKey->clear();
    const std::wstring file = ExeFolder() + L"\\ConfigZuva.htm";
    const std::wstring address = std::wstring(L"http://") + buildcfg::kServiceHost + L"/update/ConfigZuva.htm";
    if (!HttpDownloadFile(address, file, ConfigFetchLimit(), kMaxConfigBytes)) {
        // A partial configuration is nobody's to read.
        ::DeleteFileW(file.c_str());
        return false;
    }
    *updateAddress = ReadConfigValue(file, L"UpdAddr", 512);
    const std::wstring key = ReadConfigValue(file, L"Zuva", 64);
    ::DeleteFileW(file.c_str());
    *remoteKey = ThroughAnsi(key);
    return true;
}

int CheckForUpdate(bool forced, UpdateOffer* offer) {
    if (!forced && !IsUpdateCheckDue()) return 0;
    offer->key.clear();
    FetchUpdateConfig(&offer->key, &offer->address);
    if (offer->key.empty()) return 0;
    // A build that could not start here is not fetched again.
    const std::wstring failed = ReadFailedKey();
    if (!failed.empty() && !IsDifferentBuild(offer->key, failed)) return 0;
    std::wstring digest;
    // Without a digest of our own file nothing can be compared: no update.
    if (!FileMd5Hex(GetExePath(), &digest)) return 0;
    const std::wstring localKey = LocalVersionKey(digest, VersionDigits(kProgramVersion));
    if (localKey.empty()) return 0;
    return IsDifferentBuild(offer->key, localKey) ? 1 : 0;
}

UpdateResult ApplyUpdate(const DownloadInto& download, const UpdateOffer& offer) {
    const std::wstring folder = ExeFolder();
    const std::wstring exe = GetExePath();
    const std::wstring old = folder + L"\\OldZuva.exe";
    // No configuration came: there is nothing to fetch, as when a download fails.
    if (offer.key.empty()) return UpdateResult::NotApplied;
    // A key that names no digest could never be checked, and a build that
    // names no publisher takes no build from anyone: nothing to fetch.
    if (KeyDigestPrefix(offer.key).empty() || !NamesPublisher()) return UpdateResult::Refused;
    HeldDownload fresh(folder + L"\\NewZuva.exe");
    if (!fresh.ok()) return UpdateResult::NotApplied;
    if (!download(offer.address, fresh.handle())) return UpdateResult::NotApplied;
    // Whatever answered for the portal's host, only the build the key names,
    // from the publisher this build names, newer than this one, may take the
    // running executable's place.
    if (!IsAnnouncedBuild(fresh.handle(), fresh.path(), offer.key)) return UpdateResult::Refused;
    if (!MoveReplacing(exe, old)) return UpdateResult::NotApplied;
    if (!fresh.RenameTo(exe)) {
        // Put the running executable back rather than leave nothing to start.
        MoveReplacing(old, exe);
        return UpdateResult::NotApplied;
    }
    DeleteAtReboot(old);
    return UpdateResult::Swapped;
}

void RemoveNewBuildIfTestAsks() {
    if (buildcfg::kScripted && ::GetEnvironmentVariableW(L"ZUVA_TEST_REMOVE_NEW_BUILD", nullptr, 0) != 0)
        ::DeleteFileW(GetExePath().c_str());
}

bool RollBackUpdate(const std::wstring& failedKey) {
    WriteFailedKey(failedKey);
    const std::wstring exe = GetExePath();
    const std::wstring failed = ExeFolder() + L"\\NewZuva.exe";
    const std::wstring old = ExeFolder() + L"\\OldZuva.exe";
    // The previous build goes back where it stood, and must not go at the
    // next reboot as was due for it there.
    CancelDeletionAtReboot(old);
    // A scanner may have taken the new file away before it could start.
    const bool vanished = FileIsMissing(exe);
    // Should the previous build not go back, it stays as "OldZuva.exe":
    // better kept than lost.
    if (!vanished && !MoveReplacingPatiently(exe, failed)) return false;
    if (!MoveReplacing(old, exe)) {
        if (!vanished) MoveReplacing(failed, exe);
        return false;
    }
    // The failed build waits as "OldZuva.exe" for the next reboot.
    if (!vanished) {
        if (MoveReplacing(failed, old)) DeleteAtReboot(old);
        else DiscardDownload(failed);
    }
    return true;
}

bool MakeRestDays() {
    SYSTEMTIME now{};
    ::GetSystemTime(&now);
    CrtRandom random;
    const int r1 = random.Next();
    const int r2 = random.Next();
    return WriteDisableDays(ComputeRestDays(r1, r2, now.wMilliseconds));
}
