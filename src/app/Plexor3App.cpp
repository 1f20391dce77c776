#include "app/Plexor3App.h"

#include <commctrl.h>
#include <gdiplus.h>
#include <shellapi.h>

#include "app/BuildConfig.h"
#include "app/LaunchModeWin.h"
#include "mainwnd/Plexor3Dlg.h"

BOOL CPlexor3App::InitInstance() {
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&icc);
    CWinApp::InitInstance();

    const LaunchMode mode = GetLaunchMode();

    m_hRequestTaken.reset(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    m_hRequestDone.reset(::CreateEventW(nullptr, TRUE, FALSE, nullptr));

    if (mode == LaunchMode::Uninstall) return FALSE;

    Gdiplus::GdiplusStartupInput gdiplusInput;
    m_bGdiplusStarted = Gdiplus::GdiplusStartup(&m_gdiplusToken, &gdiplusInput, nullptr) == Gdiplus::Ok;

    switch (mode) {
    case LaunchMode::Install:
        return FALSE;
    case LaunchMode::PortalHome:
        OpenPortalHome();
        return FALSE;
    case LaunchMode::NewGameWindow:
    case LaunchMode::GameHallWindow:
        // Page processes have no main window of their own.
        return FALSE;
    default:
        RunMainWindow();
        return FALSE;
    }
}

void CPlexor3App::OpenPortalHome() {
    ::ShellExecuteW(nullptr, L"open", buildcfg::kPortalHome, nullptr, nullptr, SW_SHOWMAXIMIZED);
}

void CPlexor3App::RunMainWindow() {
    CPlexor3Dlg dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = nullptr;
}

int CPlexor3App::ExitInstance() {
    m_hRequestTaken.reset();
    m_hRequestDone.reset();
    if (m_bGdiplusStarted) {
        Gdiplus::GdiplusShutdown(m_gdiplusToken);
        m_bGdiplusStarted = false;
    }
    return CWinApp::ExitInstance();
}
