#pragma once

// The main of the benchmarks that drive the lesson window: the application
// on the offscreen platform (unless QT_QPA_PLATFORM names another), Google
// Benchmark's arguments, and the window shown and exposed with its lesson set
// up, for which `registerCases` registers the cases.

#include "app/sessen_form.h"
#include "app/tavrine_application.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QWindow>

#include <benchmark/benchmark.h>

template <typename Register> int RunWithWindow(int argc, char** argv, Register registerCases)
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
    // Until the window is exposed it has no backing store and a repaint
    // draws nothing; the lesson is set up as it first becomes active.
    QElapsedTimer started;
    started.start();
    while ((!form.windowHandle() || !form.windowHandle()->isExposed() || !form.isActiveWindow()) &&
           started.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    registerCases(form);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
