#include "engine/ie/SinkConnection.h"

#include <utility>

namespace ie {

bool SinkConnection::Connect(IUnknown* source, REFIID events, IUnknown* sink) {
    Disconnect();
    if (!source || !sink) return false;
    fw::ComPtr<IConnectionPointContainer> container;
    if (FAILED(source->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(container.put()))) ||
        !container)
        return false;
    fw::ComPtr<IConnectionPoint> point;
    if (FAILED(container->FindConnectionPoint(events, point.put())) || !point) return false;
    DWORD cookie = 0;
    if (FAILED(point->Advise(sink, &cookie))) return false;
    m_point = point;
    m_cookie = cookie;
    return true;
}

void SinkConnection::Disconnect() {
    if (!m_point) return;
    // Taken out first: unadvising may raise events that come back here.
    fw::ComPtr<IConnectionPoint> point = m_point;
    m_point.reset();
    point->Unadvise(std::exchange(m_cookie, 0));
}

}  // namespace ie
