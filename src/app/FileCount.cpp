#include "app/FileCount.h"

#include <windows.h>

#include "framework/Handles.h"

namespace {

bool IsDotEntry(const wchar_t* name) {
    return name[0] == L'.' && (name[1] == L'\0' || (name[1] == L'.' && name[2] == L'\0'));
}
}  // namespace

unsigned CountFilesBelow(const std::wstring& folder) {
    WIN32_FIND_DATAW entry{};
    fw::FindFileHandle find(::FindFirstFileW((folder + L"\\*").c_str(), &entry));
    if (!find) return 1;
    unsigned count = 0;
    do {
        if (IsDotEntry(entry.cFileName)) continue;
        const DWORD attributes = entry.dwFileAttributes;
        if ((attributes & FILE_ATTRIBUTE_DIRECTORY) && !(attributes & FILE_ATTRIBUTE_REPARSE_POINT))
            count += CountFilesBelow(folder + L"\\" + entry.cFileName);
        else
            ++count;
    } while (::FindNextFileW(find.get(), &entry));
    return count;
}
