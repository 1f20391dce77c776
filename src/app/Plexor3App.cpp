#include "app/Plexor3App.h"

#include <commctrl.h>
#include <shellapi.h>

#include "app/CrashDump.h"
#include "app/DataFolderSecurity.h"
#include "app/Installer.h"
#include "app/LaunchModeWin.h"
#include "base/BuildConfig.h"
#include "base/PageProcess.h"
#include "base/PathText.h"
#include "base/PlayerBrowser.h"
#include "base/SettingsStore.h"
#include "base/StartProgram.h"
#include "base/StartupTrace.h"
#include "base/WindowMessages.h"
#include "cache/CacheCleaner.h"
#include "gamewnd/GmWndDoc.h"
#include "gamewnd/GmWndView.h"
#include "gamewnd/MainFrame.h"
#include "host/LauncherHost.h"
#include "login/LoginBkDlg.h"
#include "mainwnd/Plexor3Dlg.h"
#include "net/NewBuildWatch.h"
#include "net/PingSender.h"
#include "net/UpdateLock.h"
#include "net/Updater.h"
#include "resource.h"
#include "ui/MessageBox.h"

BOOL CPlexor3App::InitInstance() {
    TraceStartupStep("InitInstance");
    // The mode first (the command line and the executable's path, nothing
    // more): where the dump may go depends on it.
    const LaunchInfo launch = GetLaunchInfo();
    const LaunchMode mode = launch.mode;
    const bool asPlayer = RunsAsPlayer(mode);
    InstallCrashFilter(asPlayer);
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&icc);
    TraceStartupStep("common controls");
    CWinApp::InitInstance();

    // An elevated launcher process reads from the data folder: nothing is
    // read there before it is the administrators'. One with the player's
    // rights may only read there.
    if (!asPlayer) SecureDataFolder(GetDataFolder(), false);
    if (mode == LaunchMode::ClearCache) {
        ClearBrowserCache();
        return FALSE;
    }
    if (mode == LaunchMode::OpenAddress) {
        OpenInBrowserHere(launch.address);
        return FALSE;
    }
    if (mode == LaunchMode::NewGameWindow || mode == LaunchMode::GameHallWindow) {
        // The page process's owner, process-wide from here on.
        g_hOwnerWnd = reinterpret_cast<HWND>(static_cast<intptr_t>(launch.ownerWnd));
        if (mode == LaunchMode::NewGameWindow) g_nOwnerPages = launch.ownerPages;
    }

    m_requestTaken.reset(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    m_requestDone.reset(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    TraceStartupStep("launch mode and events");

    if (mode == LaunchMode::Uninstall) {
        if (ShowMessageBox(kBoxYesNo, L"确定要移除 KorvelFerrowind极速登录器吗？", nullptr) == IDYES) {
            Uninstall(PingEvents());
            // The script deletes the executable once this process has ended.
            ::WaitForSingleObject(m_requestDone.get(), INFINITE);
        }
        return FALSE;
    }

    if (mode == LaunchMode::ApplyUpdate) {
        // Asked for from a running instance: only the offer is wanted.
        CheckForUpdate(true, &m_updateOffer);
        if (ReplaceAndRestart(true)) return FALSE;
    } else if (mode == LaunchMode::Install || mode == LaunchMode::ShortcutStart) {
        if (ModeChecksAutomatically(mode) && CheckForUpdate(false, &m_updateOffer) && ReplaceAndRestart(false))
            return FALSE;
    }

    TraceStartupStep("update step");

    switch (mode) {
    case LaunchMode::Install:
        InstallAndReport();
        return FALSE;
    case LaunchMode::PortalHome:
        OpenPortalHome();
        return FALSE;
    case LaunchMode::ShortcutStart:
    case LaunchMode::InstalledStart:
        // Waits only until the worker has the address; the request runs on
        // while the main window opens.
        CountAndSendPing(UsageEvent::GameStart, PingEvents());
        TraceStartupStep("game-start ping");
        break;
    default:
        break;
    }

    // Every mode from here on shows web pages.
    SetCacheLimit();
    TraceStartupStep("cache limit");
    if (mode == LaunchMode::NewGameWindow || mode == LaunchMode::GameHallWindow) return RunPageProcess(mode);
    RunMainWindow();
    return FALSE;
}

PingSignals CPlexor3App::PingEvents() const { return PingSignals{m_requestTaken.get(), m_requestDone.get()}; }

void CPlexor3App::InstallAndReport() {
    // Nothing was installed: nothing to count or report.
    if (!Install()) return;
    MakeRestDays();
    CountAndSendPing(UsageEvent::Install, PingEvents());
    ::WaitForSingleObject(m_requestDone.get(), INFINITE);
}

BOOL CPlexor3App::RunPageProcess(LaunchMode mode) {
    m_ole = std::make_unique<fw::OleSession>();
    TraceStartupStep("OLE");
    if (!m_ole->ok()) {
        ShowMessageBox(kBoxOk, L"初始化OLE库失败", nullptr);
        return FALSE;
    }
    if (mode == LaunchMode::NewGameWindow) {
        // A login for a main window that is not there has nobody to join.
        if (!::IsWindow(g_hOwnerWnd)) return FALSE;
        CLoginBkDlg login(g_hOwnerWnd);
        const INT_PTR chosen = login.DoModal();
        TraceStartupStep("login ended");
        if (chosen == IDCANCEL) {
            // The owner recognises an abandoned login by the marker.
            ::PostMessageW(g_hOwnerWnd, WM_SYSCOMMAND, SC_CLOSE, kSystemMarker);
            return FALSE;
        }
    }
    m_docTemplate = std::make_unique<CSingleDocTemplate>();
    CFrameWnd* frame = m_docTemplate->OpenDocumentFile<CGmWndDoc, CMainFrame, CGmWndView>();
    TraceStartupStep("game frame created");
    if (!frame) return FALSE;
    m_pMainWnd = frame;
    frame->SetTitle(L"KorvelFerrowind");
    // Hidden until its page has loaded; the view shows it.
    frame->ShowWindow(SW_HIDE);
    ::UpdateWindow(frame->m_hWnd);
    return TRUE;
}

bool CPlexor3App::ReplaceAndRestart(bool askedFor) {
    // Another launcher is updating already: this one goes on as it is, and
    // tells a player who asked for the update to try again later.
    const UpdateLock lock;
    if (!lock.held()) {
        if (askedFor && lock.heldElsewhere()) ShowMessageBox(kBoxOk, L"另一个登录器正在更新，请稍后再试。", nullptr);
        return false;
    }
    const auto downloadUnderProgress = [this](const std::wstring& address, HANDLE target) {
        return m_progressDialog.DownloadInto(address.substr(0, 511), target) == IDOK;
    };
    switch (ApplyUpdate(downloadUnderProgress, m_updateOffer)) {
    case UpdateResult::Swapped:
        break;
    case UpdateResult::Refused:
        if (askedFor) ShowMessageBox(kBoxOk, L"更新文件校验失败，继续使用当前版本。", nullptr);
        return false;
    case UpdateResult::NotApplied:
        return false;
    }
    // The new executable, now where this one stood. This process still holds
    // the previous build and keeps it until the new one has proved it starts.
    RemoveNewBuildIfTestAsks();
    fw::KernelHandle started = StartIdleProcess(CommandLineProgram(GetExePath()));
    if (WatchNewBuild(started.get(), buildcfg::kNewBuildWatchMs) == NewBuildStart::Failed) {
        const bool restored = RollBackUpdate(m_updateOffer.key);
        if (askedFor && restored) ShowMessageBox(kBoxOk, L"新版本无法启动，已恢复当前版本。", nullptr);
        // On with the start-up of the build that works.
        return false;
    }
    WriteUpdTime();
    return true;
}

void CPlexor3App::OpenPortalHome() {
    // In the player's browser, as the player: not elevated as this process is.
    OpenInPlayersBrowser(buildcfg::kPortalHome, SW_SHOWMAXIMIZED);
    CountAndSendPing(UsageEvent::PortalHome, PingEvents());
    ::WaitForSingleObject(m_requestDone.get(), INFINITE);
}

void CPlexor3App::RunMainWindow() {
    LauncherHost host;
    CPlexor3Dlg dlg;
    dlg.SetHost(&host);
    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = nullptr;
}

int CPlexor3App::ExitInstance() {
    m_pMainWnd = nullptr;
    m_docTemplate.reset();
    m_ole.reset();
    m_requestTaken.reset();
    m_requestDone.reset();
    return CWinApp::ExitInstance();
}
