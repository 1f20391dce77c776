#include "ui/RaiseWindow.h"

void RaiseAboveOthers(HWND window, bool activate) {
    const DWORD ours = ::GetWindowThreadProcessId(window, nullptr);
    const DWORD theirs = ::GetWindowThreadProcessId(::GetForegroundWindow(), nullptr);
    const bool attached = ours && theirs && ours != theirs && ::AttachThreadInput(ours, theirs, TRUE);
    const UINT flags = SWP_NOMOVE | SWP_NOSIZE | (activate ? 0 : SWP_NOACTIVATE);
    ::SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, flags);
    ::SetWindowPos(window, HWND_NOTOPMOST, 0, 0, 0, 0, flags);
    if (activate) ::SetForegroundWindow(window);
    if (attached) ::AttachThreadInput(ours, theirs, FALSE);
}
