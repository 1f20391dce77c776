#pragma once
// CDHtmlDialog: a dialog whose content is a web page in an embedded browser
// (the page engine of this executable). It answers the browser for the
// dialog, routes the browser's events to overridables, and dispatches page
// events through the dialog class's page-event table.
#include <memory>
#include <string>

#include "framework/Dialog.h"
#include "framework/PageEngine.h"

class CDHtmlDialog;

// One row of a page-event table: which element (by class attribute or by
// tag), which event, and the handler. A table ends with a row whose name is null.
struct DHtmlEventRow {
    bool byClass;
    PageEvent event;
    const wchar_t* name;
    HRESULT (CDHtmlDialog::*handler)(PageElement& element);
};

// Turns a handler of a derived dialog into a table entry.
template <class Dialog>
constexpr HRESULT (CDHtmlDialog::*PageHandler(HRESULT (Dialog::*handler)(PageElement&)))(PageElement&) {
    return static_cast<HRESULT (CDHtmlDialog::*)(PageElement&)>(handler);
}

class CDHtmlDialog : public CDialog {
public:
    CDHtmlDialog(UINT templateId, UINT htmlResourceId, CWnd* parent);
    ~CDHtmlDialog() override;

    bool Navigate(const std::wstring& url);
    const std::wstring& CurrentUrl() const { return m_currentUrl; }
    // Keys aimed at the page go to the browser before the dialog manager.
    BOOL PreTranslateMessage(MSG* msg) override;

    // Host flags: the framework starts with no 3-D border and no scroll bars.
    DWORD m_hostFlags = kHostFlagNo3DBorder | kHostFlagScrollNo;

protected:
    BOOL OnInitDialog() override;
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

    // Creates the browser for the dialog's client area; a dialog that needs a
    // particular engine replaces it.
    virtual std::unique_ptr<PageEngine> CreateControlSite(HWND parent, const RECT& area);
    // The page-event table of the dialog class (most derived wins; tables are
    // not chained). The framework's own table is empty.
    virtual const DHtmlEventRow* GetPageEventTable() const;

    // Overridables the browser's events arrive at.
    virtual void OnBeforeNavigate2(const std::wstring& url, bool topLevel, bool* cancel);
    virtual void OnNavigateComplete(const std::wstring& url);
    virtual void OnDocumentComplete(const std::wstring& url);
    virtual void OnNavigateError(const std::wstring& url, long status, bool* cancel);
    virtual void OnTitleChange(const std::wstring& title);
    virtual HRESULT GetHostInfo(DWORD* flags);
    virtual HRESULT ShowContextMenu() { return S_FALSE; }
    // Web message boxes and help; S_FALSE lets the browser show its own.
    virtual HRESULT ShowMessage(HWND owner, const std::wstring& text, const std::wstring& caption, DWORD type,
                                LRESULT* result);
    virtual HRESULT ShowHelp(HWND owner, const std::wstring& helpFile, UINT command, DWORD data);
    // Finds the page-event row for an event and runs its handler.
    HRESULT DispatchPageEvent(PageEvent event, PageElement& source);

    // The browser's side of the conversation, handed to the dialog's overridables.
    class BrowserSite : public PageHost {
    public:
        explicit BrowserSite(CDHtmlDialog& dialog) : m_dialog(dialog) {}
        DWORD GetHostFlags(DWORD proposed) override;
        HRESULT ShowContextMenu() override { return m_dialog.ShowContextMenu(); }
        HRESULT ShowMessage(HWND owner, const std::wstring& text, const std::wstring& caption, DWORD type,
                            LRESULT* result) override {
            return m_dialog.ShowMessage(owner, text, caption, type, result);
        }
        HRESULT ShowHelp(HWND owner, const std::wstring& file, UINT command, DWORD data) override {
            return m_dialog.ShowHelp(owner, file, command, data);
        }
        void OnBeforeNavigate(const std::wstring& url, bool topLevel, bool* cancel) override {
            m_dialog.OnBeforeNavigate2(url, topLevel, cancel);
        }
        void OnNavigateComplete(const std::wstring& url, bool topLevel) override;
        void OnDocumentComplete(const std::wstring& url, bool topLevel) override;
        void OnNavigateError(const std::wstring& url, long status, bool* cancel) override {
            m_dialog.OnNavigateError(url, status, cancel);
        }
        void OnTitleChange(const std::wstring& title) override { m_dialog.OnTitleChange(title); }
        HRESULT OnPageEvent(PageEvent event, PageElement& source) override {
            return m_dialog.DispatchPageEvent(event, source);
        }

    private:
        CDHtmlDialog& m_dialog;
    };

    BrowserSite m_site{*this};
    std::unique_ptr<PageEngine> m_browser;
    std::wstring m_currentUrl;
    UINT m_htmlResourceId;
};
