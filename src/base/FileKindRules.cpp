#include "base/FileKindRules.h"

namespace {
bool IsKnownFileId(uint64_t id) { return id != 0 && id != ~uint64_t{0}; }
}  // namespace

bool IsReparsePoint(uint32_t attributes) {
    return attributes != kInvalidAttributes && (attributes & kAttributeReparsePoint) != 0;
}

bool IsFolderLink(uint32_t attributes) {
    return IsReparsePoint(attributes) && (attributes & kAttributeDirectory) != 0;
}

bool IsRealFolder(uint32_t attributes) {
    return attributes != kInvalidAttributes && (attributes & kAttributeDirectory) != 0 && !IsReparsePoint(attributes);
}

bool OpenedAsListed(uint32_t listedAttributes, uint64_t listedId, uint32_t openedAttributes, uint64_t openedId) {
    const uint32_t kind = kAttributeDirectory | kAttributeReparsePoint;
    if (listedAttributes == kInvalidAttributes || openedAttributes == kInvalidAttributes) return false;
    if ((listedAttributes & kind) != (openedAttributes & kind)) return false;
    return !IsKnownFileId(listedId) || !IsKnownFileId(openedId) || listedId == openedId;
}
