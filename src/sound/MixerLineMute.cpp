#include "sound/SoundMute.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "framework/Handles.h"

namespace {

// The records and flags are those of the 32-bit platform; the mixer driver
// checks the sizes.
static_assert(sizeof(MIXERLINEW) == 280, "MIXERLINEW of a 32-bit process");
static_assert(sizeof(MIXERCONTROLW) == 228, "MIXERCONTROLW of a 32-bit process");
static_assert(sizeof(MIXERCONTROLDETAILS_BOOLEAN) == 4, "one boolean value");
constexpr DWORD kByHandle = MIXER_OBJECTF_HMIXER;
constexpr DWORD kLineByType = kByHandle | MIXER_GETLINEINFOF_COMPONENTTYPE;
constexpr DWORD kOneControlByType = kByHandle | MIXER_GETLINECONTROLSF_ONEBYTYPE;
constexpr DWORD kValue = kByHandle | MIXER_GETCONTROLDETAILSF_VALUE;
static_assert(kByHandle == 0x80000000 && kLineByType == 0x80000003 && kOneControlByType == 0x80000002 &&
                  kValue == 0x80000000 && (kByHandle | MIXER_SETCONTROLDETAILSF_VALUE) == kValue,
              "the mixer flags");
static_assert(MIXERCONTROL_CONTROLTYPE_MUTE == 0x20010002, "the mute control type");

}  // namespace

bool SetMixerLineMute(unsigned long componentType, bool mute) {
    const fw::MixerFunctions* mixers = fw::Mixer();
    HMIXER opened = nullptr;
    if (!mixers || mixers->mixerOpen(&opened, 0, 0, 0, kByHandle) != MMSYSERR_NOERROR) return false;
    fw::MixerHandle mixer(opened);
    const auto object = reinterpret_cast<HMIXEROBJ>(mixer.get());

    MIXERLINEW line{};
    line.cbStruct = sizeof line;
    line.dwComponentType = componentType;
    if (mixers->mixerGetLineInfoW(object, &line, kLineByType) != MMSYSERR_NOERROR) return false;

    MIXERCONTROLW control{};
    MIXERLINECONTROLSW controls{};
    controls.cbStruct = sizeof controls;
    controls.dwLineID = line.dwLineID;
    controls.dwControlType = MIXERCONTROL_CONTROLTYPE_MUTE;
    controls.cControls = 1;
    controls.cbmxctrl = sizeof control;
    controls.pamxctrl = &control;
    if (mixers->mixerGetLineControlsW(object, &controls, kOneControlByType) != MMSYSERR_NOERROR) return false;

    // A mute control holds one boolean; a driver that gives it several items
    // gets room for each of them instead of a write past a single value.
    std::vector<MIXERCONTROLDETAILS_BOOLEAN> values(std::max<DWORD>(control.cMultipleItems, 1));
    MIXERCONTROLDETAILS details{};
    details.cbStruct = sizeof details;
    details.dwControlID = control.dwControlID;
    details.cChannels = 1;
    details.cMultipleItems = control.cMultipleItems;
    details.cbDetails = sizeof(MIXERCONTROLDETAILS_BOOLEAN);
    details.paDetails = values.data();
    if (mixers->mixerGetControlDetailsW(object, &details, kValue) != MMSYSERR_NOERROR) return false;
    for (auto& value : values) value.fValue = mute ? TRUE : FALSE;
    return mixers->mixerSetControlDetails(object, &details, kValue) == MMSYSERR_NOERROR;
}
