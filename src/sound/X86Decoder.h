#pragma once
// Length decoding of 32-bit x86 instructions, so that the first whole
// instructions of a function can be moved elsewhere before its entry is
// overwritten. It knows the forms that function entries are made of (stack
// frames, moves, arithmetic, pushes, calls, the common two-byte opcodes) and
// refuses everything else: a function whose start it cannot read with
// certainty is left alone rather than redirected wrongly.
#include <cstddef>
#include <cstdint>

namespace x86 {

struct Instruction {
    size_t length = 0;
    // The last four bytes are a displacement relative to the instruction's
    // end (call, jmp and conditional jumps with 32-bit offsets): moving the
    // instruction means adjusting them.
    bool hasRel32 = false;
    // Nothing after this instruction is reached through it (ret, jmp): the
    // following bytes may already belong to another function.
    bool endsFlow = false;
};

// Decodes the instruction at code[0], reading no further than
// code[available - 1]. False for what cannot be moved safely: 8- and 16-bit
// relative branches, far transfers, 16-bit addressing, interrupts, calls that
// read their own address, opcodes not in the table, and instructions cut off
// by `available`.
bool DecodeInstruction(const uint8_t* code, size_t available, Instruction& out);

}  // namespace x86
