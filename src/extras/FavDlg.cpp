#include "extras/FavDlg.h"

#include "extras/FavouriteFile.h"
#include "resource.h"

CFavDlg::CFavDlg(const std::wstring& name, const std::wstring& url, HWND owner)
    : CDialog(IDD_ADD_FAVOURITE), m_name(name), m_strUrl(url) {
    SetOwnerWindow(owner);
}

BOOL CFavDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    ::SetDlgItemTextW(m_hWnd, IDC_FAV_NAME, m_name.c_str());
    return TRUE;
}

void CFavDlg::OnOK() {
    CDialog::OnOK();  // the field keeps its text until the dialog is destroyed
    wchar_t name[kFavouriteNameMax + 1] = {};
    ::GetDlgItemTextW(m_hWnd, IDC_FAV_NAME, name, static_cast<int>(kFavouriteNameMax + 1));
    SaveFavourite(name, m_strUrl);
}
