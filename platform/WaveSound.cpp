#include "platform/WaveSound.h"

#include <mmsystem.h>

#include "runtime/SystemFunctions.h"

namespace brisbolt {

namespace {

const void* playingFrom = nullptr;

// WINMM is loaded by the first sound, not with the program, so that the
// start does not wait for it. Where it cannot be loaded there is no sound.
BOOL WINAPI SystemSound(LPCSTR sound, UINT flags) {
    static const auto play = SystemFunctionAs<SoundFunction>("winmm.dll", "sndPlaySoundA");
    return play ? play(sound, flags) : FALSE;
}

}  // namespace

SoundFunction SoundCall = SystemSound;

bool PlaySoundBytes(const void* bytes, UINT flags) {
    if (!SoundCall(static_cast<LPCSTR>(bytes), flags)) return false;
    // A synchronous sound has ended by now; an asynchronous one goes on
    // reading the buffer after we return.
    playingFrom = (flags & SND_ASYNC) ? bytes : nullptr;
    return true;
}

void StopAllSound() {
    SoundCall(nullptr, 0);
    playingFrom = nullptr;
}

void ReleaseSoundBytes(const void* bytes) {
    if (bytes && bytes == playingFrom) StopAllSound();
}

const void* SoundBytesInUse() { return playingFrom; }

}  // namespace brisbolt
