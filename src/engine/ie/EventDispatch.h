#pragma once
// The part every event sink of ours shares: an IDispatch without type
// information that answers for one outgoing event interface, with an
// embedded reference count. A sink adds only its Invoke.
#include <windows.h>
#include <oaidl.h>

#include "engine/ie/EmbeddedRefCount.h"

namespace ie {

class EventDispatch : public IDispatch {
public:
    EventDispatch(const EventDispatch&) = delete;
    EventDispatch& operator=(const EventDispatch&) = delete;

    ULONG HeldReferences() const noexcept { return m_refs.Held(); }

    STDMETHODIMP QueryInterface(REFIID riid, void** object) final;
    STDMETHODIMP_(ULONG) AddRef() final { return m_refs.Add(); }
    STDMETHODIMP_(ULONG) Release() final { return m_refs.Drop(); }

    // The events come by their numbers: names and type information are
    // never asked for by a connection point.
    STDMETHODIMP GetTypeInfoCount(UINT* count) final;
    STDMETHODIMP GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) final;
    STDMETHODIMP GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID locale, DISPID* ids) final;

protected:
    explicit EventDispatch(REFIID events) : m_events(events) {}
    ~EventDispatch() = default;

private:
    const IID m_events;
    EmbeddedRefCount m_refs;
};

}  // namespace ie
