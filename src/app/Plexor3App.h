#pragma once
// The application object: decides the process's role from its launch mode and
// runs the main window, a short task, or a separate game window.
#include <windows.h>

#include <memory>

#include "app/LaunchMode.h"
#include "extras/PrgsDlg.h"
#include "framework/DocView.h"
#include "framework/Handles.h"
#include "framework/WinApp.h"
#include "net/PingSender.h"
#include "net/Updater.h"

class CPlexor3App : public CWinApp {
public:
    BOOL InitInstance() override;
    int ExitInstance() override;

private:
    // Downloads, checks and swaps in a new build, starts it and watches it
    // start; records the update day once it has. A build that cannot start
    // is rolled back. True when this process is to end for the new build.
    // `askedFor`: the player asked from the menu, so a refusal or a
    // rollback is told.
    bool ReplaceAndRestart(bool askedFor);
    // The main window's modal run (every mode but the separate game windows).
    void RunMainWindow();
    // The events a usage ping signals.
    PingSignals PingEvents() const;
    // Installs, picks the rest days, counts and pings the installation and
    // waits for the ping.
    void InstallAndReport();
    // Opens the portal's home page, counts and pings it and waits for the ping.
    void OpenPortalHome();
    // A page process: the login (for a new game window), then the game window.
    BOOL RunPageProcess(LaunchMode mode);

    CPrgsDlg m_progressDialog;
    UpdateOffer m_updateOffer;
    fw::KernelHandle m_requestTaken;
    fw::KernelHandle m_requestDone;
    // OLE, for a page process's whole life. GDI+ has no session of the
    // process's own: each drawing that decodes a picture starts it for as
    // long as it needs it, and most processes never do.
    std::unique_ptr<fw::OleSession> m_ole;
    std::unique_ptr<CSingleDocTemplate> m_docTemplate;
};
