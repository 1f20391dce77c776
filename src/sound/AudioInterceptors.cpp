#include "sound/AudioInterceptors.h"

#include <dsound.h>
#include <mmsystem.h>

#include <atomic>
#include <cstddef>
#include <cstring>

#include "framework/SystemLibrary.h"
#include "sound/FunctionRedirect.h"
#include "sound/InterfaceSlotPatches.h"

namespace sound {
namespace {

using WaveOutWriteFn = MMRESULT(WINAPI*)(HWAVEOUT, LPWAVEHDR, UINT);
using MidiStreamOutFn = MMRESULT(WINAPI*)(HMIDISTRM, LPMIDIHDR, UINT);
using DirectSoundCreateFn = HRESULT(WINAPI*)(LPCGUID, LPDIRECTSOUND*, LPUNKNOWN);
using CreateSoundBufferFn = HRESULT(STDMETHODCALLTYPE*)(IDirectSound*, LPCDSBUFFERDESC, LPDIRECTSOUNDBUFFER*,
                                                        LPUNKNOWN);
using UnlockFn = HRESULT(STDMETHODCALLTYPE*)(IDirectSoundBuffer*, LPVOID, DWORD, LPVOID, DWORD);

constexpr unsigned kCreateSoundBufferSlot = 3;  // IUnknown's three, then CreateSoundBuffer
constexpr unsigned kUnlockSlot = 19;            // the last method of IDirectSoundBuffer

// The process-wide values of the mechanism: the mute flag, the once flag,
// the real entry points behind the three redirections and the covered slots.
std::atomic<LONG> g_nMuteFlag{0};
std::atomic<bool> g_bInterceptorsInstalled{false};
// Destroyed when the process ends, which undoes the redirections.
FunctionRedirect g_waveOutWrite;
FunctionRedirect g_midiStreamOut;
FunctionRedirect g_directSoundCreate;
// Slots stay covered to the end: buffers made meanwhile may still be in use.
InterfaceSlotPatches g_createSoundBufferSlots(kCreateSoundBufferSlot);
InterfaceSlotPatches g_unlockSlots(kUnlockSlot);

bool Muted() { return g_nMuteFlag.load(std::memory_order_relaxed) != 0; }

void Silence(void* data, DWORD bytes) {
    if (data && bytes) std::memset(data, 0, bytes);
}

// WAVEHDR and MIDIHDR both start with the data pointer and its length. A
// missing header, or one too short to hold them, is the real function's to
// refuse.
template <class Header>
void SilenceHeader(Header* header, UINT headerSize) {
    if (!Muted() || !header) return;
    if (headerSize < offsetof(Header, dwBufferLength) + sizeof(header->dwBufferLength)) return;
    Silence(header->lpData, header->dwBufferLength);
}

MMRESULT WINAPI WaveOutWriteInterceptor(HWAVEOUT device, LPWAVEHDR header, UINT headerSize) {
    SilenceHeader(header, headerSize);
    return g_waveOutWrite.original_as<WaveOutWriteFn>()(device, header, headerSize);
}

MMRESULT WINAPI MidiStreamOutInterceptor(HMIDISTRM stream, LPMIDIHDR header, UINT headerSize) {
    SilenceHeader(header, headerSize);
    return g_midiStreamOut.original_as<MidiStreamOutFn>()(stream, header, headerSize);
}

HRESULT STDMETHODCALLTYPE UnlockInterceptor(IDirectSoundBuffer* buffer, LPVOID first, DWORD firstBytes,
                                            LPVOID second, DWORD secondBytes) {
    const auto real = reinterpret_cast<UnlockFn>(g_unlockSlots.RealEntry(buffer));
    if (!real) return DSERR_GENERIC;  // only covered tables lead here
    if (Muted()) {
        Silence(first, firstBytes);
        Silence(second, secondBytes);
    }
    return real(buffer, first, firstBytes, second, secondBytes);
}

HRESULT STDMETHODCALLTYPE CreateSoundBufferInterceptor(IDirectSound* device, LPCDSBUFFERDESC description,
                                                       LPDIRECTSOUNDBUFFER* out, LPUNKNOWN outer) {
    const auto real = reinterpret_cast<CreateSoundBufferFn>(g_createSoundBufferSlots.RealEntry(device));
    if (!real) return DSERR_GENERIC;  // only covered tables lead here
    // Without a place for the buffer the real call refuses; a buffer made
    // anyway would be lost.
    if (!out) return real(device, description, out, outer);
    LPDIRECTSOUNDBUFFER created = nullptr;
    const HRESULT result = real(device, description, &created, outer);
    *out = created;
    if (SUCCEEDED(result) && created) g_unlockSlots.Cover(created, reinterpret_cast<void*>(&UnlockInterceptor));
    return result;
}

HRESULT WINAPI DirectSoundCreateInterceptor(LPCGUID deviceId, LPDIRECTSOUND* out, LPUNKNOWN outer) {
    const auto real = g_directSoundCreate.original_as<DirectSoundCreateFn>();
    if (!out) return real(deviceId, out, outer);
    LPDIRECTSOUND created = nullptr;
    const HRESULT result = real(deviceId, &created, outer);
    *out = created;
    if (SUCCEEDED(result) && created) CoverSoundDevice(created);
    return result;
}

// The entry of `function` in System32's `module`, loaded if need be and
// pinned: a redirected library must never be unloaded under the jump into it.
void* PinnedExport(const wchar_t* module, const char* function) {
    const fw::SystemLibrary loaded(module);
    HMODULE pinned = nullptr;
    if (!loaded || !::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_PIN, module, &pinned)) return nullptr;
    return reinterpret_cast<void*>(::GetProcAddress(pinned, function));
}

bool RedirectExport(FunctionRedirect& redirect, const wchar_t* module, const char* function,
                    void* replacement) {
    void* target = PinnedExport(module, function);
    return target && redirect.Redirect(target, replacement);
}

}  // namespace

bool InstallAudioInterceptors() {
    if (!g_bInterceptorsInstalled.exchange(true)) {
        RedirectExport(g_waveOutWrite, L"winmm.dll", "waveOutWrite",
                       reinterpret_cast<void*>(&WaveOutWriteInterceptor));
        RedirectExport(g_midiStreamOut, L"winmm.dll", "midiStreamOut",
                       reinterpret_cast<void*>(&MidiStreamOutInterceptor));
        RedirectExport(g_directSoundCreate, L"dsound.dll", "DirectSoundCreate",
                       reinterpret_cast<void*>(&DirectSoundCreateInterceptor));
    }
    return g_waveOutWrite.active() && g_midiStreamOut.active() && g_directSoundCreate.active();
}

void SetInterceptedMute(bool mute) { g_nMuteFlag.store(mute ? 1 : 0, std::memory_order_relaxed); }

bool CoverSoundDevice(const void* device) {
    return g_createSoundBufferSlots.Cover(device, reinterpret_cast<void*>(&CreateSoundBufferInterceptor));
}

}  // namespace sound
