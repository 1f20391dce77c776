#pragma once
// CHtmlView: a view whose content is a web page in the executable's page
// engine, with the browser's events as overridables.
#include <memory>
#include <string>

#include "framework/DocView.h"
#include "framework/PageEngine.h"

class CHtmlView : public CView {
public:
    ~CHtmlView() override;
    void Navigate2(const std::wstring& url);
    PageEngine* GetBrowser() const { return m_browser.get(); }
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
    // Keys aimed at the page go to the browser once the frame's own are done.
    BOOL TranslateViewKey(MSG* msg) override;

protected:
    // The framework's part of WM_CREATE: the browser filling the view.
    int OnCreate();
    virtual HRESULT OnGetHostInfo(DWORD* flags) { (void)flags; return S_OK; }
    virtual void OnBeforeNavigate2(const std::wstring& url, bool topLevel, bool* cancel) {
        (void)url, (void)topLevel, (void)cancel;
    }
    virtual void OnNavigateComplete2(const std::wstring& url) { (void)url; }
    virtual void OnDocumentComplete(const std::wstring& url) { (void)url; }
    virtual void OnNavigateError(const std::wstring& url, long status, bool* cancel) {
        (void)url, (void)status, (void)cancel;
    }
    virtual void OnTitleChange(const std::wstring& title) { (void)title; }

private:
    class BrowserSite : public PageHost {
    public:
        explicit BrowserSite(CHtmlView& view) : m_view(view) {}
        DWORD GetHostFlags(DWORD proposed) override {
            DWORD flags = proposed;
            m_view.OnGetHostInfo(&flags);
            return flags;
        }
        void OnBeforeNavigate(const std::wstring& url, bool topLevel, bool* cancel) override {
            m_view.OnBeforeNavigate2(url, topLevel, cancel);
        }
        void OnNavigateComplete(const std::wstring& url, bool) override { m_view.OnNavigateComplete2(url); }
        void OnDocumentComplete(const std::wstring& url, bool topLevel) override {
            if (topLevel) m_view.OnDocumentComplete(url);
        }
        void OnNavigateError(const std::wstring& url, long status, bool* cancel) override {
            m_view.OnNavigateError(url, status, cancel);
        }
        void OnTitleChange(const std::wstring& title) override { m_view.OnTitleChange(title); }

    private:
        CHtmlView& m_view;
    };

    BrowserSite m_site{*this};
    std::unique_ptr<PageEngine> m_browser;
};
