#pragma once
// Self-update: whether the portal publishes a different build, fetching and
// checking it, swapping it for the running executable, and putting the
// previous build back when the new one cannot start.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

// What the update configuration publishes.
struct UpdateOffer {
    std::wstring key;      // the version key of the published build
    std::wstring address;  // where the new executable is
};

// The most the configuration may weigh: it holds two short lines.
constexpr uint64_t kMaxConfigBytes = 64 * 1024;

// True when the automatic check may run today (UTC).
bool IsUpdateCheckDue();

// Downloads the update configuration beside the executable, reads the
// published key and the new executable's address, and deletes the file.
// False, with an empty key, when the configuration did not arrive whole or
// weighs more than kMaxConfigBytes.
bool FetchUpdateConfig(std::wstring* remoteKey, std::wstring* updateAddress);

// Non-zero when a different build is published; zero when there is nothing
// to do, which covers every failure and a build that once failed to start
// here. `offer` receives what the configuration published. The automatic
// check (not `forced`) rests on the day of an update and on rest days; the
// launch modes that make it at all are the caller's to choose
// (ModeChecksAutomatically).
int CheckForUpdate(bool forced, UpdateOffer* offer);

enum class UpdateResult {
    Swapped,     // the new build stands where the running one stood
    NotApplied,  // the download failed or was cancelled, or the swap failed
    Refused,     // the download is not the build the key names, or not from our publisher, or not newer
};

// Fetches the address into the open file; true only when the whole file
// arrived. The composition root shows the progress dialog for it.
using DownloadInto = std::function<bool(const std::wstring& address, HANDLE target)>;

// Downloads the new executable into a file held until it has been checked
// and renamed into place, and swaps it in; the caller holds the UpdateLock
// (UpdateLock.h).
// Whatever is not Swapped leaves the running executable in place and no
// "NewZuva.exe" behind. A build that names no publisher refuses every
// download.
UpdateResult ApplyUpdate(const DownloadInto& download, const UpdateOffer& offer);

// The scripted build's tests play a scanner that takes the swapped-in file
// away before it can start (ZUVA_TEST_REMOVE_NEW_BUILD set in the
// environment); Zuva.exe never does.
void RemoveNewBuildIfTestAsks();

// A swapped-in build ended with an error within its watch, or never ran:
// puts the previous build back, even when the new file has vanished, and
// takes the previous build off the list of what goes at the next reboot;
// the failed build, if there, becomes "OldZuva.exe" and goes at the next
// reboot. Remembers `failedKey`, so that the check answers zero for it from
// now on. True when the previous build stands in place again.
bool RollBackUpdate(const std::wstring& failedKey);

// Picks and stores the three rest days of the automatic check.
bool MakeRestDays();
