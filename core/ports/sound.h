#pragma once
#include <string>

namespace vantrel::core {

class Sound {
public:
    virtual ~Sound() = default;
    // Starts playing a wave file and returns at once; a missing file is silent.
    virtual void playAsync(const std::string& waveFile) = 0;
    // Plays a wave file unless one is already playing; returns false when skipped.
    virtual bool playUnlessPlaying(const std::string& waveFile) = 0;
};

}  // namespace vantrel::core
