#include "app/sound_output.h"

#include "app/sound_stream.h"

#include <QAudioSink>
#include <QTimer>

#include <utility>

namespace {
// What the output holds ahead of the speaker. A new piece is heard after
// what the output already holds, so the less the sooner; a stop drops it
// (flush()), so a stop does not wait for it. Qt's PulseAudio sink reads
// 20 ms at a time, on this thread, which the window's work does not hold
// up; but on a loaded 2-core classroom PC the thread was seen to run up to
// 100 ms late now and then, and after a late read the sink makes up only a
// read or two at a time, so a buffer of a few reads ran dry there.
constexpr qint64 kBufferMicroseconds = 200000;
// How long a flushed output stays shut. PulseAudio drops what it holds of a
// stream let go, but a stream opened on the same sink at that moment was
// seen to keep it from doing so now and then, and the piece stopped then
// played on for some 60 ms. A piece set meanwhile waits in the stream, so a
// key within this time of a stop is heard that much later.
constexpr int kRestartMilliseconds = 40;
} // namespace

SoundOutput::SoundOutput(const QAudioFormat& format)
    : format_(format), stream_(new SoundStream(this)), restart_(new QTimer(this))
{
    restart_->setSingleShot(true);
    restart_->setInterval(kRestartMilliseconds);
    connect(restart_, &QTimer::timeout, this, &SoundOutput::restart);
}

SoundOutput::~SoundOutput()
{
    // The sink before the stream it reads from, on this thread.
    drop();
}

void SoundOutput::open(const QAudioDevice& device)
{
    if (sink_ != nullptr) {
        emit opened();
        return;
    }
    device_ = device;
    if (start())
        emit opened();
    else
        emit failed();
}

void SoundOutput::close()
{
    // The stream is left alone: the player cleared it as it asked for the
    // close, and may since have set a piece for an output opened again.
    drop();
}

void SoundOutput::flush(quint64 stoppedPiece)
{
    if (sink_ == nullptr)
        return;
    // Qt 6.4's QAudioSink::reset() stops the sink as stop() does, and a
    // sink started again after a stop did not always take its data there;
    // so the output is let go, which drops what PulseAudio holds of it, and
    // a new one is opened shortly after. This thread pays for the opening,
    // not the window's.
    drop();
    // A piece set since the stop may have been read in part by the sink
    // let go; the new one plays it from its start.
    stream_->rewindIfNewer(stoppedPiece);
    restart_->start();
}

void SoundOutput::restart()
{
    if (sink_ == nullptr && !start())
        emit lost();
}

bool SoundOutput::start()
{
    sink_ = new QAudioSink(device_, format_, this);
    sink_->setBufferSize(format_.bytesForDuration(kBufferMicroseconds));
    connect(sink_, &QAudioSink::stateChanged, this, &SoundOutput::stateChanged);
    sink_->start(stream_);
    if (sink_->state() == QAudio::StoppedState || sink_->error() == QAudio::OpenError ||
        sink_->error() == QAudio::FatalError) {
        drop();
        return false;
    }
    return true;
}

void SoundOutput::drop()
{
    restart_->stop();
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

void SoundOutput::stateChanged(QAudio::State state)
{
    // The stream never ends of itself (SoundStream gives silence between
    // pieces), so a stop is the output gone: the sound server stopped or
    // the device went away. It is let go after the sink's own signal has
    // returned.
    if (state != QAudio::StoppedState)
        return;
    QMetaObject::invokeMethod(
        this,
        [this, stopped = sink_] {
            if (sink_ != stopped || sink_ == nullptr || sink_->state() != QAudio::StoppedState)
                return;
            drop();
            stream_->clear();
            emit lost();
        },
        Qt::QueuedConnection);
}
