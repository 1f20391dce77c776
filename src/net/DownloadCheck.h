#pragma once
// Whether a downloaded file may replace the running executable.
#include <windows.h>

#include <string>

// True when the download at `path`, held open by the caller and read only
// through `file` (so that nothing can change it between check and swap), is
// the build `key` names (its MD5 begins with the key's 28 digits), a whole
// executable image, signed by the publisher this build names
// (PublisherSignature.h), and newer than the running build by its file
// version, so that an older build of the same publisher cannot be pushed back.
bool IsAnnouncedBuild(HANDLE file, const std::wstring& path, const std::wstring& key);
