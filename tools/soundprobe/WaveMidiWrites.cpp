#include "WaveMidiWrites.h"

#include <windows.h>
#include <mmsystem.h>

#include <vector>

namespace soundprobe {
namespace {

// An open wave output and the one header prepared on it; stopped, the header
// given back and the device closed on destruction.
class WaveOutput {
public:
    explicit WaveOutput(WAVEHDR& header) : m_header(header) {
        WAVEFORMATEX format = ProbeWaveFormat();
        if (::waveOutOpen(&m_device, WAVE_MAPPER, &format, 0, 0, CALLBACK_NULL) != MMSYSERR_NOERROR) {
            m_device = nullptr;
            return;
        }
        m_prepared = ::waveOutPrepareHeader(m_device, &m_header, sizeof m_header) == MMSYSERR_NOERROR;
    }
    ~WaveOutput() {
        if (!m_device) return;
        ::waveOutReset(m_device);
        if (m_prepared) ::waveOutUnprepareHeader(m_device, &m_header, sizeof m_header);
        ::waveOutClose(m_device);
    }
    WaveOutput(const WaveOutput&) = delete;
    WaveOutput& operator=(const WaveOutput&) = delete;

    bool ready() const { return m_device && m_prepared; }
    HWAVEOUT device() const { return m_device; }

private:
    WAVEHDR& m_header;
    HWAVEOUT m_device = nullptr;
    bool m_prepared = false;
};

// An open, paused MIDI stream (nothing it is given is played) and the one
// header prepared on it, when asked to open one and the system has one;
// closed on destruction.
class MidiStream {
public:
    MidiStream(MIDIHDR& header, bool open) : m_header(header) {
        UINT deviceId = MIDI_MAPPER;
        if (!open || ::midiStreamOpen(&m_stream, &deviceId, 1, 0, 0, CALLBACK_NULL) != MMSYSERR_NOERROR) {
            m_stream = nullptr;
            return;
        }
        m_prepared = ::midiOutPrepareHeader(out(), &m_header, sizeof m_header) == MMSYSERR_NOERROR;
    }
    ~MidiStream() {
        if (!m_stream) return;
        ::midiStreamStop(m_stream);
        if (m_prepared) ::midiOutUnprepareHeader(out(), &m_header, sizeof m_header);
        ::midiStreamClose(m_stream);
    }
    MidiStream(const MidiStream&) = delete;
    MidiStream& operator=(const MidiStream&) = delete;

    bool ready() const { return m_stream && m_prepared; }
    HMIDISTRM stream() const { return m_stream; }

private:
    HMIDIOUT out() const { return reinterpret_cast<HMIDIOUT>(m_stream); }

    MIDIHDR& m_header;
    HMIDISTRM m_stream = nullptr;
    bool m_prepared = false;
};

}  // namespace

Written WriteWave() {
    std::vector<char> data(4096);
    WAVEHDR header{};
    header.lpData = data.data();
    header.dwBufferLength = static_cast<DWORD>(data.size());
    WaveOutput output(header);
    FillPattern(data.data(), data.size());
    Written written;
    written.realDevice = output.ready();
    ::waveOutWrite(output.ready() ? output.device() : nullptr, &header, sizeof header);
    // Looked at before the device is stopped: a playing device only reads it.
    written.outcome = Judge(data.data(), data.size());
    return written;
}

Written WriteMidiStream(bool openDevice) {
    std::vector<char> data(16 * sizeof(MIDIEVENT));
    MIDIHDR header{};
    header.lpData = data.data();
    header.dwBufferLength = static_cast<DWORD>(data.size());
    header.dwBytesRecorded = header.dwBufferLength;
    MidiStream stream(header, openDevice);
    FillPattern(data.data(), data.size());
    Written written;
    written.realDevice = stream.ready();
    ::midiStreamOut(stream.ready() ? stream.stream() : nullptr, &header, sizeof header);
    written.outcome = Judge(data.data(), data.size());
    return written;
}

}  // namespace soundprobe
