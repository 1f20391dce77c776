#pragma once
// Moving the first whole instructions of a function to another address, as
// the redirection of a function needs: the moved copy runs first and then
// jumps back behind them.
#include <cstddef>
#include <cstdint>

namespace x86 {

// The number of bytes of whole instructions at code[0] that cover at least
// `needed` bytes, or 0 when they cannot be moved: an instruction on the way
// does not decode, the code ends (ret, jmp) before `needed` bytes, or a
// relative branch among them lands inside them (its moved copy would land in
// the overwritten original).
size_t MovableLength(const uint8_t* code, size_t available, size_t needed);

// Copies code[0..length), which runs at address `from`, to out[0..length),
// which will run at address `to`, adjusting 32-bit relative offsets so that
// every call and jump reaches the same target as before. `length` comes from
// MovableLength; false when it does not end on an instruction boundary.
bool CopyRelocated(const uint8_t* code, size_t length, uint32_t from, uint32_t to, uint8_t* out);

}  // namespace x86
