#pragma once
// Wave files through Qt Multimedia. Nothing here waits for a sound to end: the window keeps
// repainting and the timers keep running while a sound plays, and alarm sounds that come
// together wait their turn in a small queue.

#include <cstddef>
#include <deque>
#include <functional>
#include <string>

#include <QObject>
#include <QString>
#include <QTimer>

#include "core/ports/sound.h"

class QSoundEffect;

namespace vantrel::platform {

// The order sounds play in. The arming sound takes the place of everything; alarm sounds
// follow one another, and are skipped while the arming sound plays.
class SoundQueue {
public:
    // `start` begins playing a file; the queue is told by ended() when it is over.
    explicit SoundQueue(std::function<void(const QString&)> start);

    void replaceAll(const QString& file);
    // False when skipped: the arming sound plays, or kMaxWaiting sounds wait already.
    bool append(const QString& file);
    // The sound that played has ended (or failed): the next one starts.
    void ended();

    bool isPlaying() const { return m_playing != Playing::Nothing; }
    std::size_t waiting() const { return m_waiting.size(); }

    static constexpr std::size_t kMaxWaiting = 8;

private:
    enum class Playing { Nothing, Arming, Alarm };

    std::function<void(const QString&)> m_start;
    std::deque<QString> m_waiting;
    Playing m_playing = Playing::Nothing;
};

class QtSound : public QObject, public core::Sound {
    Q_OBJECT

public:
    // `audioOutput` tells whether the system can be heard; the default asks Qt Multimedia.
    explicit QtSound(QObject* parent = nullptr,
                     std::function<bool()> audioOutput = &QtSound::hasAudioOutput);
    ~QtSound() override;

    // Replaces whatever plays or waits by the file. Silent when the file is missing or there
    // is no audio output.
    void playAsync(const std::string& waveFile) override;
    // Queues the file behind the alarm sounds before it; false when it is skipped (the arming
    // sound plays, the file is missing, or there is no audio output).
    bool playInTurn(const std::string& waveFile) override;
    bool canBeHeard() const override { return m_audioOutput(); }

    bool isPlaying() const { return m_queue.isPlaying(); }
    std::size_t waiting() const { return m_queue.waiting(); }

    // True when Qt Multimedia offers an audio output and a default one.
    static bool hasAudioOutput();
    // Keeps the sound system's own diagnostics (a failed connection to the sound server, for
    // one) off the terminal; call before the application object exists. Other messages pass on
    // to the handler that was there before.
    static void keepSoundSystemQuiet();

private:
    void start(const QString& file);
    void stop();
    void effectChanged();

    std::function<bool()> m_audioOutput;
    QSoundEffect* m_effect = nullptr;
    bool m_effectPlayed = false;
    // A back end that never reports the end must not hold every later sound back.
    QTimer m_longest;
    SoundQueue m_queue;
};

}  // namespace vantrel::platform
