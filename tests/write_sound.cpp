// Writes what the core plays for one lesson, for the tests that hear the
// editions play it: the curve's trace as JSON (its points' times, pitches,
// and where the static sounds; its earcons), and the samples of H and Shift+H
// as raw little-endian float files.
//
//   write_sound A,B,C,D OUT.json OUT_DIR
//
// for y = Ax^3 + Bx^2 + Cx + D confirmed at the starting view; the samples go to
// OUT_DIR/curve.f32 and OUT_DIR/tangent_then_curve.f32 (OUT_DIR is made if
// it is not there).

#include "lesson_builders.h"
#include "sound/lesson_sound.h"
#include "sound/sound_trace.h"
#include "sound/synthesizer.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>

namespace {
void WriteSamples(const std::string& path, const std::vector<float>& samples)
{
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(samples.data()),
               static_cast<std::streamsize>(samples.size() * sizeof(float)));
}
} // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::cerr << "usage: write_sound A,B,C,D OUT.json OUT_DIR\n";
        return 2;
    }
    int a = 0, b = 0, c = 0, d = 0;
    if (std::sscanf(argv[1], "%d,%d,%d,%d", &a, &b, &c, &d) != 4)
        return 2;
    std::filesystem::create_directories(argv[3]);
    const LessonState lesson = ConfirmedLesson(a, b, c, d, 20);
    // Each point's pitch (0: silent) and whether the static sounds.
    const SoundTrace trace = CurveTrace(lesson);
    std::ofstream out(argv[2]);
    out.precision(17);
    out << "{\"stepsPerSecond\":" << kTraceStepsPerSecond << ",\"seconds\":" << trace.seconds
        << ",\"points\":[";
    for (const TracePoint& p : trace.points)
        out << (&p == trace.points.data() ? "" : ",") << "[" << p.pitch << "," << p.below << "]";
    out << "],\"earcons\":[";
    for (const Earcon& e : trace.earcons) {
        out << (&e == trace.earcons.data() ? "" : ",") << "{\"seconds\":" << e.seconds
            << ",\"pitch\":" << EarconPitch(e.kind) << "}";
    }
    out << "]}\n";
    const std::string dir = argv[3];
    WriteSamples(dir + "/curve.f32", SoundOf(lesson, SoundCue::Curve));
    WriteSamples(dir + "/tangent_then_curve.f32", SoundOf(lesson, SoundCue::TangentThenCurve));
    return out ? 0 : 1;
}
