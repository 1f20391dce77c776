#include "DirectSoundWrite.h"

#include <windows.h>
#include <dsound.h>
#include <mmsystem.h>

#include <vector>

#include "framework/Handles.h"
#include "sound/AudioInterceptors.h"

namespace soundprobe {
namespace {

constexpr DWORD kBufferBytes = 4096;

using DirectSoundCreateFn = HRESULT(WINAPI*)(LPCGUID, LPDIRECTSOUND*, LPUNKNOWN);

// Locks the whole buffer, lets `use` see both regions and unlocks them again.
template <class Use>
bool WithLockedBuffer(IDirectSoundBuffer* buffer, Use use) {
    void* first = nullptr;
    void* second = nullptr;
    DWORD firstBytes = 0, secondBytes = 0;
    if (FAILED(buffer->Lock(0, kBufferBytes, &first, &firstBytes, &second, &secondBytes, 0))) return false;
    use(first, firstBytes, second, secondBytes);
    return SUCCEEDED(buffer->Unlock(first, firstBytes, second, secondBytes));
}

// A secondary buffer of a device that `dsound`'s DirectSoundCreate made, or
// null when there is no such device here. The library must outlive both.
fw::ComPtr<IDirectSoundBuffer> RealBuffer(HMODULE dsound, fw::ComPtr<IDirectSound>& device) {
    fw::ComPtr<IDirectSoundBuffer> buffer;
    const auto create = reinterpret_cast<DirectSoundCreateFn>(
        reinterpret_cast<void*>(::GetProcAddress(dsound, "DirectSoundCreate")));
    if (!create || FAILED(create(nullptr, device.put(), nullptr)) || !device) return buffer;
    device->SetCooperativeLevel(::GetDesktopWindow(), DSSCL_PRIORITY);
    WAVEFORMATEX format = ProbeWaveFormat();
    DSBUFFERDESC description{};
    description.dwSize = sizeof description;
    description.dwFlags = DSBCAPS_GLOBALFOCUS;
    description.dwBufferBytes = kBufferBytes;
    description.lpwfxFormat = &format;
    if (FAILED(device->CreateSoundBuffer(&description, buffer.put(), nullptr))) buffer.reset();
    return buffer;
}

// Unlocks the pattern into the buffer, then locks it again to read it back.
Outcome WriteRealBuffer(IDirectSoundBuffer* buffer) {
    const bool filled = WithLockedBuffer(buffer, [](void* first, DWORD firstBytes, void* second, DWORD secondBytes) {
        FillPattern(first, firstBytes);
        if (second) FillPattern(second, secondBytes);
    });
    if (!filled) return Outcome::Failed;
    Outcome outcome = Outcome::Failed;
    WithLockedBuffer(buffer, [&outcome](void* first, DWORD firstBytes, void*, DWORD) {
        outcome = Judge(first, firstBytes);
    });
    return outcome;
}

template <class Object>
HRESULT STDMETHODCALLTYPE FakeCreateSoundBuffer(Object* device, LPCDSBUFFERDESC, decltype(device->buffer)* out,
                                                LPUNKNOWN) {
    *out = device->buffer;
    return DS_OK;
}

template <class Object>
HRESULT STDMETHODCALLTYPE FakeUnlock(Object*, LPVOID, DWORD, LPVOID, DWORD) {
    return DS_OK;
}

}  // namespace

DirectSoundWriter::DirectSoundWriter() {
    m_deviceTable[kCreateSoundBufferSlot] = reinterpret_cast<void*>(&FakeCreateSoundBuffer<FakeDevice>);
    m_bufferTable[kUnlockSlot] = reinterpret_cast<void*>(&FakeUnlock<FakeBuffer>);
}

Written DirectSoundWriter::Write() {
    Written written;
    // Declared first, so that the library is let go of after the device and
    // buffer it made, never under them.
    const fw::ModuleHandle dsound(::LoadLibraryW(L"dsound.dll"));
    fw::ComPtr<IDirectSound> device;
    const fw::ComPtr<IDirectSoundBuffer> buffer =
        dsound ? RealBuffer(dsound.get(), device) : fw::ComPtr<IDirectSoundBuffer>();
    written.realDevice = static_cast<bool>(buffer);
    written.outcome = buffer ? WriteRealBuffer(buffer.get()) : WriteFake();
    return written;
}

// The path a device from DirectSoundCreate takes when intercepted, on our own
// tables: covered, a buffer created through the covered slot, the pattern
// unlocked in two regions as a wrapped lock gives them.
Outcome DirectSoundWriter::WriteFake() {
    if (!sound::CoverSoundDevice(&m_device)) return Outcome::Failed;
    using CreateFn = HRESULT(STDMETHODCALLTYPE*)(FakeDevice*, LPCDSBUFFERDESC, FakeBuffer**, LPUNKNOWN);
    using UnlockFn = HRESULT(STDMETHODCALLTYPE*)(FakeBuffer*, LPVOID, DWORD, LPVOID, DWORD);
    DSBUFFERDESC description{};
    description.dwSize = sizeof description;
    description.dwBufferBytes = kBufferBytes;
    FakeBuffer* buffer = nullptr;
    const auto create = reinterpret_cast<CreateFn>(m_device.table[kCreateSoundBufferSlot]);
    if (FAILED(create(&m_device, &description, &buffer, nullptr)) || !buffer) return Outcome::Failed;
    std::vector<char> data(kBufferBytes);
    FillPattern(data.data(), data.size());
    const DWORD half = kBufferBytes / 2;
    const auto unlock = reinterpret_cast<UnlockFn>(buffer->table[kUnlockSlot]);
    if (FAILED(unlock(buffer, data.data(), half, data.data() + half, kBufferBytes - half))) return Outcome::Failed;
    return Judge(data.data(), data.size());
}

}  // namespace soundprobe
