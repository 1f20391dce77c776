#include "sound/X86Decoder.h"

namespace x86 {
namespace {

constexpr size_t kMaxLength = 15;  // the processor's own limit

// What follows an opcode byte.
enum class Form {
    Invalid,
    Plain,        // nothing
    ModRm,        // ModRM (with SIB and displacement as it says)
    ModRmImm8,
    ModRmImmZ,    // ModRM, then 2 or 4 bytes by operand size
    Imm8,
    Imm16,
    ImmZ,
    Imm16Imm8,    // enter
    Moffs,        // a 4-byte absolute address (mov al/eax <-> [moffs])
    Rel32,        // call, jmp, jcc with a 32-bit relative offset
    Group3,       // F6/F7: test takes an immediate, the others do not
    GroupFf,      // FF: inc, dec, call, jmp, push by ModRM.reg
    ModRmReg0,    // 8F, C6, C7: only /0 is the plain instruction
    ModRmReg0Imm8,
    ModRmReg0ImmZ,
    ModRmReg01,   // FE: inc/dec only
    ModRmMemory,  // lea: register forms do not exist
};

struct Opcode {
    Form form = Form::Invalid;
    bool endsFlow = false;
};

Opcode OneByte(uint8_t op) {
    // The eight arithmetic groups 00-3F share one layout per low three bits.
    if (op < 0x40) {
        switch (op & 7) {
        case 0: case 1: case 2: case 3: return {Form::ModRm};
        case 4: return {Form::Imm8};
        case 5: return {Form::ImmZ};
        default:
            // push/pop of segment registers and the decimal adjusts; 0F, 26,
            // 2E, 36 and 3E never get here (escape and prefixes).
            return {Form::Plain};
        }
    }
    if (op < 0x60) return {Form::Plain};        // inc, dec, push, pop of registers
    if (op >= 0x90 && op <= 0x99) return {Form::Plain};  // xchg/nop, cwde, cdq
    if (op >= 0xB0 && op <= 0xB7) return {Form::Imm8};
    if (op >= 0xB8 && op <= 0xBF) return {Form::ImmZ};
    if (op >= 0xD8 && op <= 0xDF) return {Form::ModRm};  // x87
    switch (op) {
    case 0x60: case 0x61: return {Form::Plain};  // pusha, popa
    case 0x68: return {Form::ImmZ};
    case 0x69: return {Form::ModRmImmZ};
    case 0x6A: return {Form::Imm8};
    case 0x6B: return {Form::ModRmImm8};
    case 0x80: case 0x82: case 0x83: return {Form::ModRmImm8};
    case 0x81: return {Form::ModRmImmZ};
    case 0x84: case 0x85: case 0x86: case 0x87:
    case 0x88: case 0x89: case 0x8A: case 0x8B:
    case 0x8C: case 0x8E: return {Form::ModRm};
    case 0x8D: return {Form::ModRmMemory};
    case 0x8F: return {Form::ModRmReg0};
    case 0x9B: case 0x9C: case 0x9D: case 0x9E: case 0x9F: return {Form::Plain};
    case 0xA0: case 0xA1: case 0xA2: case 0xA3: return {Form::Moffs};
    case 0xA4: case 0xA5: case 0xA6: case 0xA7:
    case 0xAA: case 0xAB: case 0xAC: case 0xAD: case 0xAE: case 0xAF: return {Form::Plain};
    case 0xA8: return {Form::Imm8};
    case 0xA9: return {Form::ImmZ};
    case 0xC0: case 0xC1: return {Form::ModRmImm8};
    case 0xC2: return {Form::Imm16, true};
    case 0xC3: return {Form::Plain, true};
    case 0xC6: return {Form::ModRmReg0Imm8};
    case 0xC7: return {Form::ModRmReg0ImmZ};
    case 0xC8: return {Form::Imm16Imm8};
    case 0xC9: return {Form::Plain};
    case 0xD0: case 0xD1: case 0xD2: case 0xD3: return {Form::ModRm};
    case 0xE8: return {Form::Rel32};
    case 0xE9: return {Form::Rel32, true};
    case 0xF5: case 0xF8: case 0xF9: case 0xFA: case 0xFB: case 0xFC: case 0xFD: return {Form::Plain};
    case 0xF6: case 0xF7: return {Form::Group3};
    case 0xFE: return {Form::ModRmReg01};
    case 0xFF: return {Form::GroupFf};
    default:
        // Short and far branches, loops, ret far, interrupts, in/out, hlt,
        // bound/les/lds (VEX and EVEX in disguise) and the undefined bytes.
        return {Form::Invalid};
    }
}

Opcode TwoByte(uint8_t op) {
    if (op >= 0x80 && op <= 0x8F) return {Form::Rel32};  // jcc rel32
    if (op >= 0xC8 && op <= 0xCF) return {Form::Plain};  // bswap
    if ((op >= 0x10 && op <= 0x1F) || (op >= 0x28 && op <= 0x2F) || (op >= 0x40 && op <= 0x6F) ||
        (op >= 0x74 && op <= 0x76) || op == 0x7E || op == 0x7F || (op >= 0x90 && op <= 0x9F) ||
        (op >= 0xD0 && op <= 0xFE))
        return {Form::ModRm};
    switch (op) {
    case 0x31: case 0x77: case 0xA0: case 0xA1: case 0xA2: case 0xA8: case 0xA9: return {Form::Plain};
    case 0x70: case 0x71: case 0x72: case 0x73: case 0xA4: case 0xAC: case 0xBA:
    case 0xC2: case 0xC4: case 0xC5: case 0xC6: return {Form::ModRmImm8};
    case 0xA3: case 0xA5: case 0xAB: case 0xAD: case 0xAF: case 0xB0: case 0xB1: case 0xB3:
    case 0xB6: case 0xB7: case 0xBB: case 0xBC: case 0xBD: case 0xBE: case 0xBF:
    case 0xC0: case 0xC1: case 0xC3: case 0xC7: return {Form::ModRm};
    default: return {Form::Invalid};
    }
}

class Reader {
public:
    Reader(const uint8_t* code, size_t available)
        : m_code(code), m_end(available < kMaxLength ? available : kMaxLength) {}
    bool Byte(uint8_t& value) {
        if (m_pos >= m_end) return false;
        value = m_code[m_pos++];
        return true;
    }
    bool Skip(size_t count) {
        if (count > m_end - m_pos) return false;
        m_pos += count;
        return true;
    }
    size_t position() const { return m_pos; }

private:
    const uint8_t* m_code;
    size_t m_end;
    size_t m_pos = 0;
};

// Reads ModRM with its SIB byte and displacement (32-bit addressing);
// answers the reg field.
bool SkipModRm(Reader& reader, uint8_t& reg, bool& isRegister) {
    uint8_t modrm = 0;
    if (!reader.Byte(modrm)) return false;
    const uint8_t mod = modrm >> 6;
    const uint8_t rm = modrm & 7;
    reg = (modrm >> 3) & 7;
    isRegister = mod == 3;
    if (isRegister) return true;
    size_t displacement = mod == 1 ? 1 : mod == 2 ? 4 : 0;
    if (rm == 4) {
        uint8_t sib = 0;
        if (!reader.Byte(sib)) return false;
        if (mod == 0 && (sib & 7) == 5) displacement = 4;
    } else if (mod == 0 && rm == 5) {
        displacement = 4;
    }
    return reader.Skip(displacement);
}

bool IsLegacyPrefix(uint8_t b) {
    switch (b) {
    case 0x26: case 0x2E: case 0x36: case 0x3E: case 0x64: case 0x65:
    case 0xF0: case 0xF2: case 0xF3: return true;
    default: return false;
    }
}

}  // namespace

bool DecodeInstruction(const uint8_t* code, size_t available, Instruction& out) {
    Reader reader(code, available);
    bool operand16 = false;
    uint8_t op = 0;
    for (;;) {
        if (!reader.Byte(op)) return false;
        if (op == 0x66) {
            operand16 = true;
        } else if (op == 0x67) {
            return false;  // 16-bit addressing changes every ModRM length
        } else if (!IsLegacyPrefix(op)) {
            break;
        }
    }
    Opcode opcode;
    if (op == 0x0F) {
        if (!reader.Byte(op)) return false;
        opcode = TwoByte(op);
    } else {
        opcode = OneByte(op);
    }
    const size_t immZ = operand16 ? 2 : 4;
    uint8_t reg = 0;
    bool isRegister = false;
    bool ok = false;
    bool hasRel32 = false;
    bool endsFlow = opcode.endsFlow;
    switch (opcode.form) {
    case Form::Invalid: return false;
    case Form::Plain: ok = true; break;
    case Form::ModRm: ok = SkipModRm(reader, reg, isRegister); break;
    case Form::ModRmImm8: ok = SkipModRm(reader, reg, isRegister) && reader.Skip(1); break;
    case Form::ModRmImmZ: ok = SkipModRm(reader, reg, isRegister) && reader.Skip(immZ); break;
    case Form::Imm8: ok = reader.Skip(1); break;
    case Form::Imm16: ok = reader.Skip(2); break;
    case Form::ImmZ: ok = reader.Skip(immZ); break;
    case Form::Imm16Imm8: ok = reader.Skip(3); break;
    case Form::Moffs: ok = reader.Skip(4); break;
    case Form::Rel32: {
        // With an operand-size prefix the offset is 16 bits and the target
        // is cut to 16 bits: never moved.
        if (operand16) return false;
        const size_t start = reader.position();
        ok = reader.Skip(4);
        // call $+5 reads its own address (position-independent code): the
        // moved copy would hand out the wrong one.
        if (ok && op == 0xE8 && code[start] == 0 && code[start + 1] == 0 && code[start + 2] == 0 &&
            code[start + 3] == 0)
            return false;
        hasRel32 = true;
        break;
    }
    case Form::Group3:
        ok = SkipModRm(reader, reg, isRegister) && (reg > 1 || reader.Skip(op == 0xF6 ? 1 : immZ));
        break;
    case Form::GroupFf:
        ok = SkipModRm(reader, reg, isRegister);
        // /3 and /5 are far transfers and /7 is undefined; /4 is jmp.
        if (reg == 3 || reg == 5 || reg == 7) return false;
        endsFlow = reg == 4;
        break;
    case Form::ModRmReg0: ok = SkipModRm(reader, reg, isRegister) && reg == 0; break;
    case Form::ModRmReg0Imm8: ok = SkipModRm(reader, reg, isRegister) && reg == 0 && reader.Skip(1); break;
    case Form::ModRmReg0ImmZ: ok = SkipModRm(reader, reg, isRegister) && reg == 0 && reader.Skip(immZ); break;
    case Form::ModRmReg01: ok = SkipModRm(reader, reg, isRegister) && reg <= 1; break;
    case Form::ModRmMemory: ok = SkipModRm(reader, reg, isRegister) && !isRegister; break;
    }
    if (!ok) return false;
    out.length = reader.position();
    out.hasRel32 = hasRel32;
    out.endsFlow = endsFlow;
    return true;
}

}  // namespace x86
