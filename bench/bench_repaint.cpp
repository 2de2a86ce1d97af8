// How long the plot takes to paint, and what a slider step costs with its
// synchronous repaint, at the device pixel ratio of the screen the program
// runs on (tools/bench runs it once at 1 and once at 2, as on a projector at
// 200 %). Every case runs beside its Reference in the same process: the whole
// picture painted straight onto the surface on every repaint, every line and
// curve segment handed to QPainter as it is, with no cached base.
//
// The repaint cases paint into an image of Format_RGB32 at that ratio, the
// format of the window's backing store on X11 and on the offscreen platform.
// The slider cases move the window's own sliders, as a drag of the thumb
// does, on the offscreen platform.

#include "app/control_bindings.h"
#include "app/plot_painter.h"
#include "app/sessen_form.h"
#include "bench_window.h"
#include "lesson/curve.h"
#include "lesson/tangent_step.h"
#include "plot/plot_svg.h"
#include "plot_reference.h"

#include <QCoreApplication>
#include <QImage>
#include <QKeyEvent>
#include <QPaintEvent>
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

using PaintFunction = void (*)(QPainter&, const LessonState&, int, int);

void Repaint(benchmark::State& state, LessonState lesson, qreal ratio, PaintFunction paint)
{
    QImage image(QSize(kArea, kArea) * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    for (auto _ : state) {
        QPainter painter(&image);
        paint(painter, lesson, kArea, kArea);
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}

// Paints the plot area the straightforward way instead of the paint box's own
// paint event, while it is installed.
class ReferencePainting : public QObject {
public:
    explicit ReferencePainting(TSessen_Form& form) : form_(form)
    {
        form_.PaintBox1->installEventFilter(this);
    }
    ~ReferencePainting() override { form_.PaintBox1->removeEventFilter(this); }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != form_.PaintBox1 || event->type() != QEvent::Paint)
            return false;
        QPainter painter(form_.PaintBox1);
        painter.scale(form_.layoutScale(), form_.layoutScale());
        PaintPlotReference(painter, form_.lesson(), kArea, kArea);
        return true;
    }

private:
    TSessen_Form& form_;
};

// The window the slider cases drive (bench_window.h), with both toggles on.
TSessen_Form* theForm = nullptr;

// One notification per iteration, walking the slider to and fro over its
// whole travel, as a drag does; with the whole lesson drawn `layoutScale`
// times larger, as presentation mode does, in a window that shows it all.
void Slide(benchmark::State& state, Does slider, bool reference, qreal layoutScale,
           bool slopeCurve = false)
{
    TSessen_Form& form = *theForm;
    // D, as the pupil presses it, shows the slope curve and hides it again.
    const auto pressD = [&form] {
        QKeyEvent key(QEvent::KeyPress, Qt::Key_D, Qt::NoModifier, QStringLiteral("d"));
        QCoreApplication::sendEvent(&form, &key);
    };
    if (slopeCurve)
        pressD();
    form.setLayoutScale(layoutScale);
    form.resize(QSize(1024, 768) * layoutScale);
    std::unique_ptr<ReferencePainting> straight;
    if (reference)
        straight = std::make_unique<ReferencePainting>(form);
    int zoom = 51;
    form.scroll(*FindControlRow(Does::Zoom), ScrollCode::Track, zoom);
    // Stepped as the pupil drags its thumb: the bar takes the position and
    // tells the window, which draws the step; the bar itself is drawn with
    // the next step's picture.
    auto* bar = static_cast<QAbstractSlider*>(ControlOf(form, *FindControlRow(slider)));
    int position = 0;
    int direction = 1;
    for (auto _ : state) {
        int scrollPos = position;
        bar->setSliderPosition(scrollPos);
        if (position + direction < 0 || position + direction > 100)
            direction = -direction;
        position += direction;
    }
    form.setLayoutScale(1);
    form.resize(1024, 768);
    if (slopeCurve)
        pressD();
}

// Ctrl+C: the core writes the drawing, Qt renders the picture from it at
// twice the plot's size and the clipboard takes both with the equations;
// and the drawing alone, as the page asks the core for it.
void CopyPlot(benchmark::State& state)
{
    for (auto _ : state)
        theForm->copyPlot();
}

void WriteSvg(benchmark::State& state)
{
    SvgOptions options;
    options.plotSize = kArea;
    for (auto _ : state)
        benchmark::DoNotOptimize(PlotSvg(theForm->lesson(), options));
}

void RegisterAll(qreal ratio)
{
    const std::string scale = "scale:" + QString::number(ratio).toStdString();
    struct Way {
        const char* name;
        PaintFunction paint;
        bool reference;
    };
    const std::array<Way, 2> ways{
        {{"", &PaintPlot, false}, {"Reference/", &PaintPlotReference, true}}};
    for (const Way& way : ways) {
        for (const Cubic& cubic : kCubics) {
            for (const int32_t zoom : kZooms) {
                const std::string name = std::string("Repaint/") + way.name + cubic.name +
                                         "/ZahyoMax:" + std::to_string(zoom) + "/" + scale;
                benchmark::RegisterBenchmark(name.c_str(), Repaint, BusyLesson(cubic, zoom), ratio,
                                             way.paint);
            }
        }
    }
    for (const Way& way : ways) {
        benchmark::RegisterBenchmark((std::string("TangentSlider/") + way.name + scale).c_str(),
                                     Slide, Does::MoveTangent, way.reference, 1.0, false);
        benchmark::RegisterBenchmark((std::string("ZoomSlider/") + way.name + scale).c_str(), Slide,
                                     Does::Zoom, way.reference, 1.0, false);
        // With the slope curve, which belongs to the cached base: only its
        // point and guide move with the tangent point.
        benchmark::RegisterBenchmark(
            (std::string("TangentSlider/") + way.name + "slope/" + scale).c_str(), Slide,
            Does::MoveTangent, way.reference, 1.0, true);
    }
    // Presentation mode on a 1920 x 1080 and a 3840 x 2160 screen, whose own
    // scale is 1; the picture of the plot, which is the same at every scale.
    if (ratio != 1)
        return;
    benchmark::RegisterBenchmark("Paper/Copy", CopyPlot)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("Paper/Svg", WriteSvg)->Unit(benchmark::kMillisecond);
    for (const char* factor : {"1.40625", "2.8125"}) {
        for (const Way& way : ways) {
            benchmark::RegisterBenchmark(
                (std::string("TangentSlider/") + way.name + "presentation:" + factor).c_str(),
                Slide, Does::MoveTangent, way.reference, std::stod(factor), false);
        }
    }
}

} // namespace

int main(int argc, char** argv)
{
    return RunWithWindow(argc, argv, [](TSessen_Form& form) {
        form.Syokika(&form);
        form.press(*FindControlRow(Does::SecondTangent));
        form.press(*FindControlRow(Does::Chord));
        theForm = &form;
        RegisterAll(form.devicePixelRatioF());
    });
}
