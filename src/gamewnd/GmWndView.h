#pragma once
// CGmWndView: the game's web page, filling the game window's frame.
#include "engine/PageZoom.h"
#include "framework/HtmlView.h"

class CGmWndView : public CHtmlView {
public:
    void OnInitialUpdate() override;
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
    // The main window is now on a display of `dpi`: the page follows.
    void ZoomPage(int dpi) { m_zoom.ShowAt(dpi, GetBrowser()); }
    // The zoom of the page's account, in percent of the display's scale.
    void ZoomAccount(int percent) { m_zoom.ZoomBy(percent, GetBrowser()); }

protected:
    HRESULT OnGetHostInfo(DWORD* flags) override;
    void OnBeforeNavigate2(const std::wstring&, bool, bool*) override {}  // no navigation is cancelled
    void OnNavigateComplete2(const std::wstring& url) override;
    void OnDocumentComplete(const std::wstring&) override { m_zoom.NewDocument(GetBrowser()); }
    void OnTitleChange(const std::wstring& title) override;

private:
    static constexpr UINT_PTR kTimerZoomRetry = 1;  // the view's only timer
    PageZoom m_zoom{kTimerZoomRetry};
    bool m_shown = false;  // the page has shown itself once
};
