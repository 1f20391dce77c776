#include "framework/MixerFunctions.h"

#include <optional>

#include "framework/SystemLibrary.h"

namespace fw {

namespace {

std::optional<MixerFunctions> LoadMixer() {
    // Never freed: muting asks the mixer again at every change, and the
    // library stays the process's from then on, as a linked one would.
    const HMODULE module = LoadSystemLibrary(L"winmm.dll");
    MixerFunctions f{};
    const bool found = module && FindFunction(module, "mixerOpen", f.mixerOpen) &&
                       FindFunction(module, "mixerGetLineInfoW", f.mixerGetLineInfoW) &&
                       FindFunction(module, "mixerGetLineControlsW", f.mixerGetLineControlsW) &&
                       FindFunction(module, "mixerGetControlDetailsW", f.mixerGetControlDetailsW) &&
                       FindFunction(module, "mixerSetControlDetails", f.mixerSetControlDetails) &&
                       FindFunction(module, "mixerClose", f.mixerClose);
    if (!found) return std::nullopt;
    return f;
}

}  // namespace

const MixerFunctions* Mixer() {
    // Made by the first caller (any others wait for it) and unchanged after:
    // process-wide, as the library itself is.
    static const std::optional<MixerFunctions> functions = LoadMixer();
    return functions ? &*functions : nullptr;
}

void CloseMixer(HMIXER mixer) {
    if (const MixerFunctions* mixers = Mixer()) mixers->mixerClose(mixer);
}

}  // namespace fw
