// Playing wave bytes from memory with sndPlaySound, and knowing which
// buffer the system may still be reading from.
#pragma once

#include <windows.h>

namespace brisbolt {

// sndPlaySoundA (looked up when the first sound plays), replaceable so
// that tests can see what is played.
using SoundFunction = BOOL(WINAPI*)(LPCSTR sound, UINT flags);
extern SoundFunction SoundCall;

// Plays a complete wave file held in memory (SND_MEMORY is part of flags).
bool PlaySoundBytes(const void* bytes, UINT flags);
// Stops whatever this program is playing, a looped sound included.
void StopAllSound();
// Called before a wave buffer is freed or overwritten: an asynchronous
// sound still playing from it is stopped first.
void ReleaseSoundBytes(const void* bytes);
// The buffer an asynchronous sound may still be playing from, or nullptr.
const void* SoundBytesInUse();

}  // namespace brisbolt
