#include "net/Updater.h"

#include <windows.h>

#include "app/BuildConfig.h"
#include "app/LaunchModeWin.h"
#include "app/SettingsStore.h"
#include "framework/Handles.h"
#include "net/ExeImage.h"
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

// Whether the downloaded file is a whole executable image (ExeImage.h).
bool IsWholeExeFile(const std::wstring& path) {
    fw::FileHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    LARGE_INTEGER size{};
    if (!file || !::GetFileSizeEx(file.get(), &size)) return false;
    std::string head(kExeHeadBytes, '\0');
    DWORD got = 0;
    if (!::ReadFile(file.get(), &head[0], static_cast<DWORD>(head.size()), &got, nullptr)) return false;
    head.resize(got);
    return IsWholeExeImage(head, static_cast<uint64_t>(size.QuadPart));
}

void DeleteAtReboot(const std::wstring& path) {
    ::MoveFileExW(path.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
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
    if (!HttpDownloadFile(address, file)) {
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

int CheckForUpdate(bool forced, std::wstring* updateAddress) {
    if (!forced && (!ModeChecksAutomatically(GetLaunchMode()) || !IsUpdateCheckDue())) return 0;
    std::wstring remoteKey;
    FetchUpdateConfig(&remoteKey, updateAddress);
    if (remoteKey.empty()) return 0;
    std::wstring digest;
    // Without a digest of our own file nothing can be compared: no update.
    if (!FileMd5Hex(GetExePath(), &digest)) return 0;
    const std::wstring localKey = LocalVersionKey(digest, VersionDigits(kProgramVersion));
    if (localKey.empty()) return 0;
    return IsDifferentBuild(remoteKey, localKey) ? 1 : 0;
}

bool ApplyUpdate(CPrgsDlg& progress, const std::wstring& updateAddress) {
    const std::wstring folder = ExeFolder();
    const std::wstring exe = GetExePath();
    const std::wstring fresh = folder + L"\\NewZuva.exe";
    const std::wstring old = folder + L"\\OldZuva.exe";
    progress.m_strUrl = updateAddress.substr(0, 511);
    progress.m_strTarget = fresh;
    // An answer can reach its announced length and still be no executable
    // (garbage, or cut short by a length that promised too little).
    if (progress.DoModal() != IDOK || !IsWholeExeFile(fresh)) {
        DeleteAtReboot(fresh);
        return false;
    }
    if (!MoveReplacing(exe, old)) {
        DeleteAtReboot(fresh);
        return false;
    }
    if (!MoveReplacing(fresh, exe)) {
        // Put the running executable back rather than leave nothing to start.
        MoveReplacing(old, exe);
        DeleteAtReboot(fresh);
        return false;
    }
    DeleteAtReboot(old);
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
