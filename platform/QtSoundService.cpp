#include "QtSoundService.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QByteArray>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace {

constexpr int kToneRate = 22050;
constexpr double kToneAmplitude = 0.3 * 32767;
constexpr double kToneFadeSeconds = 0.005; // short ramps keep the tone free of clicks

// Mono 16-bit samples of a sine tone, faded in and out.
QByteArray ToneSamples(int frequency, int milliseconds)
{
    const int count = int(std::int64_t(kToneRate) * milliseconds / 1000);
    const double fade = std::max(1.0, kToneFadeSeconds * kToneRate);
    QByteArray samples(qsizetype(count) * 2, Qt::Uninitialized);
    auto* out = reinterpret_cast<std::int16_t*>(samples.data());
    for (int i = 0; i < count; ++i) {
        const double envelope = std::min({1.0, i / fade, (count - 1 - i) / fade});
        const double phase = 2 * std::numbers::pi * frequency * i / kToneRate;
        out[i] = std::int16_t(std::lround(kToneAmplitude * envelope * std::sin(phase)));
    }
    return samples;
}

class CQtSoundService final : public ISoundService {
public:
    ~CQtSoundService() override { StopAll(); }

    void PlayLooping(const QString& fileSystemPath) override
    {
        if (IsLooping())
            return;
        // Made on first use: the program only pays for the audio system when it sounds.
        if (!m_pLoop)
            m_pLoop = std::make_unique<QSoundEffect>();
        // The effect loads the file in the background and starts once it is loaded; a
        // missing file or a missing device leaves it silent.
        m_pLoop->setSource(QUrl::fromLocalFile(fileSystemPath));
        m_pLoop->setLoopCount(QSoundEffect::Infinite);
        m_pLoop->play();
        m_bLooping = true;
    }

    void StopAll() override
    {
        m_bLooping = false;
        if (m_pLoop)
            m_pLoop->stop();
        StopBeep();
    }

    void Beep(int frequency, int milliseconds) override
    {
        if (frequency <= 0 || milliseconds <= 0)
            return;
        const QAudioDevice device = QMediaDevices::defaultAudioOutput();
        QAudioFormat format;
        format.setSampleRate(kToneRate);
        format.setChannelCount(1);
        format.setSampleFormat(QAudioFormat::Int16);
        if (device.isNull() || !device.isFormatSupported(format))
            return;

        StopBeep();
        m_beepSamples.setData(ToneSamples(frequency, milliseconds));
        m_beepSamples.open(QIODevice::ReadOnly);
        m_pBeep = std::make_unique<QAudioSink>(device, format);
        QAudioSink* sink = m_pBeep.get();
        QObject::connect(sink, &QAudioSink::stateChanged, sink, [sink](QAudio::State state) {
            if (state == QAudio::IdleState) // all samples played
                sink->stop();
        });
        sink->start(&m_beepSamples); // pulls the samples from the buffer as it plays
    }

private:
    bool IsLooping() const
    {
        return m_bLooping && m_pLoop && m_pLoop->status() != QSoundEffect::Error;
    }

    void StopBeep()
    {
        if (m_pBeep) {
            m_pBeep->stop();
            m_pBeep.reset();
        }
        m_beepSamples.close();
    }

    std::unique_ptr<QSoundEffect> m_pLoop;
    bool m_bLooping = false;
    QBuffer m_beepSamples;
    std::unique_ptr<QAudioSink> m_pBeep;
};

} // namespace

std::unique_ptr<ISoundService> CreateQtSoundService()
{
    return std::make_unique<CQtSoundService>();
}
