#pragma once
// Redirection of a function of this process to a replacement, for 32-bit x86
// code only. The first whole instructions of the function (at least five
// bytes) are overwritten with a jump to the replacement; they move, adjusted
// for their new place, into a trampoline that ends with a jump back behind
// them, so the real function stays callable through original(). Undo puts
// the original bytes back.
//
// Limits: a function is refused when its first instructions cannot be moved
// safely (see x86::MovableLength); other threads are not stopped while the
// five bytes are written, so redirect before other threads call the function
// or accept that one of their calls may land on a half-written jump; code
// elsewhere that jumps into the first five bytes of the function is not
// found.
#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "framework/Handles.h"

#if !defined(__i386__) && !defined(_M_IX86)
#error "FunctionRedirect writes 32-bit x86 jumps"
#endif

namespace sound {

class FunctionRedirect {
public:
    FunctionRedirect() = default;
    // Undoes the redirection still in place.
    ~FunctionRedirect();
    FunctionRedirect(const FunctionRedirect&) = delete;
    FunctionRedirect& operator=(const FunctionRedirect&) = delete;

    // Makes calls of `target` go to `replacement`. False, with nothing
    // changed, when this object already redirects, either address is null,
    // the function's start cannot be moved, or the memory cannot be had.
    bool Redirect(void* target, void* replacement);
    // Restores the function's original bytes. False when nothing is
    // redirected or the function no longer starts with our jump (something
    // was written over it); the redirection then stays as it is, trampoline
    // included, since that something may still lead through it.
    bool Undo();

    bool active() const { return m_target != nullptr; }
    // The real function: the moved instructions and the jump back. Null while
    // nothing is redirected.
    void* original() const { return m_trampoline.get(); }
    template <class Fn>
    Fn original_as() const { return reinterpret_cast<Fn>(original()); }

private:
    static constexpr size_t kJumpSize = 5;
    static constexpr size_t kMaxMoved = 32;

    uint8_t* m_target = nullptr;
    size_t m_movedBytes = 0;
    uint8_t m_saved[kMaxMoved] = {};    // the function's own first bytes
    uint8_t m_written[kMaxMoved] = {};  // what Redirect put in their place
    fw::VirtualMemory m_trampoline;
};

}  // namespace sound
