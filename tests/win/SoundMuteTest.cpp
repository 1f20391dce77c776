// Muting a page process: the mixer path without a sound device, and the
// interceptors that zero the audio data of this process while it is muted.
#include <gtest/gtest.h>

#include <windows.h>
#include <dsound.h>
#include <mmsystem.h>

#include <cstring>
#include <vector>

#include "framework/Handles.h"
#include "sound/AudioInterceptors.h"
#include "sound/SoundMute.h"

namespace {

std::vector<uint8_t> EntryBytes(const wchar_t* module, const char* function) {
    const auto* entry = reinterpret_cast<const uint8_t*>(::GetProcAddress(::GetModuleHandleW(module), function));
    return entry ? std::vector<uint8_t>(entry, entry + 8) : std::vector<uint8_t>();
}

bool AllZero(const char* data, size_t size) {
    for (size_t i = 0; i < size; ++i)
        if (data[i] != 0) return false;
    return true;
}

// Clears the process-wide flag whatever the test did.
struct MuteFlagReset {
    ~MuteFlagReset() { sound::SetInterceptedMute(false); }
};

}  // namespace

TEST(SoundMute, MixerPathLeavesTheAudioFunctionsAloneAndFailsQuietlyWithoutADevice) {
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof version;
    ASSERT_TRUE(::GetVersionExW(&version));
    if (version.dwMajorVersion < 6) GTEST_SKIP() << "this system mutes by interception";
    const auto before = EntryBytes(L"winmm.dll", "waveOutWrite");

    ApplyMute(true);
    ApplyMute(false);
    EXPECT_EQ(EntryBytes(L"winmm.dll", "waveOutWrite"), before);
    if (::mixerGetNumDevs() == 0) {
        EXPECT_FALSE(SetMixerLineMute(MIXERLINE_COMPONENTTYPE_SRC_WAVEOUT, true));
        EXPECT_FALSE(SetMixerLineMute(MIXERLINE_COMPONENTTYPE_DST_SPEAKERS, false));
    }
}

TEST(SoundInterception, InstalledOnceAndWaveDataZeroedOnlyWhileMuted) {
    MuteFlagReset reset;
    sound::SetInterceptedMute(false);
    char data[64];
    std::memset(data, 0x5A, sizeof data);
    WAVEHDR header{};
    header.lpData = data;
    header.dwBufferLength = sizeof data;
    // No device: the real call refuses the handle after the interceptor ran.
    const MMRESULT refused = ::waveOutWrite(nullptr, &header, sizeof header);

    ASSERT_TRUE(sound::InstallAudioInterceptors());
    const auto installed = EntryBytes(L"winmm.dll", "waveOutWrite");
    EXPECT_EQ(installed.at(0), 0xE9);
    EXPECT_TRUE(sound::InstallAudioInterceptors());
    EXPECT_EQ(EntryBytes(L"winmm.dll", "waveOutWrite"), installed);

    EXPECT_EQ(::waveOutWrite(nullptr, &header, sizeof header), refused);
    EXPECT_EQ(data[0], 0x5A);
    EXPECT_EQ(data[63], 0x5A);

    sound::SetInterceptedMute(true);
    header.dwBufferLength = 48;  // only the given length is the buffer's
    EXPECT_EQ(::waveOutWrite(nullptr, &header, sizeof header), refused);
    EXPECT_TRUE(AllZero(data, 48));
    EXPECT_EQ(data[48], 0x5A);
    // A header too short to hold its data fields is not trusted.
    std::memset(data, 0x5A, sizeof data);
    ::waveOutWrite(nullptr, &header, 4);
    EXPECT_EQ(data[0], 0x5A);
    ::waveOutWrite(nullptr, nullptr, sizeof header);

    sound::SetInterceptedMute(false);
    EXPECT_EQ(::waveOutWrite(nullptr, &header, sizeof header), refused);
    EXPECT_EQ(data[0], 0x5A);
}

TEST(SoundInterception, MidiDataZeroedOnlyWhileMuted) {
    MuteFlagReset reset;
    ASSERT_TRUE(sound::InstallAudioInterceptors());
    sound::SetInterceptedMute(false);
    char data[32];
    std::memset(data, 0x33, sizeof data);
    MIDIHDR header{};
    header.lpData = data;
    header.dwBufferLength = sizeof data;
    const MMRESULT refused = ::midiStreamOut(nullptr, &header, sizeof header);
    EXPECT_NE(refused, MMSYSERR_NOERROR);
    EXPECT_EQ(data[0], 0x33);

    sound::SetInterceptedMute(true);
    EXPECT_EQ(::midiStreamOut(nullptr, &header, sizeof header), refused);
    EXPECT_TRUE(AllZero(data, sizeof data));
}

TEST(SoundInterception, DirectSoundCreationKeepsItsResultAndCoversWhatItMakes) {
    using CreateFn = HRESULT(WINAPI*)(LPCGUID, LPDIRECTSOUND*, LPUNKNOWN);
    const fw::ModuleHandle dsound(::LoadLibraryW(L"dsound.dll"));
    const auto create =
        reinterpret_cast<CreateFn>(reinterpret_cast<void*>(::GetProcAddress(dsound.get(), "DirectSoundCreate")));
    ASSERT_NE(create, nullptr);
    LPDIRECTSOUND plain = nullptr;
    const HRESULT expected = create(nullptr, &plain, nullptr);
    if (plain) plain->Release();

    ASSERT_TRUE(sound::InstallAudioInterceptors());
    LPDIRECTSOUND device = reinterpret_cast<LPDIRECTSOUND>(&plain);  // must be overwritten
    const HRESULT result = create(nullptr, &device, nullptr);
    EXPECT_EQ(result, expected);
    if (FAILED(result)) {
        EXPECT_EQ(device, nullptr);  // no sound device here: nothing to cover
        return;
    }
    ASSERT_NE(device, nullptr);
    // The table's CreateSoundBuffer now leads into this executable.
    HMODULE owner = nullptr;
    void* const entry = (*reinterpret_cast<void***>(device))[3];
    ASSERT_TRUE(::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                                     static_cast<LPCWSTR>(entry), &owner));
    EXPECT_EQ(owner, ::GetModuleHandleW(nullptr));
    device->Release();
}

namespace {

// Fake DirectSound objects: the interface tables are ours, so the slots can be
// watched, and the "real" methods record what reaches them.
struct FakeObject {
    void** table;
};

struct UnlockCall {
    int calls = 0;
    const void* first = nullptr;
    DWORD firstBytes = 0;
    const void* second = nullptr;
    DWORD secondBytes = 0;
    bool firstZeroOnArrival = false;
};

UnlockCall g_primaryUnlock;
UnlockCall g_secondaryUnlock;

HRESULT Record(UnlockCall& call, LPVOID first, DWORD firstBytes, LPVOID second, DWORD secondBytes) {
    ++call.calls;
    call.first = first;
    call.firstBytes = firstBytes;
    call.second = second;
    call.secondBytes = secondBytes;
    call.firstZeroOnArrival = first && AllZero(static_cast<const char*>(first), firstBytes);
    return DS_OK;
}

HRESULT STDMETHODCALLTYPE PrimaryUnlock(FakeObject*, LPVOID a, DWORD an, LPVOID b, DWORD bn) {
    return Record(g_primaryUnlock, a, an, b, bn);
}
HRESULT STDMETHODCALLTYPE SecondaryUnlock(FakeObject*, LPVOID a, DWORD an, LPVOID b, DWORD bn) {
    return Record(g_secondaryUnlock, a, an, b, bn);
}

// Set up once: a covered slot stays covered for the rest of the process.
struct FakeTable {
    FakeTable(unsigned slot, void* method) { slots[slot] = method; }
    void* slots[20] = {};
};

FakeTable g_primaryTable(19, reinterpret_cast<void*>(&PrimaryUnlock));
FakeTable g_secondaryTable(19, reinterpret_cast<void*>(&SecondaryUnlock));
FakeTable g_refusedTable(19, reinterpret_cast<void*>(&SecondaryUnlock));
FakeObject g_primaryBuffer{g_primaryTable.slots};
FakeObject g_secondaryBuffer{g_secondaryTable.slots};
FakeObject g_refusedBuffer{g_refusedTable.slots};

HRESULT STDMETHODCALLTYPE WorkingCreate(FakeObject*, LPCDSBUFFERDESC description, FakeObject** out, LPUNKNOWN) {
    *out = (description->dwFlags & DSBCAPS_PRIMARYBUFFER) ? &g_primaryBuffer : &g_secondaryBuffer;
    return DS_OK;
}
// A failing creation that still leaves something in the out variable.
HRESULT STDMETHODCALLTYPE FailingCreate(FakeObject*, LPCDSBUFFERDESC, FakeObject** out, LPUNKNOWN) {
    if (!out) return DSERR_INVALIDPARAM;
    *out = &g_refusedBuffer;
    return DSERR_OUTOFMEMORY;
}

FakeTable g_workingDeviceTable(3, reinterpret_cast<void*>(&WorkingCreate));
FakeTable g_failingDeviceTable(3, reinterpret_cast<void*>(&FailingCreate));

using CreateFn = HRESULT(STDMETHODCALLTYPE*)(FakeObject*, LPCDSBUFFERDESC, FakeObject**, LPUNKNOWN);
using UnlockFn = HRESULT(STDMETHODCALLTYPE*)(FakeObject*, LPVOID, DWORD, LPVOID, DWORD);

HRESULT CreateBuffer(FakeObject& device, DWORD flags, FakeObject** out) {
    DSBUFFERDESC description{};
    description.dwSize = sizeof description;
    description.dwFlags = flags;
    return reinterpret_cast<CreateFn>(device.table[3])(&device, &description, out, nullptr);
}

HRESULT Unlock(FakeObject& buffer, LPVOID a, DWORD an, LPVOID b, DWORD bn) {
    return reinterpret_cast<UnlockFn>(buffer.table[19])(&buffer, a, an, b, bn);
}

}  // namespace

TEST(SoundInterception, BuffersOfEveryKindAreCoveredAndUnlockedDataZeroedWhileMuted) {
    MuteFlagReset reset;
    void** const deviceTable = g_workingDeviceTable.slots;
    FakeObject device{deviceTable};
    FakeObject laterDevice{deviceTable};

    ASSERT_TRUE(sound::CoverSoundDevice(&device));
    void* const interceptor = deviceTable[3];
    EXPECT_NE(interceptor, reinterpret_cast<void*>(&WorkingCreate));
    EXPECT_TRUE(sound::CoverSoundDevice(&laterDevice));
    EXPECT_EQ(deviceTable[3], interceptor);

    FakeObject* primary = nullptr;
    ASSERT_EQ(CreateBuffer(device, DSBCAPS_PRIMARYBUFFER, &primary), DS_OK);
    EXPECT_EQ(primary, &g_primaryBuffer);
    FakeObject* secondary = nullptr;
    ASSERT_EQ(CreateBuffer(laterDevice, 0, &secondary), DS_OK);
    EXPECT_EQ(secondary, &g_secondaryBuffer);
    void* const unlockInterceptor = g_secondaryTable.slots[19];
    EXPECT_NE(unlockInterceptor, reinterpret_cast<void*>(&SecondaryUnlock));
    EXPECT_EQ(g_primaryTable.slots[19], unlockInterceptor);
    ASSERT_EQ(CreateBuffer(device, 0, &secondary), DS_OK);
    EXPECT_EQ(g_secondaryTable.slots[19], unlockInterceptor);

    char first[16], second[8];
    std::memset(first, 0x11, sizeof first);
    std::memset(second, 0x22, sizeof second);
    g_secondaryUnlock = UnlockCall();
    sound::SetInterceptedMute(false);
    EXPECT_EQ(Unlock(*secondary, first, sizeof first, second, sizeof second), DS_OK);
    EXPECT_EQ(first[0], 0x11);
    EXPECT_EQ(second[0], 0x22);

    sound::SetInterceptedMute(true);
    EXPECT_EQ(Unlock(*secondary, first, 12, second, sizeof second), DS_OK);
    EXPECT_TRUE(AllZero(first, 12));
    EXPECT_EQ(first[12], 0x11);
    EXPECT_TRUE(AllZero(second, sizeof second));
    EXPECT_EQ(g_secondaryUnlock.calls, 2);
    EXPECT_TRUE(g_secondaryUnlock.firstZeroOnArrival);
    EXPECT_EQ(g_secondaryUnlock.first, first);
    EXPECT_EQ(g_secondaryUnlock.firstBytes, 12u);
    EXPECT_EQ(g_secondaryUnlock.second, second);
    EXPECT_EQ(g_secondaryUnlock.secondBytes, sizeof second);

    // An empty second region is passed on as it came.
    g_primaryUnlock = UnlockCall();
    std::memset(first, 0x11, sizeof first);
    EXPECT_EQ(Unlock(*primary, first, sizeof first, nullptr, 0), DS_OK);
    EXPECT_EQ(g_primaryUnlock.calls, 1);
    EXPECT_TRUE(g_primaryUnlock.firstZeroOnArrival);
    EXPECT_EQ(g_primaryUnlock.second, nullptr);
    EXPECT_EQ(g_primaryUnlock.secondBytes, 0u);
}

TEST(SoundInterception, FailingBufferCreationReturnsItsResultAndPatchesNothing) {
    void** const deviceTable = g_failingDeviceTable.slots;
    FakeObject device{deviceTable};
    ASSERT_TRUE(sound::CoverSoundDevice(&device));

    FakeObject* buffer = nullptr;
    EXPECT_EQ(CreateBuffer(device, 0, &buffer), DSERR_OUTOFMEMORY);
    EXPECT_EQ(buffer, &g_refusedBuffer);
    EXPECT_EQ(g_refusedTable.slots[19], reinterpret_cast<void*>(&SecondaryUnlock));
    // Without a place for the buffer the call reaches the real method as it is.
    EXPECT_EQ(reinterpret_cast<CreateFn>(deviceTable[3])(&device, nullptr, nullptr, nullptr), DSERR_INVALIDPARAM);
}
