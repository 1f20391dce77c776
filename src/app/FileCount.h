#pragma once
#include <string>

// The files below `folder`, those in its subfolders included; folders
// themselves do not count. A folder that cannot be listed counts as one
// file, and so does a linked folder (a junction or symbolic link), which is
// not followed: whoever asks keeps a folder rather than empty it wrongly.
unsigned CountFilesBelow(const std::wstring& folder);
