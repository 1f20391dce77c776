#pragma once
// The file version an executable states in its version resource, and whether
// a downloaded build is newer than the running one. A download that is not
// newer is refused, so that an older build signed by the same publisher
// cannot be pushed back. The download is held open and never handed to the
// system loader, so its resource is found by walking the image ourselves,
// reading every range through a callback and trusting no count or offset.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

struct FileVersion {
    uint16_t major = 0, minor = 0, build = 0, revision = 0;
};

bool operator==(const FileVersion& a, const FileVersion& b);
bool operator!=(const FileVersion& a, const FileVersion& b);
// Major first, revision last.
bool operator<(const FileVersion& a, const FileVersion& b);

// Reads `size` bytes at `offset` of the image into `out`; false when the
// range is not all in the file.
using ImageReader = std::function<bool(uint64_t offset, uint32_t size, std::string* out)>;

// A version resource larger than this is refused rather than read.
constexpr uint32_t kMaxVersionResourceBytes = 64 * 1024;

// The bytes of the image's version resource: the first name of that type,
// in its first language. Empty when the image has none, or when any structure
// on the way points outside the image or the resource tree.
std::optional<std::string> VersionResourceOf(const ImageReader& read);

// The file version a version resource (VS_VERSIONINFO) states in its fixed
// part. Empty when the block has no fixed part where its layout puts one.
std::optional<FileVersion> FixedFileVersion(const std::string& versionResource);

// Whether `candidate` is strictly newer than `running`.
bool IsNewerVersion(const FileVersion& candidate, const FileVersion& running);
