#pragma once

#include "sound/sound_trace.h"

#include <span>
#include <vector>

// Turns the sound's data into samples: interleaved stereo float, left then
// right, at kSampleRate, every value within -1..1. The oscillator, the static
// and the earcons use nothing but IEEE additions, multiplications and
// divisions (the program never lets the compiler contract or reorder them),
// so the same data give the same samples on every machine; only the one exp
// and log per trace step may differ in a last bit between C libraries. The
// desktop and the page play the same sound.
class Synthesizer {
public:
    // The samples of a trace, and a short tail where the last earcon rings
    // out.
    static std::vector<float> Trace(const SoundTrace& trace);
    // The same into out, which holds 2 * TraceFrames(trace) zeros: the
    // pieces of a longer sound are made in place, without copies (each new
    // page of memory costs a fault, which on some machines costs more than
    // the synthesis).
    static std::size_t TraceFrames(const SoundTrace& trace);
    static void TraceInto(const SoundTrace& trace, std::span<float> out);

    // The short tone the tangent point's step plays, at the pitch of its
    // slope, from where the point lies left to right.
    static std::vector<float> SlopeTone(double pitch, double pan);
};

// The loudness of the parts, for the tests that take the sound apart.
inline constexpr double kToneLevel = 0.25;
inline constexpr double kStaticLevel = 0.04;
inline constexpr double kEarconLevel = 0.3;

// The pitch of each earcon's pips, all above the trace's highest pitch so
// that none is mistaken for the line.
double EarconPitch(EarconKind kind);
