#pragma once
// How a page process silences itself. From major version 6 on the system's
// legacy mixer controls act on the calling process's own audio, so setting
// them is enough; older systems apply them to the whole machine, so there the
// process zeroes its audio data as it is written instead.

enum class MuteMechanism { Mixer, Interception };

MuteMechanism ChooseMuteMechanism(unsigned long majorVersion);
