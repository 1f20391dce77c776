#pragma once
// CGmWndView: the game's web page, filling the game window's frame.
#include "framework/HtmlView.h"

class CGmWndView : public CHtmlView {
public:
    void OnInitialUpdate() override;
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

protected:
    HRESULT OnGetHostInfo(DWORD* flags) override;
    void OnBeforeNavigate2(const std::wstring&, bool*) override {}  // no navigation is cancelled
    void OnNavigateComplete2(const std::wstring& url) override;
    void OnTitleChange(const std::wstring& title) override;
};
