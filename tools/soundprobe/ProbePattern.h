#pragma once
// The known audio data a probe hands to an output call, and what became of it.
#include <windows.h>
#include <mmsystem.h>

#include <cstddef>
#include <cstdint>

namespace soundprobe {

// The format of every probe write: 16-bit mono at 22,050 samples a second.
inline WAVEFORMATEX ProbeWaveFormat() {
    WAVEFORMATEX format{};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = 1;
    format.nSamplesPerSec = 22050;
    format.wBitsPerSample = 16;
    format.nBlockAlign = 2;
    format.nAvgBytesPerSec = format.nSamplesPerSec * format.nBlockAlign;
    return format;
}

// Non-zero in every byte, so that a zeroed byte anywhere shows.
constexpr uint8_t kPatternByte = 0x5A;

enum class Outcome { Untouched, Zeroed, Changed, Failed };

inline void FillPattern(void* data, size_t size) {
    auto* bytes = static_cast<uint8_t*>(data);
    for (size_t i = 0; i < size; ++i) bytes[i] = kPatternByte;
}

// Zeroed only when every byte is, untouched only when every byte still holds
// the pattern; anything in between is a fault of its own.
inline Outcome Judge(const void* data, size_t size) {
    const auto* bytes = static_cast<const uint8_t*>(data);
    size_t zero = 0, pattern = 0;
    for (size_t i = 0; i < size; ++i) {
        if (bytes[i] == 0) ++zero;
        if (bytes[i] == kPatternByte) ++pattern;
    }
    if (size && zero == size) return Outcome::Zeroed;
    if (size && pattern == size) return Outcome::Untouched;
    return Outcome::Changed;
}

inline const char* OutcomeName(Outcome outcome) {
    switch (outcome) {
        case Outcome::Untouched: return "untouched";
        case Outcome::Zeroed: return "zeroed";
        case Outcome::Changed: return "changed";
        case Outcome::Failed: return "failed";
    }
    return "failed";
}

// Which kind of target a write went to: a device of the system, or a stand-in
// when the system has none (a null handle the real call refuses, or our own
// interface tables for DirectSound).
struct Written {
    Outcome outcome = Outcome::Failed;
    bool realDevice = false;
};

}  // namespace soundprobe
