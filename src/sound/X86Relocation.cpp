#include "sound/X86Relocation.h"

#include <cstring>

#include "sound/X86Decoder.h"

namespace x86 {
namespace {

uint32_t ReadU32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
           static_cast<uint32_t>(p[3]) << 24;
}

void WriteU32(uint8_t* p, uint32_t value) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(value >> (8 * i));
}

}  // namespace

size_t MovableLength(const uint8_t* code, size_t available, size_t needed) {
    size_t length = 0;
    while (length < needed) {
        Instruction instruction;
        if (!DecodeInstruction(code + length, available - length, instruction)) return 0;
        length += instruction.length;
        if (instruction.endsFlow && length < needed) return 0;
    }
    // Branch targets are checked once the extent is known: a target at the
    // start or inside the moved bytes is ruined by the overwrite.
    for (size_t at = 0; at < length;) {
        Instruction instruction;
        DecodeInstruction(code + at, available - at, instruction);
        const size_t end = at + instruction.length;
        if (instruction.hasRel32) {
            const uint32_t target = static_cast<uint32_t>(end) + ReadU32(code + end - 4);
            if (target < length) return 0;
        }
        at = end;
    }
    return length;
}

bool CopyRelocated(const uint8_t* code, size_t length, uint32_t from, uint32_t to, uint8_t* out) {
    std::memcpy(out, code, length);
    for (size_t at = 0; at < length;) {
        Instruction instruction;
        if (!DecodeInstruction(code + at, length - at, instruction)) return false;
        at += instruction.length;
        if (instruction.hasRel32) {
            // Same target from the new place: the offset grows by how far the
            // code moved back (wrapping, as the processor does in 32 bits).
            WriteU32(out + at - 4, ReadU32(code + at - 4) + from - to);
        }
    }
    return true;
}

}  // namespace x86
