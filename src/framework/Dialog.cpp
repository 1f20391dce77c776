#include "framework/Dialog.h"

#include "framework/WinApp.h"

CDialog::CDialog(UINT templateId, CWnd* parent) : m_pParentWnd(parent), m_templateId(templateId) {}

CDialog::~CDialog() {
    if (m_hWnd && ::IsWindow(m_hWnd)) DestroyWindow();
}

HWND CDialog::CreateFromTemplate(UINT templateId, HWND parent) {
    m_templateId = templateId;
    m_ended = false;
    m_result = -1;
    return ::CreateDialogParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId), parent,
                                &CDialog::StartProc, reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK CDialog::StartProc(HWND hwnd, UINT msg, WPARAM, LPARAM lp) {
    if (msg != WM_INITDIALOG) return FALSE;
    auto* dlg = reinterpret_cast<CDialog*>(lp);
    if (!dlg || !dlg->SubclassWindow(hwnd)) return FALSE;
    dlg->m_ownsWindow = true;
    dlg->DoDataExchange();
    return dlg->OnInitDialog();
}

bool CDialog::Create(UINT templateId, CWnd* parent) {
    if (m_hWnd) return false;
    m_pParentWnd = parent;
    return CreateFromTemplate(templateId, parent ? parent->m_hWnd : nullptr) != nullptr;
}

INT_PTR CDialog::DoModal() {
    if (m_hWnd) return -1;
    HWND owner = m_pParentWnd ? m_pParentWnd->m_hWnd : m_ownerWindow;
    HWND hwnd = CreateFromTemplate(m_templateId, owner);
    if (!hwnd) return -1;

    bool disabledOwner = owner && ::IsWindowEnabled(owner);
    if (disabledOwner) ::EnableWindow(owner, FALSE);

    // A template without WS_VISIBLE is shown once it is initialised.
    if (!::IsWindowVisible(hwnd)) {
        ::ShowWindow(hwnd, SW_SHOWNORMAL);
        ::UpdateWindow(hwnd);
    }

    m_modalRunning = true;
    MSG msg;
    while (!m_ended) {
        BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            // Let every enclosing loop see the quit request as well.
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            if (CWinApp* app = AfxGetApp()) app->NoteQuit(static_cast<int>(msg.wParam));
            m_result = -1;
            break;
        }
        if (got == -1) break;
        if (!WalkPreTranslateTree(m_hWnd, &msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
    m_modalRunning = false;

    // Give activation back to the owner before the dialog disappears.
    if (disabledOwner) ::EnableWindow(owner, TRUE);
    if (m_hWnd) {
        if (owner && ::GetActiveWindow() == m_hWnd) ::SetActiveWindow(owner);
        DestroyWindow();
    }
    return m_result;
}

void CDialog::EndDialog(INT_PTR result) {
    m_result = result;
    m_ended = true;
    if (m_modalRunning) {
        ::PostMessageW(m_hWnd, WM_NULL, 0, 0);  // wake the modal loop
    } else if (m_hWnd) {
        ::ShowWindow(m_hWnd, SW_HIDE);
    }
}

BOOL CDialog::OnInitDialog() { return TRUE; }

bool CDialog::OnCommand(UINT, UINT, HWND) { return false; }

LRESULT CDialog::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_COMMAND) {
        UINT id = LOWORD(wp);
        UINT code = HIWORD(wp);
        HWND ctl = reinterpret_cast<HWND>(lp);
        if (code == BN_CLICKED && id == IDOK) { OnOK(); return 0; }
        if (code == BN_CLICKED && id == IDCANCEL) { OnCancel(); return 0; }
        if (OnCommand(id, code, ctl)) return 0;
    }
    return CWnd::WindowProc(msg, wp, lp);
}

BOOL CDialog::PreTranslateMessage(MSG* msg) {
    bool input = (msg->message >= WM_KEYFIRST && msg->message <= WM_KEYLAST) ||
                 (msg->message >= WM_MOUSEFIRST && msg->message <= WM_MOUSELAST);
    if (!input || !m_hWnd) return FALSE;
    if (msg->hwnd != m_hWnd && !::IsChild(m_hWnd, msg->hwnd)) return FALSE;
    return ::IsDialogMessageW(m_hWnd, msg);
}
