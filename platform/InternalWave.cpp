#include "platform/InternalWave.h"

#include <windows.h>
#include <mmsystem.h>

#include "platform/WaveHolder.h"
#include "platform/WaveSound.h"

namespace brisbolt {

TInternalWave::~TInternalWave() {
    // The system may still be reading these bytes in the background.
    if (!bytes_.empty()) ReleaseSoundBytes(bytes_.data());
}

void TInternalWave::SetWave(const std::string& name) {
    const TWaveHolder* holder = collection_ ? collection_->Owner() : nullptr;
    if (holder && holder->Loading()) wave_ = name;
}

void TInternalWave::ReadFileContents(const std::uint8_t* data, std::size_t size) {
    ReplaceBytes(size ? std::vector<std::uint8_t>(data, data + size) : std::vector<std::uint8_t>());
}

void TInternalWave::ReplaceBytes(std::vector<std::uint8_t> bytes) {
    if (!bytes_.empty()) ReleaseSoundBytes(bytes_.data());
    bytes_ = std::move(bytes);
}

bool TInternalWave::Play() const {
    if (bytes_.empty()) return false;
    // No default beep for a wave the system cannot play; SND_NOSTOP never,
    // so a new click cuts the one still sounding.
    UINT flags = SND_NODEFAULT | SND_MEMORY;
    if (Asynchronous) {
        flags |= SND_ASYNC;
        if (Looped) flags |= SND_LOOP;
    }
    return PlaySoundBytes(bytes_.data(), flags);
}

void TInternalWave::Assign(const TInternalWave& source) {
    if (&source == this) return;
    wave_ = source.wave_;
    ReplaceBytes(source.bytes_);
}

std::string TInternalWave::DisplayName() const { return wave_.empty() ? "No Wave Stored" : wave_; }

}  // namespace brisbolt
