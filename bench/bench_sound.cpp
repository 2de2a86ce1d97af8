// What the plot as sound costs: the samples of a 3 s trace as the core makes
// them (the curve, and the tangent then the curve); on the desktop, a step of
// the tangent slider with the sound on beside the same step with it off, and
// the time from a key to the first samples the audio sink takes. The desktop
// cases need an audio device (tools/bench gives them a PulseAudio null sink
// of their own); without one they are skipped.

#include "app/sessen_form.h"
#include "bench_window.h"
#include "entry/lesson_session.h"
#include "sink_monitor.h"
#include "sound/lesson_sound.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QKeyEvent>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

namespace {
TSessen_Form* theForm = nullptr;
SinkMonitor* theMonitor = nullptr; // null without a monitor to listen to

// y = x^3 - 3x with the tangent at x = 2 and the second tangent shown: three
// axis crossings and all four kinds of earcon.
LessonSession Cubic()
{
    LessonSession s;
    s.Syokika();
    s.SelectorClick(3);
    s.BtnMinusClick();
    s.DigitClick(3);
    s.BtnKetteiClick();
    s.ScrollBar2Scroll(80);
    s.BBtnSessenSuClick();
    return s;
}

void Samples(benchmark::State& state, SoundCue cue)
{
    const LessonSession session = Cubic();
    for (auto _ : state)
        benchmark::DoNotOptimize(SoundOf(session.lesson(), cue));
}

void Key(QWidget* target, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers);
    QCoreApplication::sendEvent(target, &press);
    QCoreApplication::sendEvent(target, &release);
}

// Waits in the event loop, as the window does, so that the sink gets to
// read, until the sink has taken some of the piece or a second has passed;
// whether it took any.
bool SinkTook(const QElapsedTimer& since)
{
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&loop, &since] {
        if (theForm->soundPlayer()->takenMicroseconds() > 0 || since.elapsed() > 1000)
            loop.quit();
    });
    poll.start(1);
    loop.exec();
    return theForm->soundPlayer()->takenMicroseconds() > 0;
}

// Lets the window's events through for this long.
void SettleFor(int milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

// The sound switched on with Alt+T, and H heard and stopped: false when no
// audio device took it.
bool SoundOn()
{
    Key(theForm->ScrollBar1, Qt::Key_T, Qt::AltModifier);
    QElapsedTimer since;
    since.start();
    Key(theForm->ScrollBar1, Qt::Key_H);
    const bool took = SinkTook(since);
    Key(theForm->ScrollBar1, Qt::Key_Escape);
    return took;
}

void SoundOff()
{
    Key(theForm->ScrollBar1, Qt::Key_T, Qt::AltModifier);
}

// The median and the 95th percentile of the iterations' times, in
// milliseconds, as counters beside the mean.
// A run that stopped with an error has them too, as zero: the library's
// statistics over the repetitions expect every run to have the counters the
// first one has.
void CountPercentiles(benchmark::State& state, std::vector<double> seconds)
{
    if (seconds.empty()) {
        state.counters["p50_ms"] = 0;
        state.counters["p95_ms"] = 0;
        return;
    }
    std::sort(seconds.begin(), seconds.end());
    const auto at = [&seconds](double q) {
        return seconds[static_cast<std::size_t>(q * static_cast<double>(seconds.size() - 1))] * 1e3;
    };
    state.counters["p50_ms"] = at(0.5);
    state.counters["p95_ms"] = at(0.95);
}

// A tangent-slider step from the keyboard, with its repaint and, with the sound on, the tone of the
// new slope handed to the sink. The window's events, the sink's reads among them, are let through
// between steps, outside the timing.
void TangentStep(benchmark::State& state, bool sound)
{
    if (sound && !SoundOn()) {
        SoundOff();
        state.SkipWithError("no audio device took the sound");
        CountPercentiles(state, {});
        return;
    }
    // The tangent point walked to and fro over the middle of the view,
    // where its tangent and so the tone are there.
    QWidget* bar = theForm->ScrollBar2;
    theForm->ScrollBar2->setValue(40);
    int key = Qt::Key_Right;
    std::vector<double> seconds;
    for (auto _ : state) {
        if (theForm->ScrollBar2->value() >= 60)
            key = Qt::Key_Left;
        else if (theForm->ScrollBar2->value() <= 40)
            key = Qt::Key_Right;
        QElapsedTimer timer;
        timer.start();
        Key(bar, key);
        const double elapsed = static_cast<double>(timer.nsecsElapsed()) * 1e-9;
        state.SetIterationTime(elapsed);
        seconds.push_back(elapsed);
        QCoreApplication::processEvents();
    }
    CountPercentiles(state, std::move(seconds));
    if (sound)
        SoundOff();
}

// A key with the sound on until the sink has taken the first samples of
// its piece: H (the curve), or Right on the tangent slider (the tone of the
// slope). The piece is stopped outside the timing.
void KeyToSink(benchmark::State& state, int key)
{
    if (!SoundOn()) {
        SoundOff();
        state.SkipWithError("no audio device took the sound");
        CountPercentiles(state, {});
        return;
    }
    QWidget* target = key == Qt::Key_H ? theForm->ScrollBar1 : theForm->ScrollBar2;
    // The tangent point near the middle of the view, where its tangent and
    // so the tone are there: Right and Left in turn.
    if (key != Qt::Key_H)
        theForm->ScrollBar2->setValue(50);
    std::vector<double> seconds;
    for (auto _ : state) {
        if (key != Qt::Key_H)
            key = theForm->ScrollBar2->value() > 50 ? Qt::Key_Left : Qt::Key_Right;
        QElapsedTimer timer;
        timer.start();
        Key(target, key);
        const bool took = SinkTook(timer);
        const double elapsed = static_cast<double>(timer.nsecsElapsed()) * 1e-9;
        state.SetIterationTime(elapsed);
        seconds.push_back(elapsed);
        Key(theForm->ScrollBar1, Qt::Key_Escape);
        // A stop shuts the output for a moment; the next key is timed
        // with it open again, as a pupil's keys mostly find it.
        SettleFor(100);
        if (!took) {
            state.SkipWithError("the sink took nothing within a second");
            break;
        }
    }
    CountPercentiles(state, std::move(seconds));
    SoundOff();
}

// Waits in the event loop until `done` or `limitMs` after the monitor's
// mark; whether it was done.
template <typename Done> bool WaitFor(double limitMs, Done done)
{
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (done() || theMonitor->nowMs() > limitMs)
            loop.quit();
    });
    poll.start(1);
    loop.exec();
    return done();
}

// H with the sound on until the curve is heard at the sink's monitor (the
// iteration's time: `stop` false), or the curve heard, Escape, and the time
// until the last of it is heard (`stop` true): silence within 20 ms is the
// aim.
void Heard(benchmark::State& state, bool stop)
{
    if (theMonitor == nullptr || !SoundOn()) {
        SoundOff();
        state.SkipWithError("no audio device, or no monitor of it to listen to");
        CountPercentiles(state, {});
        return;
    }
    std::vector<double> seconds;
    for (auto _ : state) {
        theMonitor->mark();
        Key(theForm->ScrollBar1, Qt::Key_H);
        if (!WaitFor(1000, [] { return theMonitor->heard(); })) {
            state.SkipWithError("H was not heard within a second");
            break;
        }
        double ms = theMonitor->firstSoundMs();
        if (stop) {
            WaitFor(theMonitor->nowMs() + 200, [] { return false; });
            theMonitor->mark();
            Key(theForm->ScrollBar1, Qt::Key_Escape);
            // Silent once nothing was heard for 100 ms.
            WaitFor(1000, [] { return theMonitor->nowMs() > theMonitor->lastSoundMs() + 100; });
            ms = theMonitor->heard() ? std::max(0.0, theMonitor->lastSoundMs()) : 0.0;
        }
        state.SetIterationTime(ms * 1e-3);
        seconds.push_back(ms * 1e-3);
        if (!stop)
            Key(theForm->ScrollBar1, Qt::Key_Escape);
        WaitFor(theMonitor->nowMs() + 100, [] { return false; });
    }
    CountPercentiles(state, std::move(seconds));
    SoundOff();
}
} // namespace

int main(int argc, char** argv)
{
    return RunWithWindow(argc, argv, [](TSessen_Form& form) {
        theForm = &form;
        benchmark::RegisterBenchmark("Sound/CurveSamples3s", Samples, SoundCue::Curve)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark("Sound/TangentThenCurveSamples", Samples,
                                     SoundCue::TangentThenCurve)
            ->Unit(benchmark::kMillisecond);
        for (const bool sound : {false, true}) {
            benchmark::RegisterBenchmark(sound ? "Sound/TangentStep/sound:on"
                                               : "Sound/TangentStep/sound:off",
                                         TangentStep, sound)
                ->UseManualTime()
                ->Unit(benchmark::kMillisecond);
        }
        benchmark::RegisterBenchmark("Sound/KeyToSink/key:H", KeyToSink, Qt::Key_H)
            ->UseManualTime()
            ->Iterations(20)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark("Sound/KeyToSink/key:Right", KeyToSink, Qt::Key_Right)
            ->UseManualTime()
            ->Iterations(20)
            ->Unit(benchmark::kMillisecond);
        auto* monitor = new SinkMonitor(&form);
        theMonitor = monitor->open() ? monitor : nullptr;
        benchmark::RegisterBenchmark("Sound/KeyToHeard/key:H", Heard, false)
            ->UseManualTime()
            ->Iterations(20)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark("Sound/EscapeToSilence", Heard, true)
            ->UseManualTime()
            ->Iterations(20)
            ->Unit(benchmark::kMillisecond);
    });
}
