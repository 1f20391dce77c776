#pragma once
// CLoginDlg: the portal's login and server-choice page. The page asks for
// launcher actions by navigating to "app:" addresses; every one is cancelled
// and carried out here: load a game, abandon the login, or minimise.
#include <string>

#include "login/DHtmDlgEx.h"

class CLoginDlg : public CDHtmDlgEx {
public:
    explicit CLoginDlg(const std::wstring& url, CWnd* parent = nullptr);

    std::wstring m_strUrl;

    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    BOOL OnInitDialog() override;
    void OnNavigateComplete(const std::wstring& url) override;
    void OnBeforeNavigate2(const std::wstring& url, bool topLevel, bool* cancel) override;
    const DHtmlEventRow* GetPageEventTable() const override;
    HRESULT OnPageMouse(PageElement& element);
    // The page is an owned window, so its keys never pass the background's
    // filter: Enter reaches the dialog manager here and comes as OK. The page
    // stays; only its own commands end a login.
    void OnOK() override {}
    // Closing the page (Alt+F4) abandons the login, as closing the background does.
    void OnCancel() override { EndLogin(IDCANCEL); }

private:
    void LoadGame(const std::wstring& loginText, const std::wstring& gameUrl);
    void Minimize();
    // Ends the login background (the parent) with `result`.
    void EndLogin(INT_PTR result);
};

// Whether user account control is on (Windows major version above 5 and
// EnableLUA = 1 under the system policies).
bool IsUserAccountControlOn();
// The login text of an "app:" address as the page sent it: percent-encoded
// UTF-8 read through the ANSI code page, or the text itself.
std::wstring DecodeLoginText(const std::wstring& text);
