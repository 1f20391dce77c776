#pragma once
// The update decisions that need no platform: the version key, the rest days
// and whether the automatic check is due.
#include <cstdint>
#include <string>

#include "base/ProgramVersion.h"

// The version with every "." removed: "3001".
std::wstring VersionDigits(const std::wstring& version);

// The local key: a 32-character digest whose last characters are replaced by
// the version digits. Empty when there is no 32-character digest to build it
// from (a shorter key is never built).
std::wstring LocalVersionKey(const std::wstring& md5Hex, const std::wstring& digits);

// Whether the published key differs from the local one (letter case ignored).
// Only equality matters: no key counts as newer than another.
bool IsDifferentBuild(const std::wstring& remoteKey, const std::wstring& localKey);

// How many leading characters of a published key are the build's digest;
// the rest are the version digits that the build puts there itself.
constexpr size_t kKeyDigestChars = 28;

// The digest a published key names: its first 28 characters, lower-cased,
// when the key has 32 characters and those 28 are hexadecimal digits. Empty
// otherwise: such a key names no build, and no download can be checked
// against it.
std::wstring KeyDigestPrefix(const std::wstring& key);

// Whether a downloaded file whose MD5 is `md5Hex` is the build `key` names.
bool IsBuildOfKey(const std::wstring& md5Hex, const std::wstring& key);

// The C runtime's generator as the launcher has always used it: never seeded,
// so its first two values are 41 and 18467.
class CrtRandom {
public:
    int Next();

private:
    uint32_t m_seed = 1;
};

// Rest days from two generator values and the millisecond of the current
// time: the registry value whose bytes are D2, D1, D3, 0.
uint32_t ComputeRestDays(int r1, int r2, unsigned millisecond);

struct Date {
    int year = 0, month = 0, day = 0;
};

// Whether the automatic check may run today (UTC): not on the day of the
// last update, not on a rest day.
bool IsUpdateCheckDueOn(const Date& lastUpdate, uint32_t disableDays, const Date& today, int dayOfWeek);

// The system's list of what to rename or delete at the next reboot (the
// registry value PendingFileRenameOperations): NUL-terminated strings in
// pairs, a source in the "\??\C:\..." form and a target, an empty target
// meaning delete. Deletions leave empty strings inside the list, so it is
// read by pairs over its whole length. Returns `list` without the deletions
// of `path` (compared without letter case), in the same form; everything
// else stays as it was, in its order.
std::wstring WithoutPendingDeletionOf(const std::wstring& list, const std::wstring& path);
