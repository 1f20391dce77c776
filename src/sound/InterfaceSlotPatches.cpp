#include "sound/InterfaceSlotPatches.h"

#include <windows.h>

namespace sound {

void** InterfaceSlotPatches::SlotOf(const void* object) const {
    void** table = *static_cast<void** const*>(object);
    return table + m_slot;
}

bool InterfaceSlotPatches::IsCovered(void** slot) const {
    const size_t count = m_count.load(std::memory_order_acquire);
    for (size_t i = 0; i < count; ++i)
        if (m_patches[i].slot == slot) return true;
    return false;
}

bool InterfaceSlotPatches::Cover(const void* object, void* replacement) {
    if (!object || !replacement) return false;
    std::lock_guard<std::mutex> lock(m_mutex);
    void** slot = SlotOf(object);
    if (IsCovered(slot)) return true;
    const size_t count = m_count.load(std::memory_order_relaxed);
    if (count == kMaxTables) return false;
    // Taking our own replacement for the real entry would make it call itself.
    if (*slot == replacement) return false;
    DWORD previous = 0;
    if (!::VirtualProtectEx(::GetCurrentProcess(), slot, sizeof(void*), PAGE_EXECUTE_READWRITE, &previous))
        return false;
    // The real entry is known before the slot leads to the replacement, which
    // looks it up on every call.
    m_patches[count] = Patch{slot, *slot};
    m_count.store(count + 1, std::memory_order_release);
    ::InterlockedExchangePointer(slot, replacement);
    return true;
}

void* InterfaceSlotPatches::RealEntry(const void* object) const {
    void** slot = SlotOf(object);
    const size_t count = m_count.load(std::memory_order_acquire);
    for (size_t i = 0; i < count; ++i)
        if (m_patches[i].slot == slot) return m_patches[i].real;
    return nullptr;
}

}  // namespace sound
