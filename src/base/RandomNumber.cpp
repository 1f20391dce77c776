#include "base/RandomNumber.h"

#include <windows.h>

#include "framework/SystemLibrary.h"

// RtlGenRandom, which advapi32 (a known DLL, always loaded from the system
// folder) exports by this name.
bool RandomNumber(uint32_t* number) {
    using GenRandom = BOOLEAN(WINAPI*)(PVOID, ULONG);
    const fw::SystemLibrary advapi(L"advapi32.dll");
    const auto generate = advapi.Find<GenRandom>("SystemFunction036");
    return generate && generate(number, sizeof(*number));
}
