#pragma once
// The current top-level document's DOM events (HTMLDocumentEvents2): the
// mouse and context-menu events go to the host with their source element,
// and the host's answer decides whether the page's default action runs.
// Lives inside the engine and never deletes itself.
#include <windows.h>
#include <oaidl.h>

#include "engine/ie/EventDispatch.h"
#include "framework/PageEngine.h"

namespace ie {

class DocumentEventSink final : public EventDispatch {
public:
    explicit DocumentEventSink(PageHost& host);

    STDMETHODIMP Invoke(DISPID id, REFIID riid, LCID locale, WORD flags, DISPPARAMS* params, VARIANT* result,
                        EXCEPINFO* exception, UINT* argError) override;

private:
    PageHost& m_host;
};

}  // namespace ie
