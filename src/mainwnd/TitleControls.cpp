#include "mainwnd/TitleControls.h"

#include "mainwnd/TitleLayout.h"
#include "resource.h"
#include "ui/RectConvert.h"
#include "ui/SkinImage.h"

void TitleControls::SetUp(const DpiScale& scale) {
    m_lastWidth = 0;
    const int dpi = scale.dpi();
    if (!m_soundImage) m_soundImage = IDB_SOUND_ON;
    m_btnHide.SetImage(LoadSkinBitmap(IDB_HIDE_BUTTON, dpi).get(), false);
    m_btnSound.SetImage(LoadSkinBitmap(m_soundImage, dpi).get(), false);
    m_btnMenu.SetImage(LoadSkinBitmap(IDB_MENU_BUTTON, dpi).get(), false);
    m_btnMenu.m_crText = RGB(255, 255, 255);
    m_lnkAddAcc.m_crNormal = RGB(255, 255, 255);
    m_lnkAddAcc.ModifyStyle(0, SS_NOTIFY);
    m_lnkAddAcc.m_bHandCursor = true;
    m_lnkAddAcc.m_bUnderline = true;
    m_lnkAddAcc.m_layoutDpi = dpi;
    m_lnkAddAcc.SetImage(LoadSkinBitmap(IDB_ADD_ACCOUNT_LINK, dpi).get());
}

bool TitleControls::Layout(int cx, int captionButtonsLeft, const DpiScale& scale) {
    const bool moved = cx != m_lastWidth && m_btnHide.m_hWnd;
    m_lastWidth = cx;
    if (!moved) return false;
    const TitleControlsLayout l = LayoutTitleControlsLeftOf(captionButtonsLeft, scale);
    m_btnHide.MoveWindow(ToRECT(l.hide), TRUE);
    m_btnSound.MoveWindow(ToRECT(l.sound), TRUE);
    m_btnMenu.MoveWindow(ToRECT(l.menu), TRUE);
    m_lnkAddAcc.MoveWindow(ToRECT(l.addAccount), TRUE);
    for (CWnd* ctl : {static_cast<CWnd*>(&m_btnHide), static_cast<CWnd*>(&m_btnSound),
                      static_cast<CWnd*>(&m_btnMenu), static_cast<CWnd*>(&m_lnkAddAcc)})
        ctl->Invalidate(TRUE);
    return true;
}

void TitleControls::Show(bool shown) {
    for (CWnd* ctl : {static_cast<CWnd*>(&m_btnHide), static_cast<CWnd*>(&m_btnSound),
                      static_cast<CWnd*>(&m_btnMenu), static_cast<CWnd*>(&m_lnkAddAcc)})
        if (ctl->m_hWnd) ctl->ShowWindow(shown ? SW_SHOW : SW_HIDE);
}

void TitleControls::ShowMute(int muted, const DpiScale& scale) {
    if (muted == m_shownMute) return;
    m_soundImage = muted ? IDB_SOUND_OFF : IDB_SOUND_ON;
    m_btnSound.SetImage(LoadSkinBitmap(m_soundImage, scale.dpi()).get(), false);
    m_btnSound.Invalidate(TRUE);
    m_shownMute = muted;
}
