// A process that mutes itself as a game page process does and shows what
// becomes of the audio data it writes afterwards. It prints one line per
// finding and runs its steps in the order given:
//   zuva_sound_probe.exe [step...]
//     mute | unmute    ApplyMute(true) | ApplyMute(false)
//     play             known data through waveOutWrite, midiStreamOut and a
//                      DirectSound buffer's Unlock; prints
//                      "play wave=<outcome> midi=<outcome> dsound=<outcome>"
//     signal:<name>    sets the named event
//     wait:<name>      waits for the named event (exit code 3 after 30 s)
// First line "major=<n>": the Windows major version this process is told.
// After the first play, "devices wave=<real|none> midi=<real|none>
// dsound=<real|fake>" says which targets the system had.
// Exit code 0 when every step ran, 2 for an unknown step.
#include <windows.h>

#include <cstdio>
#include <string>

#include "DirectSoundWrite.h"
#include "framework/Handles.h"
#include "sound/SoundMute.h"
#include "WaveMidiWrites.h"

namespace {

constexpr DWORD kWaitLimitMs = 30000;

unsigned long ReportedMajorVersion() {
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof info;
    return ::GetVersionExW(&info) ? info.dwMajorVersion : 0;
}

void PrintLine(const std::string& line) {
    std::fputs((line + "\n").c_str(), stdout);
    std::fflush(stdout);  // read by another process while this one waits
}

// Opened or created: whichever process comes first makes it.
fw::KernelHandle NamedEvent(const std::wstring& name) {
    return fw::KernelHandle(::CreateEventW(nullptr, TRUE, FALSE, name.c_str()));
}

bool StartsWith(const std::wstring& text, const wchar_t* prefix, std::wstring& rest) {
    const std::wstring head(prefix);
    if (text.compare(0, head.size(), head) != 0) return false;
    rest = text.substr(head.size());
    return true;
}

class Probe {
public:
    // False for a step this probe does not know or a wait that ran out.
    bool Run(const std::wstring& step, int& exitCode) {
        std::wstring name;
        if (step == L"mute" || step == L"unmute") {
            ApplyMute(step == L"mute");
        } else if (step == L"play") {
            Play();
        } else if (StartsWith(step, L"signal:", name)) {
            const fw::KernelHandle event = NamedEvent(name);
            if (event) ::SetEvent(event.get());
        } else if (StartsWith(step, L"wait:", name)) {
            const fw::KernelHandle event = NamedEvent(name);
            if (!event || ::WaitForSingleObject(event.get(), kWaitLimitMs) != WAIT_OBJECT_0) {
                PrintLine("wait ran out");
                exitCode = 3;
                return false;
            }
        } else {
            PrintLine("unknown step");
            exitCode = 2;
            return false;
        }
        return true;
    }

private:
    void Play() {
        using soundprobe::OutcomeName;
        const soundprobe::Written wave = soundprobe::WriteWave();
        const soundprobe::Written midi = soundprobe::WriteMidiStream(m_bTryMidiDevice);
        m_bTryMidiDevice = midi.realDevice;
        const soundprobe::Written dsound = m_directSound.Write();
        PrintLine(std::string("play wave=") + OutcomeName(wave.outcome) + " midi=" + OutcomeName(midi.outcome) +
                  " dsound=" + OutcomeName(dsound.outcome));
        if (m_bDevicesShown) return;
        m_bDevicesShown = true;
        PrintLine(std::string("devices wave=") + (wave.realDevice ? "real" : "none") +
                  " midi=" + (midi.realDevice ? "real" : "none") + " dsound=" + (dsound.realDevice ? "real" : "fake"));
    }

    soundprobe::DirectSoundWriter m_directSound;
    bool m_bDevicesShown = false;
    bool m_bTryMidiDevice = true;
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
    PrintLine("major=" + std::to_string(ReportedMajorVersion()));
    Probe probe;
    int exitCode = 0;
    for (int i = 1; i < argc; ++i)
        if (!probe.Run(argv[i], exitCode)) break;
    return exitCode;
}
