// A wave named by its file; held and copied, never played by this program.
#pragma once

#include <string>

#include "platform/WaveCollection.h"

namespace brisbolt {

class TExternalWave;
using TExternalWaves = TWaveCollection<TExternalWave>;

class TExternalWave {
public:
    explicit TExternalWave(TExternalWaves* collection) : collection_(collection) {}
    TExternalWave(const TExternalWave&) = delete;
    TExternalWave& operator=(const TExternalWave&) = delete;

    bool Asynchronous = true;
    bool Looped = false;
    std::string WavFileName;

    void Assign(const TExternalWave& source);
    // The file-name part of WavFileName.
    std::string DisplayName() const;
    TExternalWaves* Collection() const { return collection_; }

private:
    TExternalWaves* collection_;
};

}  // namespace brisbolt
