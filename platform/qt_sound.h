#pragma once
// Wave files through Qt Multimedia. Nothing here waits for a sound to end: the window keeps
// repainting and the timers keep running while a sound plays.

#include <string>

#include <QElapsedTimer>
#include <QObject>

#include "core/ports/sound.h"

class QSoundEffect;

namespace vantrel::platform {

class QtSound : public QObject, public core::Sound {
    Q_OBJECT

public:
    explicit QtSound(QObject* parent = nullptr);
    ~QtSound() override;

    // Replaces whatever plays by the file. Silent when the file is missing or there is no audio
    // output.
    void playAsync(const std::string& waveFile) override;
    // Starts the file unless a sound still plays; false when skipped, the file is missing or
    // there is no audio output.
    bool playUnlessPlaying(const std::string& waveFile) override;

    bool isPlaying() const;
    static bool hasAudioOutput();

private:
    bool start(const std::string& waveFile);

    QSoundEffect* m_effect = nullptr;
    QElapsedTimer m_started;
};

}  // namespace vantrel::platform
