#include "plot/plot_layers.h"

#include "lesson/colors.h"
#include "lesson/curve.h"
#include "plot/layer_arithmetic.h"

namespace {
constexpr int kCurvePoints = 1000;
}

PlotLayers::PlotLayers(PlotCanvas& canvas, const LessonState& lesson)
    : canvas_(canvas), lesson_(lesson),
      mapping_(lesson.ZahyoMax, canvas.width(), canvas.height())
{
}

void PlotLayers::paintAll()
{
    if (lesson_.ZahyoMax <= 0) {
        // No lesson yet: every mapping would divide by zero.
        canvas_.setPenColor(Bgr::Silver);
        canvas_.fillAreaOutlined();
        return;
    }
    ZahyoHeimen_Draw();
    Kyokusen_Dsp(lesson_.Keisu[1], lesson_.Keisu[2], lesson_.Keisu[3], lesson_.Keisu[4]);
    Tenvori_Dsp(lesson_.TenvoriPt);
    Sessen_Dsp(lesson_.SettenPt);
}

void PlotLayers::ZahyoHeimen_Draw()
{
    canvas_.setPenColor(Bgr::Silver);
    canvas_.fillAreaOutlined();

    const int32_t max = lesson_.ZahyoMax;
    for (int32_t i = -max; i <= max; ++i) {
        const DotPoint p1 = mapping_.Map(static_cast<float>(i), static_cast<float>(-max));
        const DotPoint p2 = mapping_.Map(static_cast<float>(i), static_cast<float>(max));
        canvas_.setPenColor(i == 0 ? Bgr::Black : Bgr::Silver);
        // The vertical line x = i, then the horizontal one from the same end
        // points with x and y exchanged: the area is square, so that row is
        // the one of y = -i.
        canvas_.moveTo(p1);
        canvas_.lineTo(p2);
        canvas_.moveTo(DotPoint{p1.y, p1.x});
        canvas_.lineTo(DotPoint{p2.y, p2.x});
    }
}

void PlotLayers::Kyokusen_Dsp(int32_t a, int32_t b, int32_t c, int32_t d)
{
    canvas_.setPenColor(Bgr::Red);
    canvas_.setPenWidth(2);

    const int32_t max = lesson_.ZahyoMax;
    float x = static_cast<float>(-max);
    const float step = CurveStepOf<Extended>(max);
    QVector<QPoint> points;
    points.reserve(kCurvePoints);
    for (int k = 0; k < kCurvePoints; ++k) {
        // x advances before each point, so the rounding of the single sums
        // accumulates and the first point is one step in from -ZahyoMax.
        x = NextCurveXOf<Extended>(x, step);
        const float y = static_cast<float>(CubicValue(a, b, c, d, x));
        const DotPoint p = mapping_.Map(x, y);
        points.append(QPoint(p.x, p.y));
    }
    canvas_.polyline(points);

    canvas_.setPenWidth(1);
}

void PlotLayers::Tenvori_Dsp(TZahyoR p)
{
    const TZahyoR q = mapping_.ZahyotoDot(p);
    canvas_.setPenColor(Bgr::Lime);
    canvas_.setPenWidth(5);
    canvas_.dot(ZahyoRtoPoint(q));
    canvas_.setPenWidth(1);
}

void PlotLayers::tangentAt(float x, float y)
{
    const int32_t max = lesson_.ZahyoMax;
    const Extended m = Dfx(lesson_, x);
    const float leftY = TangentEndYOf(x, y, m, -max);
    const float rightY = TangentEndYOf(x, y, m, max);
    canvas_.moveTo(mapping_.Map(static_cast<float>(-max), leftY));
    canvas_.lineTo(mapping_.Map(static_cast<float>(max), rightY));
}

void PlotLayers::Sessen_Dsp(TZahyoR p)
{
    // Only the tangent point's height hides the layer: a point far above or
    // below would give nothing to look at. Equality still draws.
    if (!TangentShownOf<Extended>(lesson_.ZahyoMax, p.y))
        return;

    const float x0 = p.x;
    const float y0 = static_cast<float>(Fx(lesson_, x0));
    canvas_.setPenColor(Bgr::Blue);
    tangentAt(x0, y0);

    // The point symmetric to the tangent point about the inflection point.
    const float x1 = SymmetricXOf<Extended>(lesson_.TenvoriPt.x, x0);
    if (lesson_.SessenSu2) {
        canvas_.setPenColor(Bgr::Purple);
        tangentAt(x1, static_cast<float>(Fx(lesson_, x1)));
    }
    if (lesson_.HojosenAri) {
        canvas_.setPenColor(Bgr::Green);
        canvas_.moveTo(mapping_.Map(x0, y0));
        canvas_.lineTo(mapping_.Map(x1, static_cast<float>(Fx(lesson_, x1))));
    }
}

void PaintPlot(QPainter& painter, const LessonState& lesson, int width, int height, CanvasMode mode)
{
    PlotCanvas canvas(painter, width, height, mode);
    PlotLayers(canvas, lesson).paintAll();
}
