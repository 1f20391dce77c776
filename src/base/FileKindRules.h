#pragma once
// What a file's attributes and id say, with no platform call: whether an
// entry is a real folder or a link, and whether what its name opened is
// still the entry a listing showed. An elevated launcher that deletes or
// writes in folders a standard user can change must not be led elsewhere by
// a link put there, before or after it looked.
#include <cstdint>

// The file attributes the decisions look at (the platform's values).
constexpr uint32_t kAttributeReadOnly = 0x00000001;
constexpr uint32_t kAttributeDirectory = 0x00000010;
constexpr uint32_t kAttributeReparsePoint = 0x00000400;
constexpr uint32_t kInvalidAttributes = 0xFFFFFFFF;  // what a failed attribute query answers

// A junction, a symbolic link or any other reparse point. A failed query is
// none.
bool IsReparsePoint(uint32_t attributes);

// A junction or directory symbolic link: a folder that must never be entered,
// because what it holds lies elsewhere.
bool IsFolderLink(uint32_t attributes);

// A folder that is no link: the only kind that may be entered.
bool IsRealFolder(uint32_t attributes);

// Whether the file a listed entry's name opened is that entry: a real folder,
// a link or a file as the listing said, and the same file where both file ids
// are known (0 and all ones stand for an id the file system does not give).
// Anything put in the entry's place since the listing is not.
bool OpenedAsListed(uint32_t listedAttributes, uint64_t listedId, uint32_t openedAttributes, uint64_t openedId);
