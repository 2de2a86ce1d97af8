#pragma once

#include <QAudio>
#include <QAudioDevice>
#include <QAudioFormat>
#include <QObject>

class QAudioSink;
class QTimer;
class SoundStream;

// The output stream of the sound, on the sound's own thread (SoundPlayer):
// the QAudioSink is made, started, stopped and deleted there, and reads the
// SoundStream there in pull mode, so the window's thread never opens, closes
// or feeds it and a busy window cannot keep it from its reads. Every member
// but the constructor runs on that thread, called through queued calls.
class SoundOutput : public QObject {
    Q_OBJECT
public:
    explicit SoundOutput(const QAudioFormat& format);
    ~SoundOutput() override;

    // What the sink reads: the player sets its pieces from the window's
    // thread, under the stream's own lock.
    SoundStream* stream() const { return stream_; }

    // Opens this device and starts reading the stream; opened() or
    // failed() says how it went.
    void open(const QAudioDevice& device);
    // Lets the output go.
    void close();
    // Drops what the output holds ahead of the speaker, so that a stop is
    // heard at once rather than after the buffer, and reads on from the
    // stream shortly after. `stoppedPiece` is the stream's piece number the
    // stop left.
    void flush(quint64 stoppedPiece);

signals:
    void opened();
    void failed();
    // The output stopped of itself: the sound server stopped, the device
    // went away.
    void lost();

private:
    bool start();
    void drop();
    void restart();
    void stateChanged(QAudio::State state);

    QAudioFormat format_;
    SoundStream* stream_; // a child of this
    QAudioDevice device_;
    QAudioSink* sink_ = nullptr;
    QTimer* restart_; // a child of this: the output opened again after a flush
};
