#include "app/sound_player.h"

#include "app/sound_output.h"
#include "app/sound_stream.h"
#include "sound/sound_trace.h"

#include <QAudioDevice>
#include <QMediaDevices>

#include <utility>

namespace {
// How often a lost output is looked for again, besides the desktop's word
// that its outputs changed (which a sound server that comes back does not
// always give).
constexpr int kRetryMilliseconds = 1000;
} // namespace

SoundPlayer::SoundPlayer(QObject* parent) : QObject(parent)
{
    format_.setSampleRate(kSampleRate);
    format_.setChannelCount(2);
    format_.setChannelConfig(QAudioFormat::ChannelConfigStereo);
    format_.setSampleFormat(QAudioFormat::Float);

    output_ = new SoundOutput(format_);
    stream_ = output_->stream();
    output_->moveToThread(&thread_);
    thread_.setObjectName(QStringLiteral("tavrine sound"));
    // Made, used and deleted on its thread: deleted as the thread ends.
    connect(&thread_, &QThread::finished, output_, &QObject::deleteLater);
    connect(output_, &SoundOutput::opened, this, [this] {
        if (state_ != Output::Opening)
            return; // closed meanwhile: the close is on its way to the output
        state_ = Output::Open;
        retry_.stop();
    });
    const auto missing = [this] {
        if (state_ != Output::Opening && state_ != Output::Open)
            return;
        state_ = Output::Missing;
        if (wanted_)
            retry_.start();
    };
    connect(output_, &SoundOutput::failed, this, missing);
    connect(output_, &SoundOutput::lost, this, missing);
    // Where the system honours it (not for Linux's ordinary threads), the
    // output's reads come before other work.
    thread_.start(QThread::TimeCriticalPriority);

    retry_.setInterval(kRetryMilliseconds);
    connect(&retry_, &QTimer::timeout, this, &SoundPlayer::lookAgain);
}

SoundPlayer::~SoundPlayer()
{
    thread_.quit();
    thread_.wait();
}

bool SoundPlayer::prepare()
{
    wanted_ = true;
    if (devices_ == nullptr) {
        devices_ = new QMediaDevices(this);
        connect(devices_, &QMediaDevices::audioOutputsChanged, this, &SoundPlayer::lookAgain);
    }
    if (state_ == Output::Open || state_ == Output::Opening)
        return true;
    return requestOpen();
}

bool SoundPlayer::requestOpen()
{
    // Which device is there is known at once; opening it takes the output's
    // thread some milliseconds, which the window does not wait for.
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull() || !device.isFormatSupported(format_)) {
        state_ = Output::Missing;
        retry_.start();
        return false;
    }
    state_ = Output::Opening;
    QMetaObject::invokeMethod(
        output_, [output = output_, device] { output->open(device); }, Qt::QueuedConnection);
    return true;
}

void SoundPlayer::lookAgain()
{
    if (!wanted_) {
        retry_.stop();
        return;
    }
    if (state_ == Output::Missing)
        requestOpen();
}

void SoundPlayer::close()
{
    wanted_ = false;
    retry_.stop();
    stream_->clear();
    if (state_ == Output::Closed)
        return;
    state_ = Output::Closed;
    QMetaObject::invokeMethod(output_, &SoundOutput::close, Qt::QueuedConnection);
}

bool SoundPlayer::play(std::vector<float> samples)
{
    // While a lost output is being looked for, a piece does not wait for it.
    if (state_ == Output::Missing || (state_ == Output::Closed && !prepare()))
        return false;
    stream_->setPiece(std::move(samples));
    return true;
}

void SoundPlayer::stop()
{
    // Only a piece the sink has read from can be in the output; a stop with
    // nothing there (every zoom step stops the sound) leaves it alone.
    if (!stream_->clear() || (state_ != Output::Open && state_ != Output::Opening))
        return;
    QMetaObject::invokeMethod(
        output_, [output = output_, stopped = stream_->pieceNumber()] { output->flush(stopped); },
        Qt::QueuedConnection);
}

bool SoundPlayer::playing() const
{
    return (state_ == Output::Open || state_ == Output::Opening) && stream_->sounding();
}

qint64 SoundPlayer::takenMicroseconds() const
{
    return state_ == Output::Closed || state_ == Output::Missing
               ? 0
               : stream_->takenFrames() * 1000000 / kSampleRate;
}
