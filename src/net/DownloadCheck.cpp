#include "net/DownloadCheck.h"

#include <optional>
#include <vector>

#include "net/ExeImage.h"
#include "net/Md5.h"
#include "net/FileVersion.h"
#include "net/PublisherSignature.h"
#include "net/UpdateRules.h"
#include "net/VersionStrings.h"

namespace {
// Reads up to `size` bytes at `offset`, whatever the file pointer says: how
// many came (0 at the end), or nothing when the read failed.
std::optional<DWORD> ReadSomeAt(HANDLE file, uint64_t offset, void* buf, DWORD size) {
    OVERLAPPED at{};
    at.Offset = static_cast<DWORD>(offset);
    at.OffsetHigh = static_cast<DWORD>(offset >> 32);
    DWORD got = 0;
    if (::ReadFile(file, buf, size, &got, &at)) return got;
    if (::GetLastError() == ERROR_HANDLE_EOF) return DWORD{0};
    return std::nullopt;
}

bool ReadAt(HANDLE file, uint64_t offset, uint32_t size, std::string* out) {
    out->assign(size, '\0');
    const std::optional<DWORD> got = size ? ReadSomeAt(file, offset, &(*out)[0], size) : DWORD{0};
    return got && *got == size;
}

bool Md5OfFile(HANDLE file, std::wstring* hex) {
    // Large reads: each is a call into the system, and a build is megabytes.
    std::vector<uint8_t> chunk(64 * 1024);
    Md5 md5;
    for (uint64_t offset = 0;;) {
        const std::optional<DWORD> got = ReadSomeAt(file, offset, chunk.data(), static_cast<DWORD>(chunk.size()));
        // A failed read must not pass for the end of a shorter file.
        if (!got) return false;
        if (*got == 0) break;
        md5.Update(chunk.data(), *got);
        offset += *got;
    }
    *hex = Md5Hex(md5.Finish());
    return true;
}

bool IsWholeExeFile(HANDLE file) {
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file, &size)) return false;
    std::string head;
    const uint64_t length = static_cast<uint64_t>(size.QuadPart);
    const uint32_t want = static_cast<uint32_t>(length < kExeHeadBytes ? length : kExeHeadBytes);
    return ReadAt(file, 0, want, &head) && IsWholeExeImage(head, length);
}

std::optional<std::string> VersionResourceOfFile(HANDLE file) {
    return VersionResourceOf(
        [file](uint64_t offset, uint32_t size, std::string* out) { return ReadAt(file, offset, size, out); });
}

// The running build's own version resource: what it states of itself is
// what a download must state to succeed it, so the product's names live in
// one place (the resource script) and a build can never disagree with itself.
std::optional<std::string> RunningVersionResource() {
    HRSRC found = ::FindResourceW(nullptr, MAKEINTRESOURCEW(VS_VERSION_INFO), RT_VERSION);
    HGLOBAL loaded = found ? ::LoadResource(nullptr, found) : nullptr;
    const void* bytes = loaded ? ::LockResource(loaded) : nullptr;
    if (!bytes) return std::nullopt;
    return std::string(static_cast<const char*>(bytes), ::SizeofResource(nullptr, found));
}

// Newer than the running build, and a build of the same product: another
// program of the same publisher, however new, is not ours to run.
bool SucceedsRunningBuild(HANDLE file) {
    const std::optional<std::string> theirs = VersionResourceOfFile(file), ours = RunningVersionResource();
    if (!theirs || !ours) return false;
    const std::optional<FileVersion> theirVersion = FixedFileVersion(*theirs), ourVersion = FixedFileVersion(*ours);
    return theirVersion && ourVersion && IsNewerVersion(*theirVersion, *ourVersion) && IsSameProduct(*theirs, *ours);
}
}  // namespace

bool IsAnnouncedBuild(HANDLE file, const std::wstring& path, const std::wstring& key) {
    // The digest first: it settles nearly every bad download, and the
    // signature check reads the whole file again.
    std::wstring digest;
    if (!Md5OfFile(file, &digest) || !IsBuildOfKey(digest, key)) return false;
    return IsWholeExeFile(file) && IsSignedByPublisher(file, path) && SucceedsRunningBuild(file);
}
