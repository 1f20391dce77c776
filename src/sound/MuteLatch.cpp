#include "sound/MuteLatch.h"

bool MuteLatch::Accept(int value) {
    const bool mute = value != 0;
    if (m_applied && mute == m_bMute) return false;
    m_applied = true;
    m_bMute = mute;
    return true;
}
