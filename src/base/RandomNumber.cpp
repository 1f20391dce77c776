#include "base/RandomNumber.h"

#include <windows.h>

#include "framework/Handles.h"

// RtlGenRandom, which advapi32 (a known DLL, always loaded from the system
// folder) exports by this name.
bool RandomNumber(uint32_t* number) {
    using GenRandom = BOOLEAN(WINAPI*)(PVOID, ULONG);
    const fw::ModuleHandle advapi(::LoadLibraryW(L"advapi32.dll"));
    if (!advapi) return false;
    const auto generate = reinterpret_cast<GenRandom>(
        reinterpret_cast<void*>(::GetProcAddress(advapi.get(), "SystemFunction036")));
    return generate && generate(number, sizeof(*number));
}
