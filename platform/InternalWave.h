// A wave stored with its form: the complete bytes of a .wav file, played
// straight from memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/WaveCollection.h"

namespace brisbolt {

class TInternalWave;
using TInternalWaves = TWaveCollection<TInternalWave>;

class TInternalWave {
public:
    explicit TInternalWave(TInternalWaves* collection) : collection_(collection) {}
    ~TInternalWave();
    TInternalWave(const TInternalWave&) = delete;
    TInternalWave& operator=(const TInternalWave&) = delete;

    bool Asynchronous = true;
    bool Looped = false;

    // The name of the file the bytes came from; it only changes while the
    // holder reads its stored description.
    const std::string& Wave() const { return wave_; }
    void SetWave(const std::string& name);

    // The stored "FileContents": reading replaces the bytes, writing saves
    // them all (an empty buffer as zero bytes).
    void ReadFileContents(const std::uint8_t* data, std::size_t size);
    void ReadFileContents(const std::vector<std::uint8_t>& bytes) { ReadFileContents(bytes.data(), bytes.size()); }
    const std::vector<std::uint8_t>& FileContents() const { return bytes_; }

    // Hands the bytes to the system; false when there are none or the
    // system cannot play them.
    bool Play() const;
    // Copies the name and the bytes, not the play options.
    void Assign(const TInternalWave& source);
    std::string DisplayName() const;
    TInternalWaves* Collection() const { return collection_; }

private:
    void ReplaceBytes(std::vector<std::uint8_t> bytes);

    TInternalWaves* collection_;
    std::string wave_;
    std::vector<std::uint8_t> bytes_;
};

}  // namespace brisbolt
