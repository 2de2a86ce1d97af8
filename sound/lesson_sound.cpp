#include "sound/lesson_sound.h"

#include "lesson/curve_formulas.h"
#include "sound/synthesizer.h"

#include <algorithm>
#include <cmath>
#include <span>

std::vector<float> SoundOf(const LessonState& lesson, SoundCue cue)
{
    switch (cue) {
    case SoundCue::None:
    case SoundCue::Open:
    case SoundCue::Stop:
        return {};
    case SoundCue::Curve:
        return Synthesizer::Trace(CurveTrace(lesson));
    case SoundCue::SlopeCurve:
        return Synthesizer::Trace(SlopeCurveTrace(lesson));
    case SoundCue::TangentThenCurve: {
        const SoundTrace tangent = TangentTrace(lesson);
        // A tangent that is not drawn is not heard either: the curve alone.
        if (tangent.points.empty())
            return Synthesizer::Trace(CurveTrace(lesson));
        const SoundTrace curve = CurveTrace(lesson);
        const std::size_t first = 2 * Synthesizer::TraceFrames(tangent);
        const std::size_t gap =
            2 * static_cast<std::size_t>(std::lround(kPieceGapSeconds * kSampleRate));
        std::vector<float> samples(first + gap + 2 * Synthesizer::TraceFrames(curve), 0.0f);
        const std::span<float> all(samples);
        Synthesizer::TraceInto(tangent, all.first(first));
        Synthesizer::TraceInto(curve, all.subspan(first + gap));
        return samples;
    }
    case SoundCue::SlopeStep: {
        if (lesson.ZahyoMax <= 0)
            return {};
        const double m = SlopeOf<double>(lesson.DfA, lesson.DfB, lesson.DfC, lesson.SettenPt.x);
        const double pan =
            std::clamp(2 * static_cast<double>(lesson.SettenPt.x) / lesson.ZahyoMax, -1.0, 1.0);
        return Synthesizer::SlopeTone(PitchOfSlope(m), pan);
    }
    }
    return {};
}
