#pragma once
// An owner of memory reserved with VirtualAlloc, released on scope exit.
#include <windows.h>

#include "framework/Handles.h"

namespace sound {

struct VirtualMemoryTraits {
    using Handle = void*;
    static Handle Empty() { return nullptr; }
    static bool IsEmpty(Handle p) { return p == nullptr; }
    static void Free(Handle p) { ::VirtualFree(p, 0, MEM_RELEASE); }
};
using VirtualMemory = fw::UniqueHandle<VirtualMemoryTraits>;

}  // namespace sound
