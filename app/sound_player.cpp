#include "app/sound_player.h"

#include "app/sound_stream.h"
#include "sound/sound_trace.h"

#include <QAudioDevice>
#include <QAudioSink>
#include <QMediaDevices>

#include <utility>

namespace {
// What the output holds ahead of the speaker. A new piece, or the silence
// after a stop, is heard after what the stream already holds, so the less
// the sooner; but Qt's PulseAudio sink reads 20 ms at a time, and with less
// than a few reads ahead a busy classroom PC breaks the sound.
constexpr qint64 kBufferMicroseconds = 100000;
// How often a lost output is looked for again, besides the desktop's word
// that its outputs changed (which a sound server that comes back does not
// always give).
constexpr int kRetryMilliseconds = 1000;
} // namespace

SoundPlayer::SoundPlayer(QObject* parent) : QObject(parent), stream_(new SoundStream(this))
{
    format_.setSampleRate(kSampleRate);
    format_.setChannelCount(2);
    format_.setChannelConfig(QAudioFormat::ChannelConfigStereo);
    format_.setSampleFormat(QAudioFormat::Float);
    retry_.setInterval(kRetryMilliseconds);
    connect(&retry_, &QTimer::timeout, this, [this] {
        if (!wanted_ || open())
            retry_.stop();
    });
}

SoundPlayer::~SoundPlayer()
{
    // The sink before the stream it reads from.
    drop();
}

bool SoundPlayer::prepare()
{
    wanted_ = true;
    if (devices_ == nullptr) {
        devices_ = new QMediaDevices(this);
        connect(devices_, &QMediaDevices::audioOutputsChanged, this, &SoundPlayer::outputsChanged);
    }
    if (open())
        return true;
    retry_.start();
    return false;
}

void SoundPlayer::close()
{
    wanted_ = false;
    retry_.stop();
    drop();
}

bool SoundPlayer::open()
{
    if (sink_ != nullptr)
        return true;
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull() || !device.isFormatSupported(format_))
        return false;
    stream_->clear();
    sink_ = new QAudioSink(device, format_, this);
    sink_->setBufferSize(format_.bytesForDuration(kBufferMicroseconds));
    sink_->start(stream_);
    if (sink_->state() == QAudio::StoppedState || sink_->error() == QAudio::OpenError ||
        sink_->error() == QAudio::FatalError) {
        drop();
        return false;
    }
    connect(sink_, &QAudioSink::stateChanged, this, &SoundPlayer::sinkStateChanged);
    return true;
}

void SoundPlayer::drop()
{
    stream_->clear();
    QAudioSink* sink = std::exchange(sink_, nullptr);
    if (sink == nullptr)
        return;
    disconnect(sink, nullptr, this, nullptr);
    sink->stop();
    // Deleted at once, never later: Qt 6.4's PulseAudio sink lets the
    // events through as it is deleted, and a deletion of its own still
    // waiting among them would delete it twice.
    delete sink;
}

void SoundPlayer::outputsChanged()
{
    if (wanted_ && open())
        retry_.stop();
}

void SoundPlayer::sinkStateChanged(QAudio::State state)
{
    // The stream never ends of itself (SoundStream gives silence between
    // pieces), so a stop is the output gone: the sound server stopped or
    // the device went away. It is let go after the sink's own signal, and
    // opened again when there is one.
    if (state != QAudio::StoppedState)
        return;
    QMetaObject::invokeMethod(
        this,
        [this, lost = sink_] {
            if (sink_ != lost)
                return;
            drop();
            if (wanted_)
                retry_.start();
        },
        Qt::QueuedConnection);
}

bool SoundPlayer::play(std::vector<float> samples)
{
    // While a lost output is being looked for, a piece does not wait for it.
    if (sink_ == nullptr && (retry_.isActive() || !prepare()))
        return false;
    stream_->setPiece(std::move(samples));
    return true;
}

void SoundPlayer::stop()
{
    stream_->clear();
}

bool SoundPlayer::playing() const
{
    return sink_ != nullptr && stream_->sounding();
}

qint64 SoundPlayer::takenMicroseconds() const
{
    return sink_ == nullptr ? 0 : stream_->takenFrames() * 1000000 / kSampleRate;
}
