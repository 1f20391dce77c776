#pragma once
// Known data through waveOutWrite and midiStreamOut, on a device of the
// system when there is one, otherwise on a null handle: the real call then
// refuses it, but only after whatever stands in front of it saw the data.
#include "ProbePattern.h"

namespace soundprobe {

Written WriteWave();
// `openDevice` false goes straight to the null handle. After one failed
// midiStreamOpen, Wine's next midiStreamOpen in the process may crash on the
// stream list the failure left behind, so a caller asks for a device once.
Written WriteMidiStream(bool openDevice);

}  // namespace soundprobe
