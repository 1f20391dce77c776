#pragma once
// Whether a downloaded file may replace the running executable.
#include <string>

// True when `download` is the build `key` names (its MD5 begins with the
// key's 28 digits), a whole executable image, and from the publisher of
// `running` (PublisherSignature.h).
bool IsAnnouncedBuild(const std::wstring& download, const std::wstring& key, const std::wstring& running);
