#include "platform/qt_sound.h"

#include <QAudioDevice>
#include <QFileInfo>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>

namespace vantrel::platform {

namespace {

// Our wave files last well under two seconds. A sound that claims to play for longer than this
// is taken as ended, so that a back end that never reports the end cannot silence every later
// alarm.
constexpr qint64 kLongestSoundMs = 15000;

}  // namespace

QtSound::QtSound(QObject* parent) : QObject(parent) {}

QtSound::~QtSound() = default;

bool QtSound::hasAudioOutput()
{
    return !QMediaDevices::audioOutputs().isEmpty();
}

bool QtSound::isPlaying() const
{
    if (m_effect == nullptr || !m_started.isValid())
        return false;
    if (m_started.elapsed() > kLongestSoundMs)
        return false;
    return m_effect->isPlaying() || m_effect->status() == QSoundEffect::Loading;
}

void QtSound::playAsync(const std::string& waveFile)
{
    start(waveFile);
}

bool QtSound::playUnlessPlaying(const std::string& waveFile)
{
    if (isPlaying())
        return false;
    return start(waveFile);
}

bool QtSound::start(const std::string& waveFile)
{
    // Where no sound can be heard, QSoundEffect reports "playing" for ever: play nothing.
    if (!hasAudioOutput())
        return false;
    const QFileInfo file(QString::fromStdString(waveFile));
    if (!file.isFile())
        return false;
    if (m_effect != nullptr) {
        m_effect->stop();
        m_effect->deleteLater();
    }
    m_effect = new QSoundEffect(this);
    m_effect->setSource(QUrl::fromLocalFile(file.absoluteFilePath()));
    m_effect->play();
    m_started.start();
    return true;
}

}  // namespace vantrel::platform
