#include "mainwnd/PageWindowCalls.h"

namespace {
// Long enough for a page busy loading; a hung one (no message read for
// five seconds) is let go of at once.
constexpr UINT kAnswerMs = 500;

bool Answers(HWND frame) {
    DWORD_PTR unused = 0;
    return ::SendMessageTimeoutW(frame, WM_NULL, 0, 0, SMTO_ABORTIFHUNG | SMTO_BLOCK, kAnswerMs, &unused) != 0;
}
}  // namespace

void ShowPageFrame(HWND frame, bool show) { ::ShowWindowAsync(frame, show ? SW_SHOW : SW_HIDE); }

void PlacePageFrame(HWND frame, const RECT& area) {
    ::SetWindowPos(frame, nullptr, area.left, area.top, area.right - area.left, area.bottom - area.top,
                   SWP_NOZORDER | SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS);
}

void ReleasePageFrame(HWND frame, HWND owner) {
    if (!::IsWindow(frame)) return;
    // Changing the parent waits for the frame's thread: only when it
    // answers, and hidden first (a posted hide would come after it).
    if (::GetAncestor(frame, GA_PARENT) == owner && Answers(frame)) {
        ::ShowWindow(frame, SW_HIDE);
        ::SetParent(frame, nullptr);
    } else {
        ShowPageFrame(frame, false);
    }
}
