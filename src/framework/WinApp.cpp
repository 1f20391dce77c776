#include "framework/WinApp.h"

namespace {
// The application object of this process; set by its constructor.
CWinApp* g_pApp = nullptr;
}

CWinApp::CWinApp() { g_pApp = this; }

CWinApp::~CWinApp() {
    if (g_pApp == this) g_pApp = nullptr;
}

CWinApp* AfxGetApp() { return g_pApp; }

int CWinApp::Run() {
    MSG msg;
    for (;;) {
        BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            m_exitCode = static_cast<int>(msg.wParam);
            break;
        }
        if (got == -1) break;
        if (!CWnd::WalkPreTranslateTree(nullptr, &msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
    return ExitInstance();
}

int AfxWinMain() {
    CWinApp* app = AfxGetApp();
    if (!app) return -1;
    app->m_hInstance = ::GetModuleHandleW(nullptr);
    if (!app->InitInstance()) return app->ExitInstance();
    return app->Run();
}
