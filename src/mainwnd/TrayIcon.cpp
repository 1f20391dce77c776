#include "mainwnd/TrayIcon.h"

#include <shellapi.h>

#include "mainwnd/MainWindowMessages.h"
#include "mainwnd/MessageFilter.h"

namespace {
// The record as every Windows since Vista knows it.
static_assert(sizeof(NOTIFYICONDATAW) == 956, "the tray record is 956 bytes");

NOTIFYICONDATAW Record(HWND owner) {
    NOTIFYICONDATAW nid{};
    nid.cbSize = sizeof(nid);
    nid.hWnd = owner;
    nid.uID = 1;
    return nid;
}
}  // namespace

bool TrayIcon::Add(HWND owner, HICON icon) {
    if (!m_owner) {
        m_owner = owner;
        m_icon = icon;
        // The shell runs with the player's rights: an elevated owner hears
        // its broadcast only when it lets it through.
        if (m_taskbarCreated) LetMessageThrough(owner, m_taskbarCreated);
    }
    if (!m_shown) m_shown = GiveToShell();
    return m_shown;
}

bool TrayIcon::GiveToShell() const {
    NOTIFYICONDATAW nid = Record(m_owner);
    nid.uFlags = NIF_ICON | NIF_MESSAGE | NIF_TIP;
    nid.uCallbackMessage = WM_TRAY_NOTIFY;
    nid.hIcon = m_icon;
    wcscpy_s(nid.szTip, L"KorvelFerrowind");
    // A shell that kept the icon (it also says its taskbar is new after a
    // change of scale) refuses it as a new one: it is then there already.
    return ::Shell_NotifyIconW(NIM_ADD, &nid) || ::Shell_NotifyIconW(NIM_MODIFY, &nid);
}

void TrayIcon::Delete() {
    if (!m_owner) return;
    NOTIFYICONDATAW nid = Record(m_owner);
    ::Shell_NotifyIconW(NIM_DELETE, &nid);
    m_owner = nullptr;
    m_shown = false;
}

bool TrayIcon::OnTaskbarCreated(UINT message) {
    if (!m_taskbarCreated || message != m_taskbarCreated) return false;
    if (m_owner) m_shown = GiveToShell();
    return true;
}

bool TrayIcon::ShowBalloon(const std::wstring& title, const std::wstring& text, bool warning) {
    if (!m_owner || text.empty()) return false;  // an empty text would take a balloon away
    NOTIFYICONDATAW nid = Record(m_owner);
    nid.uFlags = NIF_INFO;
    wcsncpy_s(nid.szInfoTitle, title.c_str(), _TRUNCATE);
    wcsncpy_s(nid.szInfo, text.c_str(), _TRUNCATE);
    nid.dwInfoFlags = warning ? NIIF_WARNING : NIIF_INFO;
    nid.uTimeout = 10000;  // only the oldest shells read it
    return ::Shell_NotifyIconW(NIM_MODIFY, &nid) != FALSE;
}
