#include "mainwnd/LoginChildren.h"

#include "base/PageProcess.h"
#include "base/PathText.h"
#include "base/PlayerToken.h"
#include "base/ProgramPaths.h"
#include "base/StartProgram.h"
#include "resource.h"

LoginChildren::LoginChildren() : m_childExe(GetExePath()), m_dlgLogin(LoginPageAddress()) {
    m_osvi.dwOSVersionInfoSize = sizeof(m_osvi);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    ::GetVersionExW(&m_osvi);
#pragma GCC diagnostic pop
}

bool LoginChildren::Start(HWND owner, int pageCount) {
    const std::wstring line = CommandLineProgram(m_childExe) + L" /newgm /" +
                              std::to_wstring(static_cast<int32_t>(reinterpret_cast<intptr_t>(owner))) + L" /" +
                              std::to_wstring(pageCount);
    // The web runs with the player's rights, never this window's: a failed
    // start changes nothing; a started one is the pending child.
    fw::KernelHandle child = StartAsPlayer(line, IDLE_PRIORITY_CLASS, SW_SHOWNORMAL).process;
    if (!child) return false;
    m_hPendingChild = std::move(child);
    return true;
}

uint32_t LoginChildren::PendingProcessId() const {
    return m_hPendingChild ? ::GetProcessId(m_hPendingChild.get()) : 0;
}

bool LoginChildren::PendingEnded() const {
    return m_hPendingChild && ::WaitForSingleObject(m_hPendingChild.get(), 0) == WAIT_OBJECT_0;
}

void LoginChildren::Terminate() {
    if (!m_hPendingChild) return;
    ::TerminateProcess(m_hPendingChild.get(), 0);
    m_hPendingChild.reset();
}

void LoginChildren::PreloadLoginPage() {
    if (!IsXpFamily() || !m_dlgLogin.Create(IDD_LOGIN_PAGE)) return;
    // Out of sight.
    m_dlgLogin.SetWindowPos(nullptr, 0, 0, 1, 1, SWP_NOZORDER);
}

void LoginChildren::DropPreloadedLoginPage() {
    if (IsXpFamily() && m_dlgLogin.m_hWnd) m_dlgLogin.DestroyWindow();
}
