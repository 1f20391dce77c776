#include "gamewnd/WebBoxSweep.h"

const wchar_t* const kWebBoxTitles[3] = {L"来自网页的消息", L"Windows Internet Explorer",
                                         L"Microsoft Internet Explorer"};

bool SweepWebMessageBox() {
    for (const wchar_t* title : kWebBoxTitles) {
        if (HWND box = ::FindWindowW(L"#32770", title)) return ::DestroyWindow(box) != FALSE;
    }
    return false;
}
