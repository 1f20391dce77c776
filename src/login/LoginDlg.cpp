#include "login/LoginDlg.h"

#include <string>

#include "base/AnsiText.h"
#include "base/BuildConfig.h"
#include "base/CopyDataText.h"
#include "base/PageProcess.h"
#include "base/StartupTrace.h"
#include "base/Utf8Text.h"
#include "base/WindowMessages.h"
#include "framework/Handles.h"
#include "login/AppCommand.h"
#include "net/HttpRules.h"
#include "resource.h"
#include "ui/MessageBox.h"

namespace {
constexpr COLORREF kSeeThrough = RGB(254, 254, 254);

int WindowsMajorVersion() {
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof(info);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (!::GetVersionExW(&info)) return 0;
#pragma GCC diagnostic pop
    return static_cast<int>(info.dwMajorVersion);
}
}  // namespace

bool IsUserAccountControlOn() {
    if (WindowsMajorVersion() <= 5) return false;
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\System\\", 0,
                        KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    fw::RegKey owned(key);
    DWORD value = 0, size = sizeof(value);
    if (::RegQueryValueExW(key, L"EnableLUA", nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size) !=
            ERROR_SUCCESS ||
        size != sizeof(value))
        return false;
    return value == 1;
}

std::wstring DecodeLoginText(const std::wstring& text) {
    if (text.empty() || text.find(L'%') == std::wstring::npos) return text;
    return text::DecodeUtf8(PercentDecode(ToCodePage(text, CP_THREAD_ACP)));
}

CLoginDlg::CLoginDlg(const std::wstring& url, CWnd* parent)
    : CDHtmDlgEx(IDD_LOGIN_PAGE, 0, parent), m_strUrl(url) {}

BOOL CLoginDlg::OnInitDialog() {
    CDHtmlDialog::OnInitDialog();  // the framework's step; silent mode follows here
    if (m_browser) m_browser->SetSilent(true);
    // The page's areas in this colour show the login background beneath.
    ModifyStyleEx(0, WS_EX_LAYERED);
    ::SetLayeredWindowAttributes(m_hWnd, kSeeThrough, 0, LWA_COLORKEY);
    ModifyStyleEx(WS_EX_APPWINDOW, WS_EX_TOOLWINDOW);
    Navigate(m_strUrl);
    return FALSE;
}

void CLoginDlg::OnNavigateComplete(const std::wstring& url) {
    CDHtmDlgEx::OnNavigateComplete(url);
    // The dialog appears only once its first page is there.
    ShowWindow(SW_SHOW);
    if (HWND child = ::GetWindow(m_hWnd, GW_CHILD)) {
        const RECT rc = GetClientRect();
        ::MoveWindow(child, 0, 0, rc.right, rc.bottom, TRUE);
    }
}

BOOL CLoginDlg::PreTranslateMessage(MSG* msg) {
    if (msg->message == WM_KEYDOWN && (msg->wParam == VK_ESCAPE || msg->wParam == VK_F5)) return TRUE;
    return CDHtmDlgEx::PreTranslateMessage(msg);
}

const DHtmlEventRow* CLoginDlg::GetPageEventTable() const {
    // The page's text can be neither selected nor dragged: every press, move
    // and release on body, td and div has its default action cancelled.
    static const DHtmlEventRow kTable[] = {
        {false, PageEvent::MouseDown, L"body", PageHandler(&CLoginDlg::OnPageMouse)},
        {false, PageEvent::MouseUp, L"body", PageHandler(&CLoginDlg::OnPageMouse)},
        {false, PageEvent::MouseMove, L"body", PageHandler(&CLoginDlg::OnPageMouse)},
        {false, PageEvent::MouseDown, L"td", PageHandler(&CLoginDlg::OnPageMouse)},
        {false, PageEvent::MouseUp, L"td", PageHandler(&CLoginDlg::OnPageMouse)},
        {false, PageEvent::MouseMove, L"td", PageHandler(&CLoginDlg::OnPageMouse)},
        {false, PageEvent::MouseDown, L"div", PageHandler(&CLoginDlg::OnPageMouse)},
        {false, PageEvent::MouseUp, L"div", PageHandler(&CLoginDlg::OnPageMouse)},
        {false, PageEvent::MouseMove, L"div", PageHandler(&CLoginDlg::OnPageMouse)},
        {false, PageEvent::MouseOver, nullptr, nullptr},
    };
    return kTable;
}

HRESULT CLoginDlg::OnPageMouse(PageElement&) { return S_FALSE; }

void CLoginDlg::EndLogin(INT_PTR result) {
    if (auto* parent = dynamic_cast<CDialog*>(m_pParentWnd)) parent->EndDialog(result);
}

void CLoginDlg::OnBeforeNavigate2(const std::wstring& url, bool topLevel, bool* cancel) {
    const AppCommand command = ParseAppCommand(url);
    if (command.kind == AppCommandKind::NotACommand) return;
    switch (command.kind) {
    case AppCommandKind::LoadGame:
        // The game window shows whatever address it is given, and the login
        // page comes over plain HTTP: only the page itself hands over a game,
        // and only one of the portal's, never a file, a share or another
        // protocol that a frame or whoever answers in the portal's place
        // might name.
        if (!topLevel)
            TraceStartupStep("loadgame refused: asked by a frame");
        else if (!IsPortalPageAddress(command.gameUrl, SplitDomainList(buildcfg::kPortalDomains)))
            TraceStartupStep("loadgame refused: not an address of the portal");
        else
            LoadGame(command.loginText, command.gameUrl);
        break;
    case AppCommandKind::ExitGame:
        EndLogin(IDCANCEL);
        break;
    case AppCommandKind::Minimize:
        Minimize();
        break;
    default:
        break;
    }
    *cancel = true;
}

void CLoginDlg::Minimize() {
    if (g_nOwnerPages > 0) {
        EndLogin(IDCANCEL);  // a later login of the instance: abandon it
    } else if (IsUserAccountControlOn()) {
        if (m_pParentWnd) m_pParentWnd->ShowWindow(SW_MINIMIZE);
    } else {
        ::ShowWindow(g_hOwnerWnd, SW_MINIMIZE);
    }
}

void CLoginDlg::LoadGame(const std::wstring& loginText, const std::wstring& gameUrl) {
    if (!::IsWindow(g_hOwnerWnd)) {
        EndLogin(IDCANCEL);  // the main window has gone: nobody to ask
        return;
    }
    const LoginCaption caption = BuildLoginCaption(DecodeLoginText(loginText));
    std::wstring text = caption.caption;
    COPYDATASTRUCT cds = CopyDataRecord(COPYDATA_REGISTER_CAPTION, text);
    const LRESULT accepted = ::SendMessageW(g_hOwnerWnd, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cds));
    if (accepted == 0) {
        ShowMessageBox(kBoxOk, DuplicateLoginMessage(caption.account, caption.server), nullptr);
        EndLogin(IDCANCEL);
        return;
    }
    g_strGameUrl = gameUrl;
    EndLogin(IDOK);
}
