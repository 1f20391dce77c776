#pragma once
// What the main window does to the frames of its pages and hall. They are
// windows of other processes, and a call that waits for another thread
// waits for ever when that process hangs, or is held by the system's error
// reporting after a crash: every tab and the main window would freeze with
// it. So nothing here waits for a page's thread: the page carries each
// change out when it next reads its messages, and a page that does not
// answer is left as it is.
#include <windows.h>

// Shows or hides `frame`.
void ShowPageFrame(HWND frame, bool show);
// Moves `frame` onto `area`, in its parent's client coordinates.
void PlacePageFrame(HWND frame, const RECT& area);
// Hides `frame` and takes it out of `owner`, if it is in it and its thread
// answers within a moment; a frame that does not stays in, hidden.
void ReleasePageFrame(HWND frame, HWND owner);
