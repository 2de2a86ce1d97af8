#pragma once

#include <QElapsedTimer>
#include <QObject>

class QProcess;

// Listens to what the default output plays, through its PulseAudio monitor
// source recorded by parec (Qt lists no monitor among its inputs), and notes
// when it heard sound: the benchmarks' ear, for how soon a key is heard and
// a stop is silent. A chunk's samples are dated back from the moment the
// chunk arrived, so the times include what the recorder holds (a few
// milliseconds) and err late, never early.
class SinkMonitor : public QObject {
    Q_OBJECT
public:
    explicit SinkMonitor(QObject* parent);
    ~SinkMonitor() override;

    // False when the default output has no monitor to listen to.
    bool open();
    // Starts the clock afresh and forgets what was heard.
    void mark();
    // Whether sound was heard since mark(), and the milliseconds from mark()
    // to the first and to the last of it (samples that arrived after mark()
    // but were played before it count as heard, with a negative time).
    bool heard() const { return heard_; }
    double firstSoundMs() const { return first_; }
    double lastSoundMs() const { return last_; }
    // Milliseconds from mark() to now.
    double nowMs() const;

private:
    void readSamples();

    QProcess* recorder_ = nullptr;
    QByteArray partial_; // the start of a frame the recorder has yet to finish
    QElapsedTimer clock_;
    bool heard_ = false;
    double first_ = 0;
    double last_ = 0;
};
