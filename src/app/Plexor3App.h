#pragma once
// The application object: decides the process's role from its launch mode and
// runs the main window, a short task, or a separate game window.
#include <windows.h>

#include "app/LaunchMode.h"
#include "framework/Handles.h"
#include "framework/WinApp.h"

class CPlexor3App : public CWinApp {
public:
    BOOL InitInstance() override;
    int ExitInstance() override;

    // Set by a usage-ping worker once it has copied its address / once its
    // request is over. Manual-reset; exist from start-up until exit.
    HANDLE RequestTakenEvent() const { return m_hRequestTaken.get(); }
    HANDLE RequestDoneEvent() const { return m_hRequestDone.get(); }

private:
    // The main window's modal run (every mode but the separate game windows).
    void RunMainWindow();
    void OpenPortalHome();

    fw::KernelHandle m_hRequestTaken;
    fw::KernelHandle m_hRequestDone;
    ULONG_PTR m_gdiplusToken = 0;
    bool m_bGdiplusStarted = false;
};
