#include "app/sound_player.h"

#include "sound/sound_trace.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QMediaDevices>

namespace {
// What the sink holds ahead of the speaker. The whole piece is at hand from
// the start, so a deep buffer costs no delay at the start; it keeps a busy
// classroom PC from breaking the glide. (A shallow one, 40 ms, leaves Qt
// 6.4's PulseAudio stream waiting for more than it ever writes ahead,
// silent.)
constexpr qint64 kBufferMicroseconds = 300000;
} // namespace

SoundPlayer::SoundPlayer(QObject* parent) : QObject(parent) {}

bool SoundPlayer::prepare()
{
    if (!device_.isNull())
        return true;
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull())
        return false;
    format_.setSampleRate(kSampleRate);
    format_.setChannelCount(2);
    format_.setChannelConfig(QAudioFormat::ChannelConfigStereo);
    format_.setSampleFormat(QAudioFormat::Float);
    if (!device.isFormatSupported(format_))
        return false;
    device_ = device;
    return true;
}

bool SoundPlayer::play(const std::vector<float>& samples)
{
    if (!prepare())
        return false;
    stop();
    // A sink and a buffer of its own for each piece: a sink started again
    // right after a stop (H, H, H) does not always take its new data.
    buffer_ = new QBuffer(this);
    buffer_->setData(reinterpret_cast<const char*>(samples.data()),
                     static_cast<qsizetype>(samples.size() * sizeof(float)));
    buffer_->open(QIODevice::ReadOnly);
    sink_ = new QAudioSink(device_, format_, this);
    sink_->setBufferSize(format_.bytesForDuration(kBufferMicroseconds));
    // A finished piece leaves the sink idle; it is stopped then, so that it
    // lets the device go until the next piece.
    connect(sink_, &QAudioSink::stateChanged, this, &SoundPlayer::stateChanged);
    sink_->start(buffer_);
    if (sink_->error() == QAudio::OpenError || sink_->state() == QAudio::StoppedState) {
        stop();
        return false;
    }
    return true;
}

void SoundPlayer::stateChanged(QAudio::State state)
{
    if (state == QAudio::IdleState)
        stop();
}

void SoundPlayer::stop()
{
    if (sink_ == nullptr)
        return;
    disconnect(sink_, nullptr, this, nullptr);
    sink_->stop();
    // Not deleted at once: stop() may be called from the sink's own signal.
    sink_->deleteLater();
    buffer_->deleteLater();
    sink_ = nullptr;
    buffer_ = nullptr;
}

bool SoundPlayer::playing() const
{
    return sink_ != nullptr && sink_->state() == QAudio::ActiveState;
}

qint64 SoundPlayer::takenMicroseconds() const
{
    return playing() ? sink_->processedUSecs() : 0;
}
