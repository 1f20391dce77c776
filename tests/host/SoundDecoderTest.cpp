// The decoder decides how much of a function is moved before it is
// overwritten: a wrong length corrupts the function, so lengths are checked
// on the byte sequences that real function entries are made of.
#include "sound/X86Decoder.h"
#include "sound/X86Relocation.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

struct LengthCase {
    const char* what;
    Bytes code;
    size_t length;
};

// Decodes with a few bytes of trailing int3 so that over-reading shows as a
// wrong length, not as a read past the array.
bool Decode(const Bytes& code, x86::Instruction& out) {
    Bytes padded = code;
    padded.insert(padded.end(), 4, 0xCC);
    return x86::DecodeInstruction(padded.data(), padded.size(), out);
}

uint32_t ReadU32(const uint8_t* p) {
    uint32_t value;
    std::memcpy(&value, p, sizeof value);
    return value;
}

}  // namespace

TEST(X86Decoder, LengthsOfEntryInstructions) {
    const LengthCase cases[] = {
        {"mov edi,edi", {0x8B, 0xFF}, 2},
        {"push ebp", {0x55}, 1},
        {"mov ebp,esp (8B)", {0x8B, 0xEC}, 2},
        {"mov ebp,esp (89)", {0x89, 0xE5}, 2},
        {"sub esp,imm8", {0x83, 0xEC, 0x18}, 3},
        {"sub esp,imm32", {0x81, 0xEC, 0x00, 0x01, 0x00, 0x00}, 6},
        {"push imm8", {0x6A, 0xFF}, 2},
        {"push imm32", {0x68, 0x78, 0x56, 0x34, 0x12}, 5},
        {"mov eax,[esp+4]", {0x8B, 0x44, 0x24, 0x04}, 4},
        {"lea ecx,[esp+4]", {0x8D, 0x4C, 0x24, 0x04}, 4},
        {"and esp,-16", {0x83, 0xE4, 0xF0}, 3},
        {"push [ecx-4]", {0xFF, 0x71, 0xFC}, 3},
        {"mov eax,[ebp+disp32]", {0x8B, 0x85, 0x00, 0xF0, 0xFF, 0xFF}, 6},
        {"mov eax,[disp32]", {0x8B, 0x05, 0x10, 0x20, 0x30, 0x40}, 6},
        {"mov eax,[eax*4+disp32]", {0x8B, 0x04, 0x85, 0x10, 0x20, 0x30, 0x40}, 7},
        {"mov eax,[esp+disp32]", {0x8B, 0x84, 0x24, 0x00, 0x01, 0x00, 0x00}, 7},
        {"mov dword [ebp-4],imm32", {0xC7, 0x45, 0xFC, 0x00, 0x00, 0x00, 0x00}, 7},
        {"mov dword [esp+4],imm32", {0xC7, 0x44, 0x24, 0x04, 0x01, 0x00, 0x00, 0x00}, 8},
        {"mov eax,fs:[0]", {0x64, 0xA1, 0x00, 0x00, 0x00, 0x00}, 6},
        {"mov ax,imm16", {0x66, 0xB8, 0x34, 0x12}, 4},
        {"add cx,imm16", {0x66, 0x81, 0xC1, 0x34, 0x12}, 5},
        {"mov eax,imm32", {0xB8, 0x01, 0x00, 0x00, 0x00}, 5},
        {"rep movsd", {0xF3, 0xA5}, 2},
        {"lock cmpxchg [edx],ecx", {0xF0, 0x0F, 0xB1, 0x0A}, 4},
        {"movzx eax,byte [ebp+8]", {0x0F, 0xB6, 0x45, 0x08}, 4},
        {"test cl,imm8", {0xF6, 0xC1, 0x01}, 3},
        {"test ecx,imm32", {0xF7, 0xC1, 0x00, 0x00, 0x01, 0x00}, 6},
        {"neg eax", {0xF7, 0xD8}, 2},
        {"enter 16,0", {0xC8, 0x10, 0x00, 0x00}, 4},
        {"call [disp32]", {0xFF, 0x15, 0x10, 0x20, 0x30, 0x40}, 6},
        {"nop dword [eax+eax+0]", {0x0F, 0x1F, 0x44, 0x00, 0x00}, 5},
        {"fld qword [esp+8]", {0xDD, 0x44, 0x24, 0x08}, 4},
    };
    for (const auto& c : cases) {
        x86::Instruction instruction;
        ASSERT_TRUE(Decode(c.code, instruction)) << c.what;
        EXPECT_EQ(instruction.length, c.length) << c.what;
        EXPECT_FALSE(instruction.hasRel32) << c.what;
        EXPECT_FALSE(instruction.endsFlow) << c.what;
    }
}

TEST(X86Decoder, RelativeAndEndingInstructionsAreMarked) {
    x86::Instruction call;
    ASSERT_TRUE(Decode({0xE8, 0x10, 0x00, 0x00, 0x00}, call));
    EXPECT_EQ(call.length, 5u);
    EXPECT_TRUE(call.hasRel32);
    EXPECT_FALSE(call.endsFlow);

    x86::Instruction jmp;
    ASSERT_TRUE(Decode({0xE9, 0x10, 0x00, 0x00, 0x00}, jmp));
    EXPECT_TRUE(jmp.hasRel32);
    EXPECT_TRUE(jmp.endsFlow);

    x86::Instruction jne;
    ASSERT_TRUE(Decode({0x0F, 0x85, 0x10, 0x00, 0x00, 0x00}, jne));
    EXPECT_EQ(jne.length, 6u);
    EXPECT_TRUE(jne.hasRel32);
    EXPECT_FALSE(jne.endsFlow);

    x86::Instruction jmpIndirect;
    ASSERT_TRUE(Decode({0xFF, 0x25, 0x10, 0x20, 0x30, 0x40}, jmpIndirect));
    EXPECT_EQ(jmpIndirect.length, 6u);
    EXPECT_FALSE(jmpIndirect.hasRel32);
    EXPECT_TRUE(jmpIndirect.endsFlow);

    x86::Instruction ret;
    ASSERT_TRUE(Decode({0xC2, 0x0C, 0x00}, ret));
    EXPECT_EQ(ret.length, 3u);
    EXPECT_TRUE(ret.endsFlow);
}

TEST(X86Decoder, RefusesWhatCannotBeMoved) {
    const LengthCase cases[] = {
        {"jmp short", {0xEB, 0x05}, 0},
        {"je short", {0x74, 0x03}, 0},
        {"jecxz", {0xE3, 0x02}, 0},
        {"loop", {0xE2, 0xFE}, 0},
        {"far call", {0x9A, 0, 0, 0, 0, 0, 0}, 0},
        {"far jmp", {0xEA, 0, 0, 0, 0, 0, 0}, 0},
        {"call far [eax]", {0xFF, 0x18}, 0},
        {"int3", {0xCC}, 0},
        {"int 2e", {0xCD, 0x2E}, 0},
        {"16-bit addressing", {0x67, 0x8B, 0x00}, 0},
        {"call rel16", {0x66, 0xE8, 0x10, 0x00}, 0},
        {"call $+5 (reads its own address)", {0xE8, 0x00, 0x00, 0x00, 0x00}, 0},
        {"ud2", {0x0F, 0x0B}, 0},
        {"three-byte opcode", {0x0F, 0x38, 0x00, 0xC0}, 0},
        {"les (a VEX prefix in disguise)", {0xC4, 0xE2, 0x79}, 0},
        {"pop with reg field 1 (XOP)", {0x8F, 0xC8}, 0},
        {"xabort", {0xC6, 0xF8, 0x00}, 0},
        {"lea with a register operand", {0x8D, 0xC0}, 0},
        {"undefined F1", {0xF1}, 0},
    };
    for (const auto& c : cases) {
        x86::Instruction instruction;
        EXPECT_FALSE(Decode(c.code, instruction)) << c.what;
    }
}

TEST(X86Decoder, RefusesInstructionsCutOffByTheEndOfTheBytes) {
    const Bytes movEsp = {0x8B, 0x44, 0x24, 0x04};
    x86::Instruction instruction;
    EXPECT_FALSE(x86::DecodeInstruction(movEsp.data(), 3, instruction));
    EXPECT_TRUE(x86::DecodeInstruction(movEsp.data(), 4, instruction));
    const Bytes pushImm32 = {0x68, 0x78, 0x56, 0x34};
    EXPECT_FALSE(x86::DecodeInstruction(pushImm32.data(), pushImm32.size(), instruction));
    const Bytes prefixesOnly(16, 0x66);
    EXPECT_FALSE(x86::DecodeInstruction(prefixesOnly.data(), prefixesOnly.size(), instruction));
    EXPECT_FALSE(x86::DecodeInstruction(nullptr, 0, instruction));
}

TEST(X86Relocation, MovesWholeInstructionsCoveringTheJump) {
    // mov edi,edi; push ebp; mov ebp,esp: exactly five bytes.
    const Bytes hotPatchable = {0x8B, 0xFF, 0x55, 0x8B, 0xEC, 0xA1, 0x20, 0x03, 0xFE, 0x7F};
    EXPECT_EQ(x86::MovableLength(hotPatchable.data(), hotPatchable.size(), 5), 5u);
    // push ebp; mov ebp,esp; sub esp,18h: the sub is taken whole.
    const Bytes gccFrame = {0x55, 0x89, 0xE5, 0x83, 0xEC, 0x18, 0xC9, 0xC3};
    EXPECT_EQ(x86::MovableLength(gccFrame.data(), gccFrame.size(), 5), 6u);
    // lea ecx,[esp+4]; and esp,-16; push [ecx-4] (a realigning entry).
    const Bytes realigning = {0x8D, 0x4C, 0x24, 0x04, 0x83, 0xE4, 0xF0, 0xFF, 0x71, 0xFC};
    EXPECT_EQ(x86::MovableLength(realigning.data(), realigning.size(), 5), 7u);
    // An import thunk is one jump of six bytes: nothing after it is needed.
    const Bytes thunk = {0xFF, 0x25, 0x10, 0x20, 0x30, 0x40, 0xCC, 0xCC};
    EXPECT_EQ(x86::MovableLength(thunk.data(), thunk.size(), 5), 6u);
}

TEST(X86Relocation, RefusesFunctionsTooShortOrBranchingIntoTheMovedBytes) {
    // xor eax,eax; ret: the bytes after it are another function's.
    const Bytes tiny = {0x33, 0xC0, 0xC3, 0xCC, 0xCC, 0xCC, 0xCC};
    EXPECT_EQ(x86::MovableLength(tiny.data(), tiny.size(), 5), 0u);
    // A short jump on the way.
    const Bytes shortJump = {0x55, 0x85, 0xC0, 0x74, 0x02, 0x5D, 0xC3};
    EXPECT_EQ(x86::MovableLength(shortJump.data(), shortJump.size(), 5), 0u);
    // nop; nop; jmp back to the second nop: it would land in overwritten bytes.
    const Bytes loop = {0x90, 0x90, 0xE9, 0xFA, 0xFF, 0xFF, 0xFF};
    EXPECT_EQ(x86::MovableLength(loop.data(), loop.size(), 5), 0u);
    // Not enough bytes readable.
    const Bytes frame = {0x55, 0x8B, 0xEC, 0x83, 0xEC, 0x10};
    EXPECT_EQ(x86::MovableLength(frame.data(), 4, 5), 0u);
}

TEST(X86Relocation, CallsAndJumpsReachTheSameTargetFromTheNewPlace) {
    // push ebp; call +0x10; jne -0x20: each offset is relative to its end.
    const Bytes code = {0x55, 0xE8, 0x10, 0x00, 0x00, 0x00, 0x0F, 0x85, 0xE0, 0xFF, 0xFF, 0xFF};
    ASSERT_EQ(x86::MovableLength(code.data(), code.size(), 5), 6u);
    const uint32_t from = 0x00401000;
    const uint32_t to = 0x7FF00000;  // far above: the offsets wrap in 32 bits
    Bytes moved(code.size());
    ASSERT_TRUE(x86::CopyRelocated(code.data(), code.size(), from, to, moved.data()));

    EXPECT_EQ(moved[0], 0x55);
    EXPECT_EQ(moved[1], 0xE8);
    EXPECT_EQ(to + 6 + ReadU32(&moved[2]), from + 6 + 0x10u);
    EXPECT_EQ(moved[6], 0x0F);
    EXPECT_EQ(moved[7], 0x85);
    EXPECT_EQ(to + 12 + ReadU32(&moved[8]), from + 12 - 0x20u);

    // Moving back again gives the original bytes.
    Bytes back(code.size());
    ASSERT_TRUE(x86::CopyRelocated(moved.data(), moved.size(), to, from, back.data()));
    EXPECT_EQ(back, code);
}

TEST(X86Relocation, CopyRefusesALengthThatSplitsAnInstruction) {
    const Bytes code = {0x55, 0x8B, 0x44, 0x24, 0x04};
    Bytes out(code.size());
    EXPECT_FALSE(x86::CopyRelocated(code.data(), 3, 0x1000, 0x2000, out.data()));
    EXPECT_TRUE(x86::CopyRelocated(code.data(), 5, 0x1000, 0x2000, out.data()));
    EXPECT_EQ(out, code);
}
