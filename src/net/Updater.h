#pragma once
// Self-update: whether the portal publishes a different build, and swapping
// the running executable for the downloaded one.
#include <string>

class CPrgsDlg;

// True when the automatic check may run today (UTC).
bool IsUpdateCheckDue();

// Downloads the update configuration beside the executable, reads the
// published key and the new executable's address, and deletes the file.
// False, with an empty key, when the configuration did not arrive whole.
bool FetchUpdateConfig(std::wstring* remoteKey, std::wstring* updateAddress);

// Non-zero when a different build is published; zero when there is nothing
// to do, which covers every failure. `updateAddress` receives the address.
int CheckForUpdate(bool forced, std::wstring* updateAddress);

// Downloads the new executable under the progress dialog and swaps it in.
// True only when the new executable stands where the running one stood; on
// any failure the running executable is left (or put back) in place.
bool ApplyUpdate(CPrgsDlg& progress, const std::wstring& updateAddress);

// Picks and stores the three rest days of the automatic check.
bool MakeRestDays();
