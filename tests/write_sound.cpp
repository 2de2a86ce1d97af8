// Writes what the core plays for lessons, for the tests that hear the
// editions play them: for each, in OUT_DIR/NAME, the curve's trace as JSON
// (each point's pitch, 0 where silent, and whether the static sounds; the
// earcons' times and pitches) and the samples of H and Shift+H as raw
// little-endian float files, curve.f32 and tangent_then_curve.f32.
//
//   write_sound OUT_DIR NAME:A,B,C,D ...
//
// for y = Ax^3 + Bx^2 + Cx + D confirmed at the starting view.

#include "lesson_builders.h"
#include "sound/lesson_sound.h"
#include "sound/synthesizer.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace {
void WriteSamples(const std::filesystem::path& path, const std::vector<float>& samples)
{
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(samples.data()),
               static_cast<std::streamsize>(samples.size() * sizeof(float)));
}
} // namespace

int main(int argc, char** argv)
{
    for (int k = 2; k < argc; ++k) {
        char name[64] = {};
        int a = 0, b = 0, c = 0, d = 0;
        if (std::sscanf(argv[k], "%63[^:]:%d,%d,%d,%d", name, &a, &b, &c, &d) != 5)
            return 2;
        const std::filesystem::path dir = std::filesystem::path(argv[1]) / name;
        std::filesystem::create_directories(dir);
        const LessonState lesson = ConfirmedLesson(a, b, c, d, 20);
        const SoundTrace trace = CurveTrace(lesson);
        std::ofstream out(dir / "trace.json");
        out.precision(17);
        out << "{\"stepsPerSecond\":" << kTraceStepsPerSecond << ",\"seconds\":" << trace.seconds
            << ",\"points\":[";
        for (const TracePoint& p : trace.points)
            out << (&p == trace.points.data() ? "" : ",") << "[" << p.pitch << "," << p.below
                << "]";
        out << "],\"earcons\":[";
        for (const Earcon& e : trace.earcons) {
            out << (&e == trace.earcons.data() ? "" : ",") << "{\"seconds\":" << e.seconds
                << ",\"pitch\":" << EarconPitch(e.kind) << "}";
        }
        out << "]}\n";
        WriteSamples(dir / "curve.f32", SoundOf(lesson, SoundCue::Curve));
        WriteSamples(dir / "tangent_then_curve.f32", SoundOf(lesson, SoundCue::TangentThenCurve));
    }
    return argc > 2 ? 0 : 2;
}
