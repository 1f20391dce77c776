#pragma once
// Known data unlocked into a DirectSound buffer. With a sound device the
// buffer comes from DirectSoundCreate and is locked again afterwards to read
// what it holds. Without one (DirectSoundCreate fails) the device and its
// buffer are our own interface tables, covered as DirectSoundCreate covers
// the devices it makes, and the unlocked memory is read directly.
#include "ProbePattern.h"

namespace soundprobe {

class DirectSoundWriter {
public:
    DirectSoundWriter();
    DirectSoundWriter(const DirectSoundWriter&) = delete;
    DirectSoundWriter& operator=(const DirectSoundWriter&) = delete;

    Written Write();

private:
    struct FakeBuffer {
        void** table;
    };
    struct FakeDevice {
        void** table;
        FakeBuffer* buffer;
    };
    static constexpr unsigned kCreateSoundBufferSlot = 3;  // IUnknown's three, then CreateSoundBuffer
    static constexpr unsigned kUnlockSlot = 19;            // the last method of IDirectSoundBuffer

    Outcome WriteFake();

    // Once covered, these tables stay covered to the end of the process, so
    // the writer lives as long as the probe does.
    void* m_deviceTable[kCreateSoundBufferSlot + 1] = {};
    void* m_bufferTable[kUnlockSlot + 1] = {};
    FakeBuffer m_buffer{m_bufferTable};
    FakeDevice m_device{m_deviceTable, &m_buffer};
};

}  // namespace soundprobe
