#include "sound/SoundMute.h"

#include <windows.h>
#include <mmsystem.h>

#include "sound/AudioInterceptors.h"
#include "sound/MuteMechanism.h"

namespace {

unsigned long WindowsMajorVersion() {
    static_assert(sizeof(OSVERSIONINFOW) == 276, "the version record of a 32-bit process");
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof info;
    if (!::GetVersionExW(&info)) return 0;
    return info.dwMajorVersion;
}

}  // namespace

void ApplyMute(bool mute) {
    if (ChooseMuteMechanism(WindowsMajorVersion()) == MuteMechanism::Mixer) {
        // What the wave output plays, and what reaches the speakers from any
        // other source of the process.
        SetMixerLineMute(MIXERLINE_COMPONENTTYPE_SRC_WAVEOUT, mute);
        SetMixerLineMute(MIXERLINE_COMPONENTTYPE_DST_SPEAKERS, mute);
        return;
    }
    // Installed at the first message, muted or not, so that the flag alone
    // decides from then on.
    sound::InstallAudioInterceptors();
    sound::SetInterceptedMute(mute);
}
