#pragma once
// The current top-level document's DOM events (HTMLDocumentEvents2): the
// mouse and context-menu events go to the host with their source element,
// and the host's answer decides whether the page's default action runs.
// Lives inside the engine and never deletes itself.
#include <windows.h>
#include <oaidl.h>

#include "browser/PageEngine.h"
#include "browser/ie/EmbeddedRefCount.h"

namespace ie {

class DocumentEventSink final : public IDispatch {
public:
    explicit DocumentEventSink(PageHost& host) : m_host(host) {}
    DocumentEventSink(const DocumentEventSink&) = delete;
    DocumentEventSink& operator=(const DocumentEventSink&) = delete;

    ULONG HeldReferences() const noexcept { return m_refs.Held(); }

    STDMETHODIMP QueryInterface(REFIID riid, void** object) override;
    STDMETHODIMP_(ULONG) AddRef() override { return m_refs.Add(); }
    STDMETHODIMP_(ULONG) Release() override { return m_refs.Drop(); }

    STDMETHODIMP GetTypeInfoCount(UINT* count) override;
    STDMETHODIMP GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
    STDMETHODIMP GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID locale, DISPID* ids) override;
    STDMETHODIMP Invoke(DISPID id, REFIID riid, LCID locale, WORD flags, DISPPARAMS* params, VARIANT* result,
                        EXCEPINFO* exception, UINT* argError) override;

private:
    PageHost& m_host;
    EmbeddedRefCount m_refs;
};

}  // namespace ie
