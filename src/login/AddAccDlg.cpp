#include "login/AddAccDlg.h"

#include "base/WindowMessages.h"
#include "resource.h"
#include "ui/SkinImage.h"

CAddAccDlg::CAddAccDlg(CWnd* parent) : CDlgEx(IDD_ADD_ACCOUNT, parent) {}

void CAddAccDlg::DoDataExchange() {
    DDX_Control(IDC_ADDACC_QUESTION, m_lblQuestion);
    DDX_Control(IDOK, m_btnYes);
    DDX_Control(IDCANCEL, m_btnNo);
}

BOOL CAddAccDlg::OnInitDialog() {
    CDlgEx::OnInitDialog();
    SetTitle(L"登录其他账号");
    SetFrameMetrics(30, 3, 5, 1, 0);
    DialogSkinIds skin;
    skin.background = IDB_ADD_ACCOUNT_BACKGROUND;
    skin.resizeToImage = true;
    SetSkin(skin);
    OnScaleChanged();
    m_lblQuestion.m_nLineSpacing = 5;
    return TRUE;
}

void CAddAccDlg::OnScaleChanged() {
    fw::BitmapHandle strip = LoadSkinBitmap(IDB_PUSH_BUTTON, scale().dpi());
    m_btnYes.SetImage(strip.get(), true);
    m_btnNo.SetImage(strip.get(), true);
}

void CAddAccDlg::Answer(WPARAM newTab) {
    if (CWnd* parent = m_pParentWnd) parent->PostMessage(WM_ADD_ACCOUNT_CHOICE, newTab, 0);
    ShowWindow(SW_HIDE);
}

void CAddAccDlg::OnOK() { Answer(1); }

void CAddAccDlg::OnCancel() { Answer(0); }

BOOL CAddAccDlg::PreTranslateMessage(MSG* msg) {
    // Escape dismisses the prompt; as the dialog's cancel it would open a new window.
    if (msg->message == WM_KEYDOWN && msg->wParam == VK_ESCAPE) {
        ShowWindow(SW_HIDE);
        return TRUE;
    }
    return CDlgEx::PreTranslateMessage(msg);
}

LRESULT CAddAccDlg::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_ACTIVATE: {
        const LRESULT r = CDlgEx::WindowProc(msg, wp, lp);
        // The prompt goes as soon as the player clicks elsewhere.
        if (LOWORD(wp) == WA_INACTIVE) ShowWindow(SW_HIDE);
        return r;
    }
    case WM_NCHITTEST:
        return HTCLIENT;  // neither dragged nor sized
    default:
        return CDlgEx::WindowProc(msg, wp, lp);
    }
}
