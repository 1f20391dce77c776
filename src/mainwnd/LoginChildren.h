#pragma once
// The logins of a main window. Each login runs in a child process of the
// same executable ("/newgm") with the player's rights, which becomes a game
// page once its player has logged in; one at a time is pending. On Windows XP a hidden login page is
// loaded in this process as well, so that later logins come up faster.
#include <windows.h>

#include <cstdint>
#include <string>

#include "framework/Handles.h"
#include "login/LoginDlg.h"

class LoginChildren {
public:
    LoginChildren();

    // The executable started for each login: this one (tests that host the
    // window in their own process name another).
    void SetExecutable(const std::wstring& exe) { m_childExe = exe; }

    // Starts a login for a new tab of `owner`, which holds `pageCount` pages;
    // true when it started, and it is then the pending one.
    bool Start(HWND owner, int pageCount);
    bool pending() const { return static_cast<bool>(m_hPendingChild); }
    uint32_t PendingProcessId() const;
    // Whether the pending login's process has ended.
    bool PendingEnded() const;
    // The pending login attached, asked to be let go, or ended.
    void Release() { m_hPendingChild.reset(); }
    // Ends the pending login's process, if any.
    void Terminate();

    bool IsXpFamily() const { return m_osvi.dwMajorVersion < 6; }
    void PreloadLoginPage();
    void DropPreloadedLoginPage();

private:
    OSVERSIONINFOW m_osvi{};
    fw::KernelHandle m_hPendingChild;
    std::wstring m_childExe;
    CLoginDlg m_dlgLogin;  // the hidden login page, only on Windows XP
};
