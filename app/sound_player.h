#pragma once

#include <QAudio>
#include <QAudioDevice>
#include <QAudioFormat>
#include <QBuffer>
#include <QObject>

#include <vector>

class QAudioSink;

// Plays the lesson's sound on the desktop's default audio output through Qt
// Multimedia: the core's samples (interleaved stereo float at kSampleRate,
// sound/synthesizer.h) handed to a QAudioSink as they are. One piece plays at
// a time; a new one takes the place of the one playing.
class SoundPlayer : public QObject {
    Q_OBJECT
public:
    explicit SoundPlayer(QObject* parent);

    // Opens the default output if it is not open yet, so that the first
    // piece starts without the wait. False when there is none that plays the
    // samples as they are (no sound server, no device).
    bool prepare();

    // Plays the samples from their start. False when there is no device.
    bool play(const std::vector<float>& samples);

    void stop();
    bool playing() const;
    // How much of the piece playing the sink has taken so far, in
    // microseconds of sound.
    qint64 takenMicroseconds() const;

private:
    void stateChanged(QAudio::State state);

    QAudioDevice device_; // the default output, once found
    QAudioFormat format_;
    QAudioSink* sink_ = nullptr; // the piece playing, with its samples
    QBuffer* buffer_ = nullptr;
};
