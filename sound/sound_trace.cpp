#include "sound/sound_trace.h"

#include "lesson/curve_formulas.h"
#include "plot/layer_arithmetic.h"
#include "plot/plot_layers.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>

namespace {
using Height = std::function<double(double)>;

// The view from -half to +half in both directions.
double HalfView(int32_t zahyoMax)
{
    return static_cast<double>(zahyoMax) / 2;
}

bool InView(double x, double y, int32_t zahyoMax)
{
    return std::fabs(x) <= HalfView(zahyoMax) && std::fabs(y) <= HalfView(zahyoMax);
}

int Sign(double y)
{
    return y < 0 ? -1 : (y > 0 ? 1 : 0);
}

// Where height crosses zero between x0 and x1, whose heights have the
// opposite signs s0 and -s0: halved until the interval cannot shrink.
double RootBetween(const Height& height, double x0, double x1, int s0)
{
    for (int k = 0; k < 80; ++k) {
        const double mid = (x0 + x1) / 2;
        if (mid <= x0 || mid >= x1)
            break;
        const double y = height(mid);
        if (y == 0)
            return mid;
        if (Sign(y) == s0)
            x0 = mid;
        else
            x1 = mid;
    }
    return (x0 + x1) / 2;
}

class TraceBuilder {
public:
    TraceBuilder(int32_t zahyoMax, double seconds) : zahyoMax_(zahyoMax)
    {
        steps_ = std::max(1L, std::lround(seconds * kTraceStepsPerSecond));
        trace_.seconds = static_cast<double>(steps_) / kTraceStepsPerSecond;
    }

    // Every point of the line, and an earcon wherever it crosses the x axis.
    void sweep(const Height& height)
    {
        trace_.points.reserve(static_cast<std::size_t>(steps_) + 1);
        int lastSign = 0;
        double lastX = 0;
        for (long i = 0; i <= steps_; ++i) {
            const double x = -HalfView(zahyoMax_) + static_cast<double>(zahyoMax_) *
                                                        static_cast<double>(i) /
                                                        static_cast<double>(steps_);
            const double y = height(x);
            TracePoint p;
            p.x = x;
            p.y = y;
            p.inView = InView(x, y, zahyoMax_);
            p.below = y < 0;
            p.pitch = p.inView ? PitchOfHeight(y, zahyoMax_) : 0;
            p.pan = panOf(x);
            trace_.points.push_back(p);
            // A sign change since the last height that was not zero is a
            // crossing; a line that only touches the axis does not cross it.
            const int sign = Sign(y);
            if (sign != 0) {
                if (lastSign != 0 && sign != lastSign)
                    mark(EarconKind::AxisCrossing, RootBetween(height, lastX, x, lastSign));
                lastSign = sign;
                lastX = x;
            }
        }
    }

    // An earcon at the point (x, y), if it lies in the view.
    void markPoint(EarconKind kind, double x, double y)
    {
        if (InView(x, y, zahyoMax_))
            mark(kind, x);
    }

    SoundTrace take()
    {
        std::stable_sort(trace_.earcons.begin(), trace_.earcons.end(),
                         [](const Earcon& a, const Earcon& b) { return a.seconds < b.seconds; });
        return std::move(trace_);
    }

private:
    double panOf(double x) const { return std::clamp(x / HalfView(zahyoMax_), -1.0, 1.0); }

    void mark(EarconKind kind, double x)
    {
        const double along = (x + HalfView(zahyoMax_)) / static_cast<double>(zahyoMax_);
        trace_.earcons.push_back(Earcon{kind, along * trace_.seconds, panOf(x)});
    }

    int32_t zahyoMax_;
    long steps_ = 1;
    SoundTrace trace_;
};

double CurveHeight(const LessonState& lesson, double x)
{
    return CubicOf<double>(lesson.Keisu[1], lesson.Keisu[2], lesson.Keisu[3], lesson.Keisu[4],
                           static_cast<float>(x));
}

double Slope(const LessonState& lesson, float x)
{
    return SlopeOf<double>(lesson.DfA, lesson.DfB, lesson.DfC, x);
}

bool Playable(const LessonState& lesson)
{
    return lesson.ZahyoMax > 0 && lesson.Keisu[1] != 0;
}
} // namespace

double PitchOfHeight(double y, int32_t zahyoMax)
{
    const double along = (y + HalfView(zahyoMax)) / static_cast<double>(zahyoMax);
    return kLowestPitch * std::pow(kHighestPitch / kLowestPitch, along);
}

double PitchOfSlope(double m)
{
    // The slope's angle, -90 to +90 degrees, spread evenly over the range's
    // intervals: a slope of 1 lies halfway between flat and upright.
    const double middle = std::sqrt(kLowestPitch * kHighestPitch);
    const double turn = std::atan(m) / std::numbers::pi; // -1/2 .. 1/2
    return middle * std::pow(kHighestPitch / kLowestPitch, turn);
}

SoundTrace CurveTrace(const LessonState& lesson, double seconds)
{
    TraceBuilder builder(lesson.ZahyoMax, seconds);
    if (!Playable(lesson))
        return builder.take();
    builder.sweep([&lesson](double x) { return CurveHeight(lesson, x); });
    builder.markPoint(EarconKind::Inflection, lesson.TenvoriPt.x, lesson.TenvoriPt.y);
    if (TangentLayerShown(lesson, lesson.SettenPt)) {
        builder.markPoint(EarconKind::TangentPoint, lesson.SettenPt.x, lesson.SettenPt.y);
        if (lesson.SessenSu2) {
            const float x1 = SymmetricXOf<double>(lesson.TenvoriPt.x, lesson.SettenPt.x);
            builder.markPoint(EarconKind::SecondTangentPoint, x1, CurveHeight(lesson, x1));
        }
    }
    return builder.take();
}

SoundTrace SlopeCurveTrace(const LessonState& lesson, double seconds)
{
    TraceBuilder builder(lesson.ZahyoMax, seconds);
    if (!Playable(lesson))
        return builder.take();
    builder.sweep([&lesson](double x) { return Slope(lesson, static_cast<float>(x)); });
    builder.markPoint(EarconKind::TangentPoint, lesson.SettenPt.x,
                      Slope(lesson, lesson.SettenPt.x));
    return builder.take();
}

SoundTrace TangentTrace(const LessonState& lesson, double seconds)
{
    TraceBuilder builder(lesson.ZahyoMax, seconds);
    if (!Playable(lesson) || !TangentLayerShown(lesson, lesson.SettenPt))
        return builder.take();
    const double x0 = lesson.SettenPt.x;
    const double y0 = lesson.SettenPt.y;
    const double m = Slope(lesson, lesson.SettenPt.x);
    builder.sweep([=](double x) { return y0 + m * (x - x0); });
    builder.markPoint(EarconKind::TangentPoint, x0, y0);
    return builder.take();
}
