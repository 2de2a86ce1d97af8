#include "sound/synthesizer.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <span>

namespace {
constexpr int32_t kSamplesPerStep = kSampleRate / kTraceStepsPerSecond;
static_assert(kSamplesPerStep * kTraceStepsPerSecond == kSampleRate);

// The tone fades in and out over 5 ms where the line enters or leaves the
// view, so that it starts and stops without a click.
constexpr double kFadeStep = 1.0 / (0.005 * kSampleRate);
// Where the last earcon rings out after the trace.
constexpr double kTailSeconds = 0.2;

// sin(2 pi turns) from an odd polynomial on the quarter turn either side of
// zero; the sine of every other turn is folded onto it. Within 1e-7 of the
// true sine, and the same on every machine.
double SineOfTurns(double turns)
{
    double t = turns - std::floor(turns); // 0 <= t < 1
    if (t >= 0.75)
        t -= 1;
    else if (t >= 0.25)
        t = 0.5 - t;
    const double a = 2 * 3.14159265358979323846 * t; // -pi/2 .. pi/2
    const double a2 = a * a;
    double p = -1.0 / 39916800;
    p = p * a2 + 1.0 / 362880;
    p = p * a2 - 1.0 / 5040;
    p = p * a2 + 1.0 / 120;
    p = p * a2 - 1.0 / 6;
    p = p * a2 + 1;
    return a * p;
}

// Equal-power stereo gains for pan -1 (left) .. 1 (right).
struct Gains {
    double left = 0;
    double right = 0;
};

Gains GainsOf(double pan)
{
    const double turns = (std::clamp(pan, -1.0, 1.0) + 1) / 8; // 0 .. a quarter turn
    return Gains{SineOfTurns(0.25 - turns), SineOfTurns(turns)};
}

// The static: a fixed xorshift sequence, the same at every start.
class Static {
public:
    double next()
    {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return static_cast<double>(static_cast<int32_t>(state_)) / 2147483648.0;
    }

private:
    uint32_t state_ = 0x9E3779B9u;
};

struct EarconShape {
    int pips;
    double pipSeconds;
    double gapSeconds;
};

EarconShape ShapeOf(EarconKind kind)
{
    switch (kind) {
    case EarconKind::AxisCrossing:
        return {1, 0.05, 0};
    case EarconKind::Inflection:
        return {2, 0.025, 0.025};
    case EarconKind::TangentPoint:
        return {1, 0.12, 0};
    case EarconKind::SecondTangentPoint:
        return {3, 0.02, 0.02};
    }
    return {1, 0.05, 0};
}

void Put(std::span<float> out, std::size_t frame, double value, Gains gains)
{
    const std::size_t at = 2 * frame;
    if (at + 1 >= out.size())
        return;
    out[at] = static_cast<float>(static_cast<double>(out[at]) + value * gains.left);
    out[at + 1] = static_cast<float>(static_cast<double>(out[at + 1]) + value * gains.right);
}

// A pip: a 2 ms rise, then a fall with the square of the time left.
double PipEnvelope(double k, double length)
{
    const double rise = 0.002 * kSampleRate;
    if (k < rise)
        return k / rise;
    const double left = 1 - (k - rise) / (length - rise);
    return left * left;
}

void AddEarcon(std::span<float> out, const Earcon& earcon)
{
    const EarconShape shape = ShapeOf(earcon.kind);
    const double pitch = EarconPitch(earcon.kind);
    const Gains gains = GainsOf(earcon.pan);
    const auto start = static_cast<std::size_t>(std::lround(earcon.seconds * kSampleRate));
    const auto pipLength = std::lround(shape.pipSeconds * kSampleRate);
    const auto period = std::lround((shape.pipSeconds + shape.gapSeconds) * kSampleRate);
    for (int pip = 0; pip < shape.pips; ++pip) {
        const std::size_t first = start + static_cast<std::size_t>(pip * period);
        for (long k = 0; k < pipLength; ++k) {
            const double turns = pitch * static_cast<double>(k) / kSampleRate;
            const double envelope =
                PipEnvelope(static_cast<double>(k), static_cast<double>(pipLength));
            Put(out, first + static_cast<std::size_t>(k),
                kEarconLevel * envelope * SineOfTurns(turns), gains);
        }
    }
}
} // namespace

double EarconPitch(EarconKind kind)
{
    switch (kind) {
    case EarconKind::AxisCrossing:
        return 3000;
    case EarconKind::Inflection:
        return 3800;
    case EarconKind::TangentPoint:
        return 5000;
    case EarconKind::SecondTangentPoint:
        return 4400;
    }
    return 3000;
}

std::size_t Synthesizer::TraceFrames(const SoundTrace& trace)
{
    const std::size_t steps = trace.points.empty() ? 0 : trace.points.size() - 1;
    return steps * kSamplesPerStep +
           static_cast<std::size_t>(std::lround(kTailSeconds * kSampleRate));
}

std::vector<float> Synthesizer::Trace(const SoundTrace& trace)
{
    std::vector<float> out(2 * TraceFrames(trace), 0.0f);
    TraceInto(trace, out);
    return out;
}

void Synthesizer::TraceInto(const SoundTrace& trace, std::span<float> out)
{
    const std::size_t steps = trace.points.empty() ? 0 : trace.points.size() - 1;
    Static noise;
    double turns = 0; // the oscillator's phase
    double gain = 0;  // the tone's fade
    for (std::size_t i = 0; i < steps; ++i) {
        const TracePoint& p = trace.points[i];
        const TracePoint& q = trace.points[i + 1];
        const bool sounding = p.inView && q.inView;
        // Within a step the pitch glides geometrically from point to point;
        // at the view's edge it holds the pitch of the point inside.
        double pitch = p.inView ? p.pitch : q.pitch;
        double ratio = 1;
        if (sounding)
            ratio = std::exp(std::log(q.pitch / p.pitch) / kSamplesPerStep);
        const Gains from = GainsOf(p.pan);
        const Gains to = GainsOf(q.pan);
        for (int32_t k = 0; k < kSamplesPerStep; ++k) {
            const double along = static_cast<double>(k) / kSamplesPerStep;
            const Gains gains{from.left + (to.left - from.left) * along,
                              from.right + (to.right - from.right) * along};
            gain = sounding ? std::min(1.0, gain + kFadeStep) : std::max(0.0, gain - kFadeStep);
            double value = 0;
            if (gain > 0)
                value = kToneLevel * gain * SineOfTurns(turns);
            // The static sounds exactly over the steps that start below the axis.
            if (p.below)
                value += kStaticLevel * noise.next();
            Put(out, i * kSamplesPerStep + static_cast<std::size_t>(k), value, gains);
            if (pitch > 0) {
                turns += pitch / kSampleRate;
                turns -= std::floor(turns);
            }
            pitch *= ratio;
        }
    }
    // The tone fades out after the last point, where it was still sounding.
    if (!trace.points.empty() && gain > 0) {
        const TracePoint& last = trace.points.back();
        const Gains gains = GainsOf(last.pan);
        for (std::size_t k = 0; gain > 0; ++k) {
            gain = std::max(0.0, gain - kFadeStep);
            Put(out, steps * kSamplesPerStep + k, kToneLevel * gain * SineOfTurns(turns), gains);
            turns += last.pitch / kSampleRate;
            turns -= std::floor(turns);
        }
    }
    for (const Earcon& earcon : trace.earcons)
        AddEarcon(out, earcon);
}

std::vector<float> Synthesizer::SlopeTone(double pitch, double pan)
{
    const auto frames = static_cast<std::size_t>(std::lround(0.12 * kSampleRate));
    const double rise = 0.005 * kSampleRate;
    const double fall = 0.03 * kSampleRate;
    const Gains gains = GainsOf(pan);
    std::vector<float> out(2 * frames, 0.0f);
    for (std::size_t k = 0; k < frames; ++k) {
        const double at = static_cast<double>(k);
        const double envelope =
            std::min({1.0, at / rise, (static_cast<double>(frames) - at) / fall});
        Put(out, k, kToneLevel * envelope * SineOfTurns(pitch * at / kSampleRate), gains);
    }
    return out;
}
