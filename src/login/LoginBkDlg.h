#pragma once
// CLoginBkDlg: the login window of a page process: a borderless picture with
// per-pixel transparency that carries the login page exactly on top of it.
// IDOK: a game was chosen; IDCANCEL: the login was abandoned.
#include <memory>

#include "framework/Dialog.h"
#include "login/LoginDlg.h"

class CLoginBkDlg : public CDialog {
public:
    explicit CLoginBkDlg(HWND owner);
    ~CLoginBkDlg() override;

    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    BOOL OnInitDialog() override;
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
    void OnTimer(UINT_PTR id) override;

private:
    // Loads the picture (129) at the window's scale, or at `dpi`, and shows
    // it as the window, alpha and all.
    bool PaintLayeredPicture();
    bool PaintLayeredPicture(int dpi);
    void OnDpiChanged(int dpi);
    // Where the picture goes: the middle of the screen for the instance's
    // first login, over the main window for later ones.
    POINT PicturePosition() const;

    CLoginDlg m_dlgLogin;
    int m_pictureWidth = 0;
    int m_pictureHeight = 0;
};
