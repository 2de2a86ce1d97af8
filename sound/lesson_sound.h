#pragma once

#include "lesson/lesson_state.h"

#include <cstdint>
#include <vector>

// What an edition is to do with its sound after an event.
enum class SoundCue : uint8_t {
    None,             // go on with whatever plays
    Open,             // the sound was switched on: make ready to play
    Stop,             // stop what plays
    Curve,            // play the curve across the view
    TangentThenCurve, // play the tangent, then the curve
    SlopeStep,        // the tangent point moved: the short tone of its slope
    SlopeCurve,       // play the slope curve across the view
};

// The samples of a cue for the lesson as it stands (interleaved stereo float
// at kSampleRate, sound/synthesizer.h); empty for None, Open and Stop.
std::vector<float> SoundOf(const LessonState& lesson, SoundCue cue);

// The pause between the tangent and the curve.
inline constexpr double kPieceGapSeconds = 0.4;

// What the editions say about the sound, and the plot's two actions for
// screen readers. UTF-8.
inline constexpr const char* kSoundOn =
    "音をオンにしました。H で曲線、Shift+H で接線と曲線を聞けます。Escape で止めます";
inline constexpr const char* kSoundOff = "音をオフにしました";
inline constexpr const char* kSoundIsOff = "音はオフです。Alt+T でオンにします";
inline constexpr const char* kNoAudioDevice = "音を出せる装置がありません";
inline constexpr const char* kHearCurveAction = "曲線を音で聞く";
inline constexpr const char* kHearTangentAction = "接線を音で聞く";
