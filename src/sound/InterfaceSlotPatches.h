#pragma once
// Redirection of one method of a COM interface by writing the replacement
// into the interface table (the object's first pointer) at a fixed slot. A
// table is shared by every object of one implementation, so covering it once
// covers the objects made later as well. One implementation may hand out
// objects with different tables (the primary and the secondary buffers of
// DirectSound, for instance), so each table met is covered on its own and
// keeps its own real entry.
//
// Tables stay patched for the life of the process: objects made while they
// were may still be in use.
#include <atomic>
#include <cstddef>
#include <mutex>

namespace sound {

class InterfaceSlotPatches {
public:
    explicit InterfaceSlotPatches(unsigned slot) : m_slot(slot) {}
    InterfaceSlotPatches(const InterfaceSlotPatches&) = delete;
    InterfaceSlotPatches& operator=(const InterfaceSlotPatches&) = delete;

    // Makes calls through the slot of `object`'s table go to `replacement`,
    // unless that table is covered already. False when the table could not be
    // made writable or too many tables are covered; nothing is changed then.
    bool Cover(const void* object, void* replacement);
    // What the slot of `object`'s table held before it was covered; null for
    // a table this never covered. Safe on any thread, without locking.
    void* RealEntry(const void* object) const;
    // How many tables are covered.
    size_t count() const { return m_count.load(std::memory_order_acquire); }

private:
    static constexpr size_t kMaxTables = 8;
    struct Patch {
        void** slot = nullptr;
        void* real = nullptr;
    };

    void** SlotOf(const void* object) const;
    bool IsCovered(void** slot) const;

    const unsigned m_slot;
    std::mutex m_mutex;  // one Cover at a time: two first objects may come on two threads
    Patch m_patches[kMaxTables];
    std::atomic<size_t> m_count{0};
};

}  // namespace sound
