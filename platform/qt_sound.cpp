#include "platform/qt_sound.h"

#include <QAudioDevice>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>

namespace vantrel::platform {

namespace {

// Our wave files last well under two seconds. A sound that claims to play for longer than this
// is taken as ended.
constexpr int kLongestSoundMs = 15000;

QtMessageHandler g_otherHandler = nullptr;

void dropSoundSystemMessages(QtMsgType type, const QMessageLogContext& context,
                             const QString& message)
{
    const QLatin1String category(context.category ? context.category : "");
    if (category.startsWith(QLatin1String("qt.multimedia")) ||
        message.startsWith(QLatin1String("PulseAudioService")))
        return;
    if (g_otherHandler)
        g_otherHandler(type, context, message);
}

}  // namespace

SoundQueue::SoundQueue(std::function<void(const QString&)> start) : m_start(std::move(start)) {}

void SoundQueue::replaceAll(const QString& file)
{
    m_waiting.clear();
    m_playing = Playing::Arming;
    m_start(file);
}

bool SoundQueue::append(const QString& file)
{
    if (m_playing == Playing::Arming || m_waiting.size() >= kMaxWaiting)
        return false;
    if (m_playing == Playing::Alarm) {
        m_waiting.push_back(file);
        return true;
    }
    m_playing = Playing::Alarm;
    m_start(file);
    return true;
}

void SoundQueue::ended()
{
    if (m_waiting.empty()) {
        m_playing = Playing::Nothing;
        return;
    }
    const QString next = m_waiting.front();
    m_waiting.pop_front();
    m_playing = Playing::Alarm;
    m_start(next);
}

QtSound::QtSound(QObject* parent, std::function<bool()> audioOutput)
    : QObject(parent), m_audioOutput(std::move(audioOutput)),
      m_queue([this](const QString& file) { start(file); })
{
    m_longest.setSingleShot(true);
    m_longest.setInterval(kLongestSoundMs);
    connect(&m_longest, &QTimer::timeout, this, [this] {
        stop();
        m_queue.ended();
    });
}

QtSound::~QtSound() = default;

bool QtSound::hasAudioOutput()
{
    return !QMediaDevices::audioOutputs().isEmpty() &&
           !QMediaDevices::defaultAudioOutput().isNull();
}

void QtSound::keepSoundSystemQuiet()
{
    if (g_otherHandler == nullptr)
        g_otherHandler = qInstallMessageHandler(dropSoundSystemMessages);
}

void QtSound::playAsync(const std::string& waveFile)
{
    // Where no sound can be heard, QSoundEffect reports "playing" for ever: play nothing.
    const QFileInfo file(QString::fromStdString(waveFile));
    if (!file.isFile() || !m_audioOutput())
        return;
    m_queue.replaceAll(file.absoluteFilePath());
}

bool QtSound::playInTurn(const std::string& waveFile)
{
    const QFileInfo file(QString::fromStdString(waveFile));
    if (!file.isFile() || !m_audioOutput())
        return false;
    return m_queue.append(file.absoluteFilePath());
}

void QtSound::stop()
{
    m_longest.stop();
    if (m_effect == nullptr)
        return;
    // A sound that is replaced must not report its end for the one after it.
    m_effect->disconnect(this);
    m_effect->stop();
    m_effect->deleteLater();
    m_effect = nullptr;
}

void QtSound::start(const QString& file)
{
    stop();
    m_effect = new QSoundEffect(this);
    m_effectPlayed = false;
    connect(m_effect, &QSoundEffect::playingChanged, this, &QtSound::effectChanged);
    connect(m_effect, &QSoundEffect::statusChanged, this, &QtSound::effectChanged);
    m_effect->setSource(QUrl::fromLocalFile(file));
    m_effect->play();
    m_longest.start();
}

void QtSound::effectChanged()
{
    if (m_effect == nullptr)
        return;
    // The effect is not playing yet while it loads the file: only a sound that has played can
    // have ended.
    if (m_effect->isPlaying())
        m_effectPlayed = true;
    if (m_effect->status() == QSoundEffect::Error || (m_effectPlayed && !m_effect->isPlaying())) {
        stop();
        m_queue.ended();
    }
}

}  // namespace vantrel::platform
