#pragma once

#include "lesson/lesson_state.h"

#include <cstdint>
#include <vector>

// The plot as sound, as data: what a pupil who cannot see the plot hears when
// the curve (or a tangent) is played from the left edge of the view to the
// right. Time runs with x, pitch rises with y on a logarithmic scale from the
// bottom of the view to its top, the sound moves from the left ear to the
// right with x, a quiet static lies under the tone while y is below the x
// axis, and the tone falls silent where the line leaves the view. Short
// signal sounds ("earcons") mark the points the lesson is about.

inline constexpr int32_t kSampleRate = 48000;        // samples per second and channel
inline constexpr int32_t kTraceStepsPerSecond = 400; // the trace's points per second
inline constexpr double kTraceSeconds = 3;           // left edge to right edge
inline constexpr double kLowestPitch = 200;          // Hz at the bottom of the view
inline constexpr double kHighestPitch = 2000;        // Hz at the top of the view

// The points a trace marks, each with a sound of its own.
enum class EarconKind : uint8_t {
    AxisCrossing,       // the line crosses the x axis
    Inflection,         // the inflection point
    TangentPoint,       // the tangent point: where the tangent touches the curve
    SecondTangentPoint, // the symmetric point, while the second tangent is shown
};

// One point of a trace, kTraceStepsPerSecond apart in time.
struct TracePoint {
    double x = 0;
    double y = 0;
    bool inView = false; // the tone sounds only while y is within the view
    bool below = false;  // y < 0: the static sounds
    double pitch = 0;    // Hz, while in view; 0 outside
    double pan = 0;      // -1 at the left edge of the view, 1 at the right
};

struct Earcon {
    EarconKind kind = EarconKind::AxisCrossing;
    double seconds = 0; // from the start of the trace
    double pan = 0;
};

struct SoundTrace {
    double seconds = 0; // from the first point to the last
    std::vector<TracePoint> points;
    std::vector<Earcon> earcons; // in time order
};

// The pitch of height y in a view of scale zahyoMax (from -zahyoMax / 2 to
// +zahyoMax / 2): kLowestPitch at the bottom edge, kHighestPitch at the top,
// equal steps of y giving equal musical intervals.
double PitchOfHeight(double y, int32_t zahyoMax);

// The pitch of the tangent step's tone for slope m: the geometric middle of
// the range for a flat tangent, higher for rising slopes, lower for falling
// ones, approaching the range's ends as the tangent turns upright.
double PitchOfSlope(double m);

// The lesson's confirmed curve, left to right across the view, in about
// `seconds`: marked where it crosses the x axis, at the inflection point, at
// the tangent point while the tangent is drawn and at the symmetric point
// while the second tangent is shown, each where it lies in the view.
SoundTrace CurveTrace(const LessonState& lesson, double seconds = kTraceSeconds);

// The slope curve y' = f'(x) the same way: it crosses the x axis where the
// curve turns, and is marked under the tangent point at the height of the
// tangent's slope.
SoundTrace SlopeCurveTrace(const LessonState& lesson, double seconds = kTraceSeconds);

// The tangent at the tangent point the same way: a straight glide whose
// steepness is the slope, marked where it touches the curve and where it
// crosses the x axis. Empty while the tangent is not drawn.
SoundTrace TangentTrace(const LessonState& lesson, double seconds = kTraceSeconds);
