#include "net/Updater.h"

#include <windows.h>

#include "base/BuildConfig.h"
#include "base/ProgramPaths.h"
#include "base/SettingsStore.h"
#include "net/DownloadCheck.h"
#include "net/FileDigest.h"
#include "net/HttpClient.h"
#include "net/PrgsDlg.h"
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
    if (!HttpDownloadFile(address, file, nullptr, nullptr, kMaxConfigBytes)) {
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

UpdateResult ApplyUpdate(CPrgsDlg& progress, const UpdateOffer& offer) {
    const std::wstring folder = ExeFolder();
    const std::wstring exe = GetExePath();
    const std::wstring fresh = folder + L"\\NewZuva.exe";
    const std::wstring old = folder + L"\\OldZuva.exe";
    // No configuration came: there is nothing to fetch, as when a download fails.
    if (offer.key.empty()) return UpdateResult::NotApplied;
    // A key that names no digest could never be checked: nothing to fetch.
    if (KeyDigestPrefix(offer.key).empty()) return UpdateResult::Refused;
    progress.m_strUrl = offer.address.substr(0, 511);
    progress.m_strTarget = fresh;
    if (progress.DoModal() != IDOK) {
        DiscardDownload(fresh);
        return UpdateResult::NotApplied;
    }
    // Whatever answered for the portal's host, only the build the key names,
    // from our own publisher, may take the running executable's place.
    if (!IsAnnouncedBuild(fresh, offer.key, exe)) {
        DiscardDownload(fresh);
        return UpdateResult::Refused;
    }
    if (!MoveReplacing(exe, old)) {
        DiscardDownload(fresh);
        return UpdateResult::NotApplied;
    }
    if (!MoveReplacing(fresh, exe)) {
        // Put the running executable back rather than leave nothing to start.
        MoveReplacing(old, exe);
        DiscardDownload(fresh);
        return UpdateResult::NotApplied;
    }
    DeleteAtReboot(old);
    return UpdateResult::Swapped;
}

bool RollBackUpdate(const std::wstring& failedKey) {
    WriteFailedKey(failedKey);
    const std::wstring exe = GetExePath();
    const std::wstring fresh = ExeFolder() + L"\\NewZuva.exe";
    const std::wstring old = ExeFolder() + L"\\OldZuva.exe";
    // Three renames, through the download's name, so that the failed build
    // ends as "OldZuva.exe", whose deletion at the next reboot is already due.
    if (!MoveReplacingPatiently(exe, fresh)) return false;
    if (!MoveReplacing(old, exe)) {
        MoveReplacing(fresh, exe);
        return false;
    }
    if (!MoveReplacing(fresh, old)) DiscardDownload(fresh);
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
