#pragma once
// CDHtmDlgEx: the base of the launcher's web-page dialogs. The page behaves
// like a skinned window rather than a browser: no context menu, border or
// error pages, "button" elements act as three-frame image buttons, the page
// background drags the window, and the page speaks to the launcher only by
// navigating to "app:" addresses, which never leave the browser.
#include <memory>

#include "engine/PageZoom.h"
#include "framework/DHtmlDialog.h"

class CDHtmDlgEx : public CDHtmlDialog {
public:
    CDHtmDlgEx(UINT templateId, UINT htmlResourceId, CWnd* parent);
    ~CDHtmDlgEx() override;

    // The page button pressed and not yet released.
    std::shared_ptr<PageElement> m_pPressedElement;

    // The dialog is now on a display of `dpi`: the page follows.
    void ZoomPage(int dpi) { m_zoom.ShowAt(dpi, m_browser.get()); }

protected:
    BOOL OnInitDialog() override;
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
    HRESULT GetHostInfo(DWORD* flags) override;
    HRESULT ShowContextMenu() override { return S_OK; }  // never a browser menu
    void OnNavigateComplete(const std::wstring& url) override;
    void OnDocumentComplete(const std::wstring& url) override;
    void OnBeforeNavigate2(const std::wstring& url, bool topLevel, bool* cancel) override;
    void OnNavigateError(const std::wstring& url, long status, bool* cancel) override;
    HRESULT ShowMessage(HWND owner, const std::wstring& text, const std::wstring& caption, DWORD type,
                        LRESULT* result) override;
    HRESULT ShowHelp(HWND owner, const std::wstring& helpFile, UINT command, DWORD data) override;
    const DHtmlEventRow* GetPageEventTable() const override;

    HRESULT OnButtonMouseOut(PageElement& element);
    HRESULT OnButtonMouseOver(PageElement& element);
    HRESULT OnButtonMouseDown(PageElement& element);
    HRESULT OnButtonMouseUp(PageElement& element);
    HRESULT OnPageMouseDown(PageElement& element);
    HRESULT OnPageMouseUp(PageElement& element);
    HRESULT OnPageMouseMove(PageElement& element);
    HRESULT OnPageContextMenu(PageElement& element);

private:
    bool HoldsCapture() const { return ::GetCapture() == m_hWnd; }
    void ApplyButtonFrame(PageElement& element, int frame);
    // A left or right release while the dialog holds the capture.
    void EndCapturedPress(LPARAM lp);
    void SendCaptionMessage(UINT msg);

    // Far above the dialog classes' own timer ids.
    static constexpr UINT_PTR kTimerZoomRetry = 0x7A01;
    PageZoom m_zoom{kTimerZoomRetry};
};
