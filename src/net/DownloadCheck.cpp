#include "net/DownloadCheck.h"

#include <windows.h>

#include "framework/Handles.h"
#include "net/ExeImage.h"
#include "net/FileDigest.h"
#include "net/PublisherSignature.h"
#include "net/UpdateRules.h"

namespace {
// Whether the file is a whole executable image (ExeImage.h).
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
}  // namespace

bool IsAnnouncedBuild(const std::wstring& download, const std::wstring& key, const std::wstring& running) {
    // The digest first: it settles nearly every bad download, and the
    // signature check reads the whole file again.
    std::wstring digest;
    if (!FileMd5Hex(download, &digest) || !IsBuildOfKey(digest, key)) return false;
    return IsWholeExeFile(download) && IsFromRunningPublisher(download, running);
}
