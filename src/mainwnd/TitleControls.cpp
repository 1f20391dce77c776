#include "mainwnd/TitleControls.h"

#include "mainwnd/TitleLayout.h"
#include "resource.h"
#include "ui/RectConvert.h"
#include "ui/SkinImage.h"

void TitleControls::SetUp() {
    m_btnHide.SetImage(LoadSkinBitmap(IDB_HIDE_BUTTON).get(), false);
    m_btnSound.SetImage(LoadSkinBitmap(IDB_SOUND_ON).get(), false);
    m_btnMenu.SetImage(LoadSkinBitmap(IDB_MENU_BUTTON).get(), false);
    m_btnMenu.m_crText = RGB(255, 255, 255);
    m_lnkAddAcc.m_crNormal = RGB(255, 255, 255);
    m_lnkAddAcc.ModifyStyle(0, SS_NOTIFY);
    m_lnkAddAcc.m_bHandCursor = true;
    m_lnkAddAcc.m_bUnderline = true;
    m_lnkAddAcc.SetImage(LoadSkinBitmap(IDB_ADD_ACCOUNT_LINK).get());
}

bool TitleControls::Layout(int cx) {
    const bool moved = cx != m_nLastWidth && m_btnHide.m_hWnd;
    m_nLastWidth = cx;
    if (!moved) return false;
    const TitleControlsLayout l = LayoutTitleControls(cx);
    m_btnHide.MoveWindow(ToRECT(l.hide), TRUE);
    m_btnSound.MoveWindow(ToRECT(l.sound), TRUE);
    m_btnMenu.MoveWindow(ToRECT(l.menu), TRUE);
    m_lnkAddAcc.MoveWindow(ToRECT(l.addAccount), TRUE);
    for (CWnd* ctl : {static_cast<CWnd*>(&m_btnHide), static_cast<CWnd*>(&m_btnSound),
                      static_cast<CWnd*>(&m_btnMenu), static_cast<CWnd*>(&m_lnkAddAcc)})
        ctl->Invalidate(TRUE);
    return true;
}

void TitleControls::ShowMute(int muted) {
    if (muted == m_nShownMute) return;
    m_btnSound.SetImage(LoadSkinBitmap(muted ? IDB_SOUND_OFF : IDB_SOUND_ON).get(), false);
    m_btnSound.Invalidate(TRUE);
    m_nShownMute = muted;
}
