#pragma once
// Which mute messages of the main window a page process acts on. The main
// window repeats its flag every 400 ms, so only the first message and the
// changes after it reach the sound mechanism.

class MuteLatch {
public:
    // True when `value` (0 = sound on, anything else = muted) has to be
    // applied: always for the first value, afterwards only when it differs
    // from the value last applied.
    bool Accept(int value);

private:
    bool m_applied = false;  // nothing applied yet in this process
    bool m_bMute = false;     // the value last applied
};
