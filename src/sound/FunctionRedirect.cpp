#include "sound/FunctionRedirect.h"

#include <cstring>
#include <utility>

#include "sound/X86Relocation.h"

namespace sound {
namespace {

constexpr uint8_t kJumpRel32 = 0xE9;
constexpr uint8_t kBreakpoint = 0xCC;

uint32_t AddressOf(const void* p) { return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(p)); }

// A jump placed at `at` that lands on `destination`.
void EncodeJump(uint8_t* out, const void* at, const void* destination) {
    const uint32_t offset = AddressOf(destination) - (AddressOf(at) + 5);
    out[0] = kJumpRel32;
    std::memcpy(out + 1, &offset, sizeof offset);
}

// How many bytes from `at` can be read, at most `limit`: the decoder must not
// run off the end of the committed memory the function lies in.
size_t ReadableBytes(const void* at, size_t limit) {
    MEMORY_BASIC_INFORMATION info{};
    if (!::VirtualQuery(at, &info, sizeof info) || info.State != MEM_COMMIT) return 0;
    if (info.Protect & (PAGE_NOACCESS | PAGE_GUARD)) return 0;
    const uintptr_t end = reinterpret_cast<uintptr_t>(info.BaseAddress) + info.RegionSize;
    const uintptr_t left = end - reinterpret_cast<uintptr_t>(at);
    return left < limit ? static_cast<size_t>(left) : limit;
}

// Code pages are not writable: open them for the write and close them again.
bool WriteCode(void* at, const uint8_t* bytes, size_t count) {
    DWORD previous = 0;
    if (!::VirtualProtect(at, count, PAGE_EXECUTE_READWRITE, &previous)) return false;
    std::memcpy(at, bytes, count);
    DWORD unused = 0;
    ::VirtualProtect(at, count, previous, &unused);
    ::FlushInstructionCache(::GetCurrentProcess(), at, count);
    return true;
}

}  // namespace

FunctionRedirect::~FunctionRedirect() {
    // When the function cannot be given back its bytes, whatever now starts it
    // may still lead through the trampoline: it has to outlive us.
    if (active() && !Undo()) m_trampoline.release();
}

bool FunctionRedirect::Redirect(void* target, void* replacement) {
    if (active() || !target || !replacement) return false;
    auto* code = static_cast<uint8_t*>(target);
    const size_t moved = x86::MovableLength(code, ReadableBytes(code, kMaxMoved), kJumpSize);
    if (moved == 0) return false;

    fw::VirtualMemory trampoline(
        ::VirtualAlloc(nullptr, moved + kJumpSize, MEM_COMMIT | MEM_RESERVE, PAGE_EXECUTE_READWRITE));
    if (!trampoline) return false;
    auto* copy = static_cast<uint8_t*>(trampoline.get());
    if (!x86::CopyRelocated(code, moved, AddressOf(code), AddressOf(copy), copy)) return false;
    EncodeJump(copy + moved, copy + moved, code + moved);
    ::FlushInstructionCache(::GetCurrentProcess(), copy, moved + kJumpSize);

    // The rest of the moved bytes is never run: a stray jump into it stops.
    uint8_t patch[kMaxMoved];
    std::memset(patch, kBreakpoint, sizeof patch);
    EncodeJump(patch, code, replacement);
    std::memcpy(m_saved, code, moved);
    // The trampoline is in place before the jump: a call that comes in as soon
    // as the jump is written already finds the real function.
    m_trampoline = std::move(trampoline);
    if (!WriteCode(code, patch, moved)) {
        m_trampoline.reset();
        return false;
    }
    std::memcpy(m_written, patch, moved);
    m_target = code;
    m_movedBytes = moved;
    return true;
}

bool FunctionRedirect::Undo() {
    if (!active()) return false;
    if (std::memcmp(m_target, m_written, m_movedBytes) != 0) return false;
    if (!WriteCode(m_target, m_saved, m_movedBytes)) return false;
    m_target = nullptr;
    m_movedBytes = 0;
    m_trampoline.reset();
    return true;
}

}  // namespace sound
