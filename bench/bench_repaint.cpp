// How long one repaint of the plot takes, and what a slider step costs with
// its synchronous repaint. Every case runs twice in the same process: with
// the canvas the program uses (Culled) and with the canvas that hands every
// line and curve segment to QPainter as it is (Whole), so the ratio between
// the two comes from one run on one machine.
//
// The repaint cases paint into a 660 x 660 QImage of Format_RGB32, the format
// of the window's backing store on X11 and on the offscreen platform. The
// slider cases drive the window's own handlers on the offscreen platform.

#include "app/sessen_form.h"
#include "app/tavrine_application.h"
#include "lesson/curve.h"
#include "lesson/tangent_step.h"
#include "plot/plot_layers.h"

#include <QCoreApplication>
#include <QImage>
#include <QPainter>
#include <QWindow>

#include <benchmark/benchmark.h>

#include <array>
#include <memory>
#include <string>

namespace {

constexpr int kArea = 660;

struct Cubic {
    const char* name;
    std::array<int32_t, 4> keisu;
};

// The starting lesson, and the steepest cubic of the keypad's range, whose
// curve leaves the area almost at once.
constexpr std::array<Cubic, 2> kCubics{{
    {"x^3", {1, 0, 0, 0}},
    {"-9x^3-9x^2-9x-9", {-9, -9, -9, -9}},
}};

constexpr std::array<int32_t, 3> kZooms{4, 20, 36};

constexpr std::array<CanvasMode, 2> kModes{CanvasMode::Culled, CanvasMode::Whole};

const char* ModeName(CanvasMode mode)
{
    return mode == CanvasMode::Culled ? "culled" : "whole";
}

// Both toggles on and the tangent slider at 80: the most the plot ever shows.
LessonState BusyLesson(const Cubic& cubic, int32_t zahyoMax)
{
    LessonState lesson;
    for (int n = 1; n <= kCoefficientCount; ++n)
        lesson.Keisu[n] = cubic.keisu[static_cast<std::size_t>(n - 1)];
    Kyokusen_Update(lesson);
    lesson.ZahyoMax = zahyoMax;
    lesson.SessenSu2 = true;
    lesson.HojosenAri = true;
    MoveTangentPoint(lesson, 80);
    return lesson;
}

void Repaint(benchmark::State& state, LessonState lesson, CanvasMode mode)
{
    QImage image(kArea, kArea, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&image);
        PaintPlot(painter, lesson, kArea, kArea, mode);
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}

// The window, shown on the offscreen platform, with its lesson set up and
// both toggles on. Made and destroyed by main(), inside the application's
// lifetime.
TSessen_Form* theForm = nullptr;

std::unique_ptr<TSessen_Form> StartedForm()
{
    auto form = std::make_unique<TSessen_Form>();
    form->show();
    // Until the window is exposed it has no backing store and a repaint
    // draws nothing.
    while (!form->windowHandle() || !form->windowHandle()->isExposed())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    form->Syokika(form.get());
    form->BBtnSessenSuClick(form.get());
    form->BBtnHojosenClick(form.get());
    return form;
}

void UseCanvas(TSessen_Form& form, CanvasMode mode)
{
    form.PaintBox1->setPaintRoutine([&form, mode](QPainter& painter) {
        PaintPlot(painter, form.lesson(), form.PaintBox1->width(), form.PaintBox1->height(), mode);
    });
}

using SliderHandler = void (TSessen_Form::*)(QObject*, ScrollCode, int&);

// One notification per iteration, walking the slider to and fro over its
// whole travel, as a drag does.
void Slide(benchmark::State& state, SliderHandler handler, int zoomPosition, CanvasMode mode)
{
    TSessen_Form& form = *theForm;
    UseCanvas(form, mode);
    int zoom = zoomPosition;
    form.ScrollBar1Scroll(&form, ScrollCode::Track, zoom);
    int position = 0;
    int direction = 1;
    for (auto _ : state) {
        int scrollPos = position;
        (form.*handler)(&form, ScrollCode::Track, scrollPos);
        if (position + direction < 0 || position + direction > 100)
            direction = -direction;
        position += direction;
    }
    UseCanvas(form, CanvasMode::Culled);
}

void RegisterAll()
{
    for (const CanvasMode mode : kModes) {
        for (const Cubic& cubic : kCubics) {
            for (const int32_t zoom : kZooms) {
                const std::string name = std::string("Repaint/") + ModeName(mode) + "/" +
                                         cubic.name + "/ZahyoMax:" + std::to_string(zoom);
                benchmark::RegisterBenchmark(name.c_str(), Repaint, BusyLesson(cubic, zoom), mode);
            }
        }
    }
    for (const CanvasMode mode : kModes) {
        benchmark::RegisterBenchmark((std::string("TangentSlider/") + ModeName(mode)).c_str(),
                                     Slide, &TSessen_Form::ScrollBar2Scroll, 51, mode);
        benchmark::RegisterBenchmark((std::string("ZoomSlider/") + ModeName(mode)).c_str(), Slide,
                                     &TSessen_Form::ScrollBar1Scroll, 51, mode);
    }
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
    RegisterAll();
    const std::unique_ptr<TSessen_Form> form = StartedForm();
    theForm = form.get();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    theForm = nullptr;
    return 0;
}
