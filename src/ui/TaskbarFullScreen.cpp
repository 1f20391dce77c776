#include "ui/TaskbarFullScreen.h"

#include <shobjidl.h>

#include "framework/Handles.h"

void TellTaskbarFullScreen(HWND window, bool fullScreen) {
    // The main window's thread has no COM of its own: a session for the call.
    const fw::ComSession com;
    fw::ComPtr<ITaskbarList2> taskbar;
    if (FAILED(::CoCreateInstance(CLSID_TaskbarList, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskbarList2,
                                  reinterpret_cast<void**>(taskbar.put()))))
        return;
    // The list must be initialised before any of its methods is called.
    if (FAILED(taskbar->HrInit())) return;
    taskbar->MarkFullscreenWindow(window, fullScreen ? TRUE : FALSE);
}
