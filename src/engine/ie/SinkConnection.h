#pragma once
// One event sink advised on one connection point of a source object, and
// unadvised when the connection ends.
#include <windows.h>
#include <ocidl.h>

#include "framework/Handles.h"

namespace ie {

class SinkConnection {
public:
    SinkConnection() = default;
    ~SinkConnection() { Disconnect(); }
    SinkConnection(const SinkConnection&) = delete;
    SinkConnection& operator=(const SinkConnection&) = delete;

    // Ends any earlier connection, then advises `sink` on `source`'s
    // connection point for `events`. False when the source has none.
    bool Connect(IUnknown* source, REFIID events, IUnknown* sink);
    void Disconnect();
    bool connected() const noexcept { return static_cast<bool>(m_point); }

private:
    fw::ComPtr<IConnectionPoint> m_point;
    DWORD m_cookie = 0;
};

}  // namespace ie
