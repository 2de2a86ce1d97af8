#include "plot/plot_layers.h"

#include "lesson/colors.h"
#include "lesson/curve.h"
#include "plot/dashes.h"
#include "plot/layer_arithmetic.h"

namespace {
constexpr int kCurvePoints = 1000;

// The curve's x values: x advances before each point, so the rounding of the
// single sums accumulates and the first point is one step in from -ZahyoMax.
template <typename PointAt> std::vector<DotPoint> CurvePoints(int32_t max, PointAt pointAt)
{
    float x = static_cast<float>(-max);
    const float step = CurveStepOf<Extended>(max);
    std::vector<DotPoint> points;
    points.reserve(kCurvePoints);
    for (int k = 0; k < kCurvePoints; ++k) {
        x = NextCurveXOf<Extended>(x, step);
        points.push_back(pointAt(x));
    }
    return points;
}
} // namespace

PlotLayers::PlotLayers(PlotRecorder& recorder, const LessonState& lesson)
    : out_(recorder), lesson_(lesson),
      mapping_(lesson.ZahyoMax, recorder.geometry().width, recorder.geometry().height)
{
}

void PlotLayers::ZahyoHeimen_Draw()
{
    out_.setPenColor(Bgr::Silver);
    out_.fillAreaOutlined();

    const int32_t max = lesson_.ZahyoMax;
    for (int32_t i = -max; i <= max; ++i) {
        const DotPoint p1 = mapping_.Map(static_cast<float>(i), static_cast<float>(-max));
        const DotPoint p2 = mapping_.Map(static_cast<float>(i), static_cast<float>(max));
        out_.setPenColor(i == 0 ? Bgr::Black : Bgr::Silver);
        // The vertical line x = i, then the horizontal one from the same end
        // points with x and y exchanged: the area is square, so that row is
        // the one of y = -i.
        out_.moveTo(p1);
        out_.lineTo(p2);
        out_.moveTo(DotPoint{p1.y, p1.x});
        out_.lineTo(DotPoint{p2.y, p2.x});
    }
}

void PlotLayers::Kyokusen_Dsp(int32_t a, int32_t b, int32_t c, int32_t d)
{
    out_.setPenColor(Bgr::Red);
    out_.setPenWidth(2);

    out_.polyline(CurvePoints(lesson_.ZahyoMax, [&](float x) {
        return mapping_.Map(x, static_cast<float>(CubicValue(a, b, c, d, x)));
    }));

    out_.setPenWidth(1);
}

void PlotLayers::Doukansu_Dsp()
{
    out_.setPenColor(Bgr::Teal);
    out_.setPenWidth(2);
    const std::vector<DotPoint> line = CurvePoints(lesson_.ZahyoMax, [&](float x) {
        return mapping_.Map(x, static_cast<float>(Dfx(lesson_, x)));
    });
    const PlotGeometry& area = out_.geometry();
    // Cut beyond the reach of the pen's round caps only.
    for (const std::vector<DotPoint>& dash : DashesOf(line, area.width, area.height, 2))
        out_.polyline(dash);
    out_.setPenWidth(1);
}

void PlotLayers::DoukansuTen_Dsp(TZahyoR p)
{
    const float x0 = p.x;
    const DotPoint onCurve = mapping_.Map(x0, static_cast<float>(Fx(lesson_, x0)));
    const DotPoint slope = mapping_.Map(x0, static_cast<float>(Dfx(lesson_, x0)));
    out_.setPenColor(Bgr::Teal);
    out_.moveTo(onCurve);
    out_.lineTo(slope);
    out_.setPenWidth(5);
    out_.dot(slope);
    out_.setPenWidth(1);
}

void PlotLayers::Tenvori_Dsp(TZahyoR p)
{
    const TZahyoR q = mapping_.ZahyotoDot(p);
    out_.setPenColor(Bgr::Lime);
    out_.setPenWidth(5);
    out_.dot(ZahyoRtoPoint(q));
    out_.setPenWidth(1);
}

void PlotLayers::tangentAt(float x, float y)
{
    const int32_t max = lesson_.ZahyoMax;
    const Extended m = Dfx(lesson_, x);
    const float leftY = TangentEndYOf(x, y, m, -max);
    const float rightY = TangentEndYOf(x, y, m, max);
    out_.moveTo(mapping_.Map(static_cast<float>(-max), leftY));
    out_.lineTo(mapping_.Map(static_cast<float>(max), rightY));
}

bool TangentLayerShown(const LessonState& lesson, TZahyoR p)
{
    // Only the tangent point's height hides the layer: a point far above or
    // below would give nothing to look at. Equality still draws.
    return TangentShownOf<Extended>(lesson.ZahyoMax, p.y);
}

void PlotLayers::Sessen_Dsp(TZahyoR p)
{
    if (!TangentLayerShown(lesson_, p))
        return;

    const float x0 = p.x;
    const float y0 = static_cast<float>(Fx(lesson_, x0));
    out_.setPenColor(Bgr::Blue);
    tangentAt(x0, y0);

    // The point symmetric to the tangent point about the inflection point.
    const float x1 = SymmetricXOf<Extended>(lesson_.TenvoriPt.x, x0);
    if (lesson_.SessenSu2) {
        out_.setPenColor(Bgr::Purple);
        tangentAt(x1, static_cast<float>(Fx(lesson_, x1)));
    }
    if (lesson_.HojosenAri) {
        out_.setPenColor(Bgr::Green);
        out_.moveTo(mapping_.Map(x0, y0));
        out_.lineTo(mapping_.Map(x1, static_cast<float>(Fx(lesson_, x1))));
    }
}

namespace {
enum class Layers { Base, Tangent, All };

PlotGeometry Record(const LessonState& lesson, int32_t width, int32_t height, Layers layers)
{
    PlotRecorder recorder(width, height);
    if (lesson.ZahyoMax <= 0) {
        // No lesson yet: every mapping would divide by zero.
        if (layers != Layers::Tangent) {
            recorder.setPenColor(Bgr::Silver);
            recorder.fillAreaOutlined();
        }
        return recorder.take();
    }
    PlotLayers plot(recorder, lesson);
    if (layers != Layers::Tangent) {
        plot.ZahyoHeimen_Draw();
        if (lesson.DoukansuAri)
            plot.Doukansu_Dsp();
        plot.Kyokusen_Dsp(lesson.Keisu[1], lesson.Keisu[2], lesson.Keisu[3], lesson.Keisu[4]);
        plot.Tenvori_Dsp(lesson.TenvoriPt);
    }
    if (layers != Layers::Base) {
        plot.Sessen_Dsp(lesson.SettenPt);
        if (lesson.DoukansuAri)
            plot.DoukansuTen_Dsp(lesson.SettenPt);
    }
    return recorder.take();
}
} // namespace

PlotGeometry PlotOf(const LessonState& lesson, int32_t width, int32_t height)
{
    return Record(lesson, width, height, Layers::All);
}

PlotGeometry PlotBaseOf(const LessonState& lesson, int32_t width, int32_t height)
{
    return Record(lesson, width, height, Layers::Base);
}

PlotGeometry TangentLayerOf(const LessonState& lesson, int32_t width, int32_t height)
{
    return Record(lesson, width, height, Layers::Tangent);
}
