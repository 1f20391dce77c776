#pragma once
// CFavDlg: Ctrl+D in a game page saves the game's current page as a browser
// favourite, so that the player can open the game straight from the browser
// later. It asks for the favourite's name and writes an Internet shortcut
// into the user's Favorites folder.
#include <string>

#include "framework/Dialog.h"

class CFavDlg : public CDialog {
public:
    // `owner` is disabled while the dialog runs (the launcher's main window,
    // which lives in another process).
    CFavDlg(const std::wstring& name, const std::wstring& url, HWND owner);

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    std::wstring m_name;
    std::wstring m_strUrl;
};
