#include "app/sound_stream.h"

#include "sound/sound_trace.h"

#include <QMutexLocker>

#include <algorithm>
#include <cstring>
#include <utility>

namespace {
constexpr qint64 kFrameBytes = 2 * sizeof(float);
// What the sink asks for at a time: Qt's PulseAudio sink reads 20 ms at each
// of its ticks.
constexpr qint64 kPeriodBytes = kSampleRate / 50 * kFrameBytes;
} // namespace

SoundStream::SoundStream(QObject* parent) : QIODevice(parent)
{
    // Unbuffered: QIODevice's own buffer would read ahead and keep a piece's
    // start after the piece was replaced.
    open(QIODevice::ReadOnly | QIODevice::Unbuffered);
}

void SoundStream::setPiece(std::vector<float> samples)
{
    {
        QMutexLocker lock(&mutex_);
        std::swap(piece_, samples);
        next_ = 0;
        ++number_;
    }
    // The piece replaced is let go here, outside the lock.
}

bool SoundStream::clear()
{
    std::vector<float> dropped;
    bool taken = false;
    {
        QMutexLocker lock(&mutex_);
        taken = next_ > 0;
        std::swap(piece_, dropped);
        next_ = 0;
        ++number_;
    }
    return taken;
}

quint64 SoundStream::pieceNumber() const
{
    QMutexLocker lock(&mutex_);
    return number_;
}

void SoundStream::rewindIfNewer(quint64 number)
{
    QMutexLocker lock(&mutex_);
    if (number_ != number)
        next_ = 0;
}

bool SoundStream::sounding() const
{
    QMutexLocker lock(&mutex_);
    return next_ < piece_.size();
}

qint64 SoundStream::takenFrames() const
{
    QMutexLocker lock(&mutex_);
    return static_cast<qint64>(next_ / 2);
}

// A sink in pull mode takes a read of nothing for the end of its source:
// Qt 6.4's PulseAudio sink then stops reading until the source says it has
// more (readyRead), and asks PulseAudio to drain the stream where the source
// says it is at its end. Between pieces the stream is silence instead, so
// that the sink never stops and a piece starts at its next read. The size
// reported is one read's worth: Qt 6.4's sink lowers PulseAudio's prebuffer
// to a source's size where that is smaller, so that the stream starts, and
// starts again after a hiccup of a busy machine, as soon as one read is
// there; with the prebuffer at the whole buffer, which the sink fills only in
// whole reads, it could wait for ever.
qint64 SoundStream::bytesAvailable() const
{
    return kPeriodBytes + QIODevice::bytesAvailable();
}

qint64 SoundStream::size() const
{
    return bytesAvailable();
}

qint64 SoundStream::readData(char* data, qint64 maxSize)
{
    const qint64 frames = maxSize / kFrameBytes;
    const auto wanted = static_cast<std::size_t>(frames * 2);
    std::size_t copied = 0;
    {
        QMutexLocker lock(&mutex_);
        copied = std::min(wanted, piece_.size() - next_);
        if (copied > 0)
            std::memcpy(data, piece_.data() + next_, copied * sizeof(float));
        next_ += copied;
    }
    std::memset(data + copied * sizeof(float), 0, (wanted - copied) * sizeof(float));
    return frames * kFrameBytes;
}

qint64 SoundStream::writeData(const char*, qint64)
{
    return -1;
}
