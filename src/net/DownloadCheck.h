#pragma once
// Whether a downloaded file may replace the running executable.
#include <windows.h>

#include <string>

// True when the download at `path`, held open by the caller and read only
// through `file` (so that nothing can change it between check and swap), is
// the build `key` names (its MD5 begins with the key's 28 digits), a whole
// executable image, signed by the publisher this build names
// (PublisherSignature.h), newer than the running build by its file version,
// so that an older build of the same publisher cannot be pushed back, and
// naming the same product as the running build in its version resource
// (VersionStrings.h), so that none of the publisher's other programs can.
bool IsAnnouncedBuild(HANDLE file, const std::wstring& path, const std::wstring& key);
