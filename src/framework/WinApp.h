#pragma once
// CWinApp: the application object. Exactly one exists per process, a global
// constructed before start-up; AfxWinMain runs it.
#include "framework/Wnd.h"

class CWinApp {
public:
    CWinApp();
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // FALSE ends the process after ExitInstance.
    virtual BOOL InitInstance() { return TRUE; }
    // Its result is the process exit code.
    virtual int ExitInstance() { return m_exitCode; }
    // The message loop: each message walks PreTranslateMessage from its
    // target up its parents before it is dispatched. Returns ExitInstance().
    virtual int Run();

    // A modal loop that meets WM_QUIT records its exit code here.
    void NoteQuit(int exitCode) { m_exitCode = exitCode; }

    HINSTANCE m_hInstance = nullptr;
    CWnd* m_pMainWnd = nullptr;

protected:
    // The wParam of the WM_QUIT that ended the last loop (0 before any).
    int m_exitCode = 0;

    friend int AfxWinMain();
};

CWinApp* AfxGetApp();
// The framework's entry: InitInstance, then Run or ExitInstance.
int AfxWinMain();
