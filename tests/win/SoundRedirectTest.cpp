// The interception layer on its own: redirecting functions of this process
// and giving them back, and covering interface-table slots.
#include <gtest/gtest.h>

#include <windows.h>
#include <mmsystem.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "sound/FunctionRedirect.h"
#include "sound/InterfaceSlotPatches.h"

namespace {

using sound::FunctionRedirect;
using IntFn = int(__cdecl*)();

__attribute__((noinline)) int __cdecl ReturnFortyTwo() { return 42; }
__attribute__((noinline)) int __cdecl ReturnSeven() { return 7; }
UINT WINAPI SevenDevices() { return 7; }

uint32_t AddressOf(const void* p) { return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(p)); }

// Hand-made machine code in executable memory, so the bytes at the start of
// the function are known exactly.
class CodeBuffer {
public:
    explicit CodeBuffer(const std::vector<uint8_t>& code)
        : m_memory(::VirtualAlloc(nullptr, 64, MEM_COMMIT | MEM_RESERVE, PAGE_EXECUTE_READWRITE)),
          m_code(code) {
        std::memcpy(bytes(), code.data(), code.size());
    }
    uint8_t* bytes() const { return static_cast<uint8_t*>(m_memory.get()); }
    bool Unchanged() const { return std::memcmp(bytes(), m_code.data(), m_code.size()) == 0; }
    IntFn function() const { return reinterpret_cast<IntFn>(m_memory.get()); }

private:
    fw::VirtualMemory m_memory;
    std::vector<uint8_t> m_code;
};

// push ebp; mov ebp,esp; call ReturnFortyTwo; pop ebp; ret: the call is
// among the moved bytes, so the trampoline only works if it was relocated.
std::vector<uint8_t> FrameCallingFortyTwo(const void* at) {
    const uint32_t offset = AddressOf(reinterpret_cast<void*>(&ReturnFortyTwo)) - (AddressOf(at) + 8);
    std::vector<uint8_t> code = {0x55, 0x89, 0xE5, 0xE8, 0, 0, 0, 0, 0x5D, 0xC3};
    std::memcpy(&code[4], &offset, sizeof offset);
    return code;
}

}  // namespace

TEST(FunctionRedirect, RedirectsHandMadeCodeAndItsTrampolineStillCallsTheRealFunction) {
    fw::VirtualMemory probe(::VirtualAlloc(nullptr, 64, MEM_COMMIT | MEM_RESERVE, PAGE_EXECUTE_READWRITE));
    // Build the code where it will run: the call's offset depends on it.
    const std::vector<uint8_t> code = FrameCallingFortyTwo(probe.get());
    std::memcpy(probe.get(), code.data(), code.size());
    const auto function = reinterpret_cast<IntFn>(probe.get());
    ASSERT_EQ(function(), 42);

    FunctionRedirect redirect;
    ASSERT_TRUE(redirect.Redirect(probe.get(), reinterpret_cast<void*>(&ReturnSeven)));
    EXPECT_TRUE(redirect.active());
    EXPECT_EQ(function(), 7);
    EXPECT_EQ(redirect.original_as<IntFn>()(), 42);
    EXPECT_FALSE(redirect.Redirect(probe.get(), reinterpret_cast<void*>(&ReturnSeven)));

    ASSERT_TRUE(redirect.Undo());
    EXPECT_FALSE(redirect.active());
    EXPECT_EQ(redirect.original(), nullptr);
    EXPECT_EQ(std::memcmp(probe.get(), code.data(), code.size()), 0);
    EXPECT_EQ(function(), 42);
    EXPECT_FALSE(redirect.Undo());
}

TEST(FunctionRedirect, RedirectsACompiledFunctionAndGivesItBackWhenDestroyed) {
    IntFn volatile call = &ReturnFortyTwo;
    std::vector<uint8_t> before(8);
    std::memcpy(before.data(), reinterpret_cast<void*>(&ReturnFortyTwo), before.size());
    {
        FunctionRedirect redirect;
        ASSERT_TRUE(redirect.Redirect(reinterpret_cast<void*>(&ReturnFortyTwo), reinterpret_cast<void*>(&ReturnSeven)));
        EXPECT_EQ(call(), 7);
        EXPECT_EQ(redirect.original_as<IntFn>()(), 42);
    }
    EXPECT_EQ(call(), 42);
    EXPECT_EQ(std::memcmp(before.data(), reinterpret_cast<void*>(&ReturnFortyTwo), before.size()), 0);
}

TEST(FunctionRedirect, RedirectsASystemFunctionForEveryCallerOfTheProcess) {
    const UINT devices = ::waveOutGetNumDevs();
    auto* entry = reinterpret_cast<uint8_t*>(::GetProcAddress(::GetModuleHandleW(L"winmm.dll"), "waveOutGetNumDevs"));
    ASSERT_NE(entry, nullptr);
    std::vector<uint8_t> before(entry, entry + 16);

    FunctionRedirect redirect;
    ASSERT_TRUE(redirect.Redirect(entry, reinterpret_cast<void*>(&SevenDevices)));
    EXPECT_EQ(::waveOutGetNumDevs(), 7u);  // through the import table, as any caller
    EXPECT_EQ(redirect.original_as<UINT(WINAPI*)()>()(), devices);
    ASSERT_TRUE(redirect.Undo());
    EXPECT_EQ(::waveOutGetNumDevs(), devices);
    EXPECT_TRUE(std::equal(before.begin(), before.end(), entry));
}

TEST(FunctionRedirect, LeavesAloneWhatItCannotMoveOrNoLongerOwns) {
    // jmp short: the redirection is refused and nothing is written.
    CodeBuffer shortJump({0xEB, 0x03, 0x90, 0x90, 0x90, 0xB8, 0x2A, 0, 0, 0, 0xC3});
    FunctionRedirect refused;
    EXPECT_FALSE(refused.Redirect(shortJump.bytes(), reinterpret_cast<void*>(&ReturnSeven)));
    EXPECT_FALSE(refused.active());
    EXPECT_TRUE(shortJump.Unchanged());
    EXPECT_FALSE(refused.Redirect(nullptr, reinterpret_cast<void*>(&ReturnSeven)));

    // mov eax,42; ret: redirected, then written over by someone else.
    CodeBuffer movRet({0xB8, 0x2A, 0, 0, 0, 0xC3});
    FunctionRedirect redirect;
    ASSERT_TRUE(redirect.Redirect(movRet.bytes(), reinterpret_cast<void*>(&ReturnSeven)));
    const uint8_t ours = movRet.bytes()[0];
    movRet.bytes()[0] = 0xC3;
    EXPECT_FALSE(redirect.Undo());
    EXPECT_TRUE(redirect.active());
    EXPECT_NE(redirect.original(), nullptr);
    movRet.bytes()[0] = ours;
    EXPECT_TRUE(redirect.Undo());
    EXPECT_TRUE(movRet.Unchanged());
    EXPECT_EQ(movRet.function()(), 42);
}

namespace {

struct FakeObject {
    void** table;
};

int g_nRealCalls = 0;
int g_nReplacementCalls = 0;
sound::InterfaceSlotPatches* g_pPatches = nullptr;

int __stdcall RealMethod(FakeObject*) { return ++g_nRealCalls; }
int __stdcall OtherRealMethod(FakeObject*) { return 100 + ++g_nRealCalls; }
int __stdcall ReplacementMethod(FakeObject* self) {
    ++g_nReplacementCalls;
    return reinterpret_cast<int(__stdcall*)(FakeObject*)>(g_pPatches->RealEntry(self))(self);
}

int CallSlot2(FakeObject& object) { return reinterpret_cast<int(__stdcall*)(FakeObject*)>(object.table[2])(&object); }

}  // namespace

TEST(InterfaceSlotPatches, EachTableIsCoveredOnceWithItsOwnRealEntry) {
    void* tableA[4] = {nullptr, nullptr, reinterpret_cast<void*>(&RealMethod), nullptr};
    void* tableB[4] = {nullptr, nullptr, reinterpret_cast<void*>(&OtherRealMethod), nullptr};
    FakeObject first{tableA}, later{tableA}, other{tableB};
    sound::InterfaceSlotPatches patches(2);
    g_pPatches = &patches;
    g_nRealCalls = g_nReplacementCalls = 0;

    EXPECT_EQ(patches.RealEntry(&first), nullptr);
    ASSERT_TRUE(patches.Cover(&first, reinterpret_cast<void*>(&ReplacementMethod)));
    EXPECT_EQ(tableA[2], reinterpret_cast<void*>(&ReplacementMethod));
    EXPECT_EQ(tableA[1], nullptr);
    EXPECT_EQ(tableA[3], nullptr);
    // Covering again, through the same or another object of the table, keeps
    // the real entry: the replacement never calls itself.
    EXPECT_TRUE(patches.Cover(&first, reinterpret_cast<void*>(&ReplacementMethod)));
    EXPECT_TRUE(patches.Cover(&later, reinterpret_cast<void*>(&ReplacementMethod)));
    EXPECT_EQ(patches.count(), 1u);
    EXPECT_EQ(patches.RealEntry(&later), reinterpret_cast<void*>(&RealMethod));
    EXPECT_EQ(CallSlot2(later), 1);
    EXPECT_EQ(g_nReplacementCalls, 1);

    ASSERT_TRUE(patches.Cover(&other, reinterpret_cast<void*>(&ReplacementMethod)));
    EXPECT_EQ(patches.count(), 2u);
    EXPECT_EQ(CallSlot2(other), 102);
    EXPECT_EQ(CallSlot2(first), 3);
    EXPECT_EQ(g_nReplacementCalls, 3);
}
