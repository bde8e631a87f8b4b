#include "platform/ExternalWave.h"

namespace brisbolt {

void TExternalWave::Assign(const TExternalWave& source) {
    WavFileName = source.WavFileName;
    Asynchronous = source.Asynchronous;
    Looped = source.Looped;
}

std::string TExternalWave::DisplayName() const {
    if (WavFileName.empty()) return "No Wave specified";
    const auto slash = WavFileName.find_last_of("\\/:");
    return slash == std::string::npos ? WavFileName : WavFileName.substr(slash + 1);
}

}  // namespace brisbolt
