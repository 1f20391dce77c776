#pragma once
// Where the launcher's DLLs come from: System32, and nowhere else. The
// launcher runs elevated from a folder that a standard user may be able to
// write to, and the system would look there first for any DLL that is not a
// known DLL. So each process keeps its DLL search to System32 from its first
// instruction on, and every DLL we load ourselves is asked for there.
#include <windows.h>

#include "framework/Handles.h"

namespace fw {

// Makes System32 the only folder the process's DLL searches look in, where
// the system can (Windows 8 on, and 7 and Vista with their loader update),
// and takes the current directory out of the search everywhere. The first
// thing every process does: any DLL loaded before it came from the old order.
void KeepDllSearchInSystem32();

// `fileName` (such as L"wintrust.dll") loaded from System32, and the DLLs
// it depends on from there too; null when it cannot be loaded.
HMODULE LoadSystemLibrary(const wchar_t* fileName);

// A function of `module` as the pointer type `Fn`; null when it has none by
// that name, or there is no module.
template <class Fn>
Fn FindFunction(HMODULE module, const char* name) {
    if (!module) return nullptr;
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(module, name)));
}

// The same into `slot`, for a table of functions; false when there is none.
template <class Fn>
bool FindFunction(HMODULE module, const char* name, Fn& slot) {
    slot = FindFunction<Fn>(module, name);
    return slot != nullptr;
}

// A DLL of System32, held for as long as the object lives.
class SystemLibrary {
public:
    explicit SystemLibrary(const wchar_t* fileName) : m_module(LoadSystemLibrary(fileName)) {}
    explicit operator bool() const { return static_cast<bool>(m_module); }
    HMODULE get() const { return m_module.get(); }
    template <class Fn>
    Fn Find(const char* name) const {
        return FindFunction<Fn>(m_module.get(), name);
    }

private:
    ModuleHandle m_module;
};

}  // namespace fw
