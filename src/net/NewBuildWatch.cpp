#include "net/NewBuildWatch.h"

NewBuildStart WatchNewBuild(HANDLE process, DWORD limitMs) {
    if (!process) return NewBuildStart::Failed;
    if (::WaitForSingleObject(process, limitMs) != WAIT_OBJECT_0) return NewBuildStart::Started;
    DWORD code = 1;
    if (!::GetExitCodeProcess(process, &code)) return NewBuildStart::Failed;
    return code == 0 ? NewBuildStart::Started : NewBuildStart::Failed;
}
