#pragma once
// The reference count of a COM object that lives inside a C++ object (a
// member of the engine) and therefore never deletes itself. Its owner
// outlives every reference it hands out and checks, when it ends, that the
// count came back to zero.
#include <windows.h>

namespace ie {

class EmbeddedRefCount {
public:
    ULONG Add() noexcept { return static_cast<ULONG>(::InterlockedIncrement(&m_count)); }
    ULONG Drop() noexcept { return static_cast<ULONG>(::InterlockedDecrement(&m_count)); }
    // References handed out and not yet given back.
    ULONG Held() const noexcept { return static_cast<ULONG>(m_count); }

private:
    LONG m_count = 0;
};

}  // namespace ie
