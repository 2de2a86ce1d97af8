#include "sound/lesson_sound.h"

#include "lesson/curve_formulas.h"
#include "sound/synthesizer.h"

#include <algorithm>

std::vector<float> SoundOf(const LessonState& lesson, SoundCue cue)
{
    switch (cue) {
    case SoundCue::None:
    case SoundCue::Stop:
        return {};
    case SoundCue::Curve:
        return Synthesizer::Trace(CurveTrace(lesson));
    case SoundCue::TangentThenCurve: {
        const SoundTrace tangent = TangentTrace(lesson);
        // A tangent that is not drawn is not heard either: the curve alone.
        if (tangent.points.empty())
            return Synthesizer::Trace(CurveTrace(lesson));
        std::vector<float> samples = Synthesizer::Trace(tangent);
        const std::vector<float> gap = Synthesizer::Silence(kPieceGapSeconds);
        const std::vector<float> curve = Synthesizer::Trace(CurveTrace(lesson));
        samples.insert(samples.end(), gap.begin(), gap.end());
        samples.insert(samples.end(), curve.begin(), curve.end());
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
