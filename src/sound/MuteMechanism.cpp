#include "sound/MuteMechanism.h"

MuteMechanism ChooseMuteMechanism(unsigned long majorVersion) {
    return majorVersion >= 6 ? MuteMechanism::Mixer : MuteMechanism::Interception;
}
