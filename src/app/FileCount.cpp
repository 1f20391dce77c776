#include "app/FileCount.h"

#include <windows.h>

#include "cache/TreeRules.h"
#include "framework/Handles.h"

unsigned CountFilesBelow(const std::wstring& folder) {
    WIN32_FIND_DATAW entry{};
    fw::FindFileHandle find(::FindFirstFileW((folder + L"\\*").c_str(), &entry));
    if (!find) return 1;
    unsigned count = 0;
    do {
        // Entered as a folder deletion would enter it: linked folders count
        // as one file each.
        switch (ActionForEntry(entry.cFileName, entry.dwFileAttributes)) {
        case TreeEntryAction::Skip:
            break;
        case TreeEntryAction::Descend:
            count += CountFilesBelow(folder + L"\\" + entry.cFileName);
            break;
        default:
            ++count;
            break;
        }
    } while (::FindNextFileW(find.get(), &entry));
    return count;
}
