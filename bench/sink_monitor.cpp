#include "sink_monitor.h"

#include <QAudioDevice>
#include <QMediaDevices>
#include <QProcess>

namespace {
constexpr int kRate = 48000;
constexpr int kFrameBytes = 2 * sizeof(float);
} // namespace

SinkMonitor::SinkMonitor(QObject* parent) : QObject(parent)
{
    clock_.start();
}

SinkMonitor::~SinkMonitor()
{
    if (recorder_ != nullptr) {
        recorder_->kill();
        recorder_->waitForFinished();
    }
}

bool SinkMonitor::open()
{
    const QAudioDevice output = QMediaDevices::defaultAudioOutput();
    if (output.isNull())
        return false;
    recorder_ = new QProcess(this);
    connect(recorder_, &QProcess::readyReadStandardOutput, this, &SinkMonitor::readSamples);
    recorder_->start(QStringLiteral("parec"),
                     {QStringLiteral("--device=%1.monitor").arg(QString::fromUtf8(output.id())),
                      QStringLiteral("--raw"), QStringLiteral("--format=float32le"),
                      QStringLiteral("--rate=%1").arg(kRate), QStringLiteral("--channels=2"),
                      // Small, so that what is heard arrives soon after it is played.
                      QStringLiteral("--latency-msec=5")});
    // Heard only once the recorder delivers: parec connects to the server
    // after it has started, and a key pressed before that goes unheard.
    return recorder_->waitForStarted() && recorder_->waitForReadyRead(5000);
}

void SinkMonitor::mark()
{
    readSamples(); // what arrived before belongs to before
    clock_.restart();
    heard_ = false;
    first_ = last_ = 0;
}

double SinkMonitor::nowMs() const
{
    return static_cast<double>(clock_.nsecsElapsed()) * 1e-6;
}

void SinkMonitor::readSamples()
{
    const QByteArray bytes = partial_ + recorder_->readAllStandardOutput();
    const double arrived = nowMs();
    const qsizetype frames = bytes.size() / kFrameBytes;
    partial_ = bytes.mid(frames * kFrameBytes);
    const auto* samples = reinterpret_cast<const float*>(bytes.constData());
    for (qsizetype k = 0; k < frames; ++k) {
        if (samples[2 * k] == 0 && samples[2 * k + 1] == 0)
            continue;
        const double at = arrived - static_cast<double>(frames - k) * 1000.0 / kRate;
        if (!heard_)
            first_ = at;
        heard_ = true;
        last_ = at;
    }
}
