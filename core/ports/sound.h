#pragma once
#include <string>

namespace vantrel::core {

class Sound {
public:
    virtual ~Sound() = default;
    // Starts playing a wave file and returns at once, in place of whatever plays or waits to
    // play; a missing file is silent.
    virtual void playAsync(const std::string& waveFile) = 0;
    // Plays a wave file after the ones given here before it have ended, and returns at once.
    // Returns false when it is skipped: a sound started by playAsync still plays, the file is
    // missing, or nothing can be heard.
    virtual bool playInTurn(const std::string& waveFile) = 0;
    // False when the system has no audio output: nothing is played at all.
    virtual bool canBeHeard() const = 0;
};

}  // namespace vantrel::core
