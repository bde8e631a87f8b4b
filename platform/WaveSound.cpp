#include "platform/WaveSound.h"

#include <mmsystem.h>

namespace brisbolt {

SoundFunction SoundCall = ::sndPlaySoundA;

namespace {
const void* playingFrom = nullptr;
}

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
