// What the plot as sound costs: the samples of a 3 s trace as the core makes
// them (the curve, and the tangent then the curve), and on the desktop the
// time from the H key to the first samples the audio sink takes. The last
// needs an audio device; without one it is skipped.

#include "app/sessen_form.h"
#include "app/tavrine_application.h"
#include "entry/lesson_session.h"
#include "sound/lesson_sound.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QKeyEvent>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <memory>

namespace {
TSessen_Form* theForm = nullptr;

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

void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers);
    QCoreApplication::sendEvent(theForm->ScrollBar1, &press);
    QCoreApplication::sendEvent(theForm->ScrollBar1, &release);
}

// H pressed with the sound on, until the sink has taken the first samples;
// then H again stops it, outside the timing.
void KeyToSink(benchmark::State& state)
{
    Key(Qt::Key_T, Qt::AltModifier);
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        Key(Qt::Key_H);
        // Waiting in the event loop, as the window does, so that the sound
        // server's thread gets the processor.
        QEventLoop loop;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, &loop, [&loop, &timer] {
            if (theForm->soundPlayer()->takenMicroseconds() > 0 || timer.elapsed() > 1000)
                loop.quit();
        });
        poll.start(1);
        loop.exec();
        state.SetIterationTime(static_cast<double>(timer.nsecsElapsed()) * 1e-9);
        if (theForm->soundPlayer()->takenMicroseconds() == 0) {
            state.SkipWithError("no audio device took the sound");
            break;
        }
        Key(Qt::Key_H);
    }
    Key(Qt::Key_T, Qt::AltModifier);
}
} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    char* qtArgv[] = {argv[0], nullptr};
    TavrineApplication app(qtArgc, qtArgv);

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    TSessen_Form form;
    form.show();
    form.activateWindow();
    // The lesson is set up as the window first becomes active.
    QElapsedTimer started;
    started.start();
    while (!form.isActiveWindow() && started.elapsed() < 5000)
        QCoreApplication::processEvents();
    theForm = &form;
    benchmark::RegisterBenchmark("Sound/CurveSamples3s", Samples, SoundCue::Curve)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("Sound/TangentThenCurveSamples", Samples,
                                 SoundCue::TangentThenCurve)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("Sound/KeyToSink", KeyToSink)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    theForm = nullptr;
    return 0;
}
