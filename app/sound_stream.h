#pragma once

#include <QIODevice>
#include <QMutex>

#include <vector>

// What the audio sink reads while the sound is on: the piece playing (the
// core's interleaved stereo float samples), then silence for as long as no
// other piece comes. A new piece takes the place of the one playing at the
// sink's next read, so nothing is opened or closed for it. The sink reads on
// the sound's own thread (SoundOutput); the window's thread swaps the piece
// under a lock.
class SoundStream : public QIODevice {
public:
    explicit SoundStream(QObject* parent);

    // Plays these samples from their start, in place of the piece playing.
    void setPiece(std::vector<float> samples);
    // Silence from the sink's next read on. Whether the sink had taken some
    // of the piece dropped, which the output may then still hold ahead of
    // the speaker.
    bool clear();
    // Counts the pieces set and the clears; changed only by the thread that
    // sets them.
    quint64 pieceNumber() const;
    // Plays the piece from its start again if it came after `number`.
    void rewindIfNewer(quint64 number);
    // Whether the sink has yet to take some of the piece.
    bool sounding() const;
    // How many frames of the piece the sink has taken so far.
    qint64 takenFrames() const;

    bool isSequential() const override { return true; }
    // Never at an end, and always a period ahead: see sound_stream.cpp.
    bool atEnd() const override { return false; }
    qint64 bytesAvailable() const override;
    qint64 size() const override;

protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char* data, qint64 maxSize) override;

private:
    mutable QMutex mutex_;
    std::vector<float> piece_;
    std::size_t next_ = 0; // the next sample the sink takes
    quint64 number_ = 0;
};
