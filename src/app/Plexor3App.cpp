#include "app/Plexor3App.h"

#include <commctrl.h>
#include <gdiplus.h>
#include <shellapi.h>

#include "app/BuildConfig.h"
#include "app/LaunchModeWin.h"
#include "app/SettingsStore.h"
#include "app/StartProgram.h"
#include "mainwnd/Plexor3Dlg.h"
#include "net/Updater.h"

BOOL CPlexor3App::InitInstance() {
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&icc);
    CWinApp::InitInstance();

    const LaunchMode mode = GetLaunchMode();

    m_hRequestTaken.reset(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    m_hRequestDone.reset(::CreateEventW(nullptr, TRUE, FALSE, nullptr));

    if (mode == LaunchMode::Uninstall) return FALSE;

    if (mode == LaunchMode::ApplyUpdate) {
        // Asked for from a running instance: only the address is wanted.
        CheckForUpdate(true, &m_strUpdateAddress);
        if (ReplaceAndRestart()) return FALSE;
    } else if (mode == LaunchMode::Install || mode == LaunchMode::ShortcutStart) {
        if (CheckForUpdate(false, &m_strUpdateAddress) && ReplaceAndRestart()) return FALSE;
    }

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

bool CPlexor3App::ReplaceAndRestart() {
    if (!ApplyUpdate(m_dlgProgress, m_strUpdateAddress)) return false;
    StartProgram();  // the new executable, now where this one stood
    WriteUpdTime();
    return true;
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
