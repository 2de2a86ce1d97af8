#pragma once

#include <QAudioFormat>
#include <QObject>
#include <QThread>
#include <QTimer>

#include <vector>

class QMediaDevices;
class SoundOutput;
class SoundStream;

// Plays the lesson's sound on the desktop's default audio output through Qt
// Multimedia: the core's samples (interleaved stereo float at kSampleRate,
// sound/synthesizer.h). One output stream is opened as the sound is switched
// on and stays open, reading from a SoundStream; it lives on a thread of its
// own (SoundOutput), so the window's thread never opens, closes or feeds it,
// and a window busy drawing cannot hold up its reads. A new piece takes the
// place of the one playing under the stream's lock, so a step of the
// tangent point with the sound on costs the window no more than handing
// over its samples. An output that goes away (the sound server stopped, the
// device unplugged) is opened again when the desktop has one again.
class SoundPlayer : public QObject {
    Q_OBJECT
public:
    explicit SoundPlayer(QObject* parent);
    ~SoundPlayer() override;

    // Has the default output opened if it is not open yet, so that the
    // first piece starts without the wait. False when there is none that
    // plays the samples as they are (no sound server, no device); it is
    // opened as soon as there is one.
    bool prepare();
    // Lets the output go, until the next prepare() or play().
    void close();

    // Plays the samples from their start, in place of what plays. False
    // when there is no device.
    bool play(std::vector<float> samples);

    // Silence at once: what the output holds ahead is dropped too.
    void stop();
    // Whether the sink has yet to take some of the piece.
    bool playing() const;
    // How much of the piece playing the sink has taken so far, in
    // microseconds of sound.
    qint64 takenMicroseconds() const;

private:
    bool requestOpen();
    void lookAgain();

    enum class Output { Closed, Opening, Open, Missing };

    QAudioFormat format_;
    QThread thread_;                   // the output's own
    SoundOutput* output_ = nullptr;    // lives on thread_
    SoundStream* stream_ = nullptr;    // output_'s, set from this thread under its lock
    QMediaDevices* devices_ = nullptr; // made at the first prepare()
    Output state_ = Output::Closed;
    bool wanted_ = false; // the sound is on: open when there is a device
    QTimer retry_;        // looks for a device again while there is none
};
