// What the curve's arithmetic costs in each form of the extended format: the
// 1000 points of one curve, from the x steps through the curve value to the
// whole pixels, as Kyokusen_Dsp works them out, without the painting. The
// hardware form is what the program uses on x86-64; the software form is
// what it uses where long double is not the x87's format.

#include "lesson/curve_formulas.h"
#include "lesson/hard_extended.h"
#include "lesson/soft_extended.h"
#include "plot/layer_arithmetic.h"
#include "plot/mapping.h"

#include <benchmark/benchmark.h>

#include <array>
#include <string>

namespace {

constexpr int32_t kArea = 660;
constexpr int kCurvePoints = 1000;

struct Cubic {
    const char* name;
    int32_t a, b, c, d;
};

constexpr std::array<Cubic, 2> kCubics{{
    {"x^3", 1, 0, 0, 0},
    {"-9x^3-9x^2-9x-9", -9, -9, -9, -9},
}};

template <typename Real> void CurvePoints(benchmark::State& state, Cubic k, int32_t zoom)
{
    for (auto _ : state) {
        const float step = CurveStepOf<Real>(zoom);
        float x = static_cast<float>(-zoom);
        int64_t sum = 0;
        for (int i = 0; i < kCurvePoints; ++i) {
            x = NextCurveXOf<Real>(x, step);
            const auto y = static_cast<float>(CubicOf<Real>(k.a, k.b, k.c, k.d, x));
            const TZahyoR dot = ZahyotoDotOf<Real>(zoom, kArea, kArea, ZahyoR(x, y));
            sum += RoundoffOf(Real(dot.x)) + RoundoffOf(Real(dot.y));
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * kCurvePoints);
}

void RegisterAll()
{
    for (const Cubic& cubic : kCubics) {
        for (const int32_t zoom : {4, 20, 36}) {
            const std::string tail =
                std::string("/") + cubic.name + "/ZahyoMax:" + std::to_string(zoom);
#ifdef TAVRINE_HAS_HARD_EXTENDED
            benchmark::RegisterBenchmark(("Curve1000/hard" + tail).c_str(),
                                         CurvePoints<HardExtended>, cubic, zoom);
#endif
            benchmark::RegisterBenchmark(("Curve1000/soft" + tail).c_str(),
                                         CurvePoints<SoftExtended>, cubic, zoom);
        }
    }
}

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    RegisterAll();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
