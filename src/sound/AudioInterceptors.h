#pragma once
// Silencing by interception, for systems whose mixer controls act on the
// whole machine rather than on one process. While this process is muted the
// audio data it hands to waveOutWrite, midiStreamOut and DirectSound buffers
// is zeroed just before it goes on, so the browser and its plug-ins play
// silence; other processes are never touched. Data queued before the mute
// keeps playing: only what is written (or unlocked into a DirectSound buffer)
// after the change is silenced.
#include <windows.h>

namespace sound {

// Redirects waveOutWrite, midiStreamOut and DirectSoundCreate to their
// interceptors, on the first call in the process only; the redirections are
// undone when the process ends. A function that cannot be redirected is left
// as it is and the others are still redirected. True when all three are.
bool InstallAudioInterceptors();

// The process-wide mute flag the interceptors read, on whatever thread they
// run: a change applies from the next buffer written or unlocked.
void SetInterceptedMute(bool mute);

// Makes the CreateSoundBuffer entry of `device`'s interface table (an
// IDirectSound) lead to the buffer-creation interceptor, as happens to every
// object DirectSoundCreate makes while intercepted. The buffers it creates
// then get their Unlock entry covered the same way. False when the table
// could not be covered.
bool CoverSoundDevice(const void* device);

}  // namespace sound
