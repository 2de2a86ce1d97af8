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

SoundPlayer::SoundPlayer(QObject* parent) : QObject(parent), buffer_(this) {}

bool SoundPlayer::prepare()
{
    if (sink_ != nullptr)
        return true;
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull())
        return false;
    QAudioFormat format;
    format.setSampleRate(kSampleRate);
    format.setChannelCount(2);
    format.setChannelConfig(QAudioFormat::ChannelConfigStereo);
    format.setSampleFormat(QAudioFormat::Float);
    if (!device.isFormatSupported(format))
        return false;
    sink_ = new QAudioSink(device, format, this);
    sink_->setBufferSize(format.bytesForDuration(kBufferMicroseconds));
    // A finished piece leaves the sink idle; it is stopped, so that it lets
    // the device go until the next piece.
    connect(sink_, &QAudioSink::stateChanged, this, &SoundPlayer::stateChanged);
    return true;
}

void SoundPlayer::stateChanged(QAudio::State state)
{
    if (state == QAudio::IdleState)
        stop();
}

bool SoundPlayer::play(const std::vector<float>& samples)
{
    if (!prepare())
        return false;
    stop();
    buffer_.setData(reinterpret_cast<const char*>(samples.data()),
                    static_cast<qsizetype>(samples.size() * sizeof(float)));
    buffer_.open(QIODevice::ReadOnly);
    sink_->start(&buffer_);
    if (sink_->error() == QAudio::OpenError || sink_->state() == QAudio::StoppedState) {
        buffer_.close();
        return false;
    }
    return true;
}

void SoundPlayer::stop()
{
    if (sink_ != nullptr && sink_->state() != QAudio::StoppedState)
        sink_->stop();
    buffer_.close();
}

bool SoundPlayer::playing() const
{
    return sink_ != nullptr && sink_->state() == QAudio::ActiveState;
}
