#pragma once
// CMyBrowserControlSite: the browser control's site with the message-box
// hook added - script alerts and confirmations, and help requests, go to the
// host first.
#include "engine/ie/BrowserControlSite.h"

class CMyBrowserControlSite : public CBrowserControlSite, public IDocHostShowUI {
public:
    using CBrowserControlSite::CBrowserControlSite;

    // IUnknown, one identity with the base's.
    STDMETHODIMP QueryInterface(REFIID riid, void** object) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    // IDocHostShowUI
    STDMETHODIMP ShowMessage(HWND owner, LPOLESTR text, LPOLESTR caption, DWORD type, LPOLESTR helpFile,
                             DWORD helpContext, LRESULT* result) override;
    STDMETHODIMP ShowHelp(HWND owner, LPOLESTR helpFile, UINT command, DWORD data, POINT mouse,
                          IDispatch* objectHit) override;
};
