// The lesson's own formulas run twice, once with the x87 and once with the
// extended format worked out in software, over what a pupil can reach: every
// zoom position, the inflection point of every cubic (a != 0, each
// coefficient -9..9), the curve's x steps at every zoom, and the curve's
// points and the tangent layer for a large fixed sample of cubics plus a
// sample drawn from a fresh seed. Every stored float, every extended
// intermediate that is kept and every pixel must agree bit for bit.
//
// TAVRINE_EXTENDED_FULL=1 runs every cubic instead of the samples (about
// 4 * 10^9 curve points and 4 * 10^8 slider positions; it takes the better
// part of an hour, so raise QTEST_FUNCTION_TIMEOUT for it).
// TAVRINE_EXTENDED_SEED=<n> replays a seed.

#include "lesson/curve_formulas.h"
#include "lesson/hard_extended.h"
#include "lesson/soft_extended.h"
#include "lesson/tangent_step.h"
#include "plot/layer_arithmetic.h"
#include "plot/mapping.h"

#include <QElapsedTimer>
#include <QtTest>

#include <array>
#include <bit>
#include <cinttypes>
#include <random>
#include <vector>

namespace {
constexpr int32_t kArea = 660;
constexpr int kCurvePoints = 1000;
constexpr int32_t kMinZoom = 4;
constexpr int32_t kMaxZoom = 36;
constexpr int kZooms = kMaxZoom - kMinZoom + 1;

struct Cubic {
    int32_t a, b, c, d;
};

std::vector<Cubic> EveryCubic()
{
    std::vector<Cubic> cubics;
    for (int32_t a = -9; a <= 9; ++a) {
        if (a == 0)
            continue;
        for (int32_t b = -9; b <= 9; ++b)
            for (int32_t c = -9; c <= 9; ++c)
                for (int32_t d = -9; d <= 9; ++d)
                    cubics.push_back(Cubic{a, b, c, d});
    }
    return cubics;
}

// The values one evaluation keeps, as raw bits, in the order they arise.
struct Trace {
    std::array<uint64_t, 40> values{};
    int count = 0;

    void add(ExtendedBits bits)
    {
        values[static_cast<std::size_t>(count++)] = bits.significand;
        values[static_cast<std::size_t>(count++)] = bits.signExponent;
    }
    void add(float v) { values[static_cast<std::size_t>(count++)] = std::bit_cast<uint32_t>(v); }
    void add(int32_t v) { values[static_cast<std::size_t>(count++)] = static_cast<uint32_t>(v); }
    void add(TZahyoR p)
    {
        add(p.x);
        add(p.y);
    }
    void add(DotPoint p)
    {
        add(p.x);
        add(p.y);
    }
    friend bool operator==(const Trace&, const Trace&) = default;
};

// A point through ZahyoR, ZahyotoDot and ZahyoRtoPoint, as the plot maps
// every end point.
template <typename Real> void AddMapped(Trace& trace, int32_t zoom, float x, float y)
{
    const TZahyoR dot = ZahyotoDotOf<Real>(zoom, kArea, kArea, ZahyoR(x, y));
    trace.add(dot);
    trace.add(DotPoint{RoundoffOf(Real(dot.x)), RoundoffOf(Real(dot.y))});
}

// One point of the curve at x and of its slope curve: each value, the
// stored y and its pixel.
template <typename Real> Trace CurvePoint(const Cubic& k, int32_t zoom, float x)
{
    Trace trace;
    for (const Real value :
         {CubicOf<Real>(k.a, k.b, k.c, k.d, x), SlopeOf<Real>(3 * k.a, 2 * k.b, k.c, x)}) {
        const auto y = static_cast<float>(value);
        trace.add(value.bits());
        trace.add(y);
        AddMapped<Real>(trace, zoom, x, y);
    }
    return trace;
}

// The curve's x values at one zoom, as Kyokusen_Dsp steps them.
template <typename Real> std::array<float, kCurvePoints> CurveXs(int32_t zoom)
{
    std::array<float, kCurvePoints> xs{};
    const float step = CurveStepOf<Real>(zoom);
    float x = static_cast<float>(-zoom);
    for (float& slot : xs) {
        x = NextCurveXOf<Real>(x, step);
        slot = x;
    }
    return xs;
}

// The inflection point of a cubic, as Kyokusen_Update stores it.
template <typename Real> TZahyoR Inflection(const Cubic& k)
{
    const float x = InflectionXOf<Real>(6 * k.a, 2 * k.b);
    return TZahyoR{x, static_cast<float>(CubicOf<Real>(k.a, k.b, k.c, k.d, x))};
}

// Everything that the tangent slider and the tangent layer work out for one
// slider position: the tangent point, the guard, both tangents' slopes and
// end points, the symmetric point, and every pixel, chord included.
template <typename Real>
Trace TangentLayer(const Cubic& k, float inflectionX, int32_t zoom, int32_t position)
{
    Trace trace;
    const float x0 = TangentPointXOf<Real>(position, zoom, TangentStepDivisor(zoom), inflectionX);
    const auto y0 = static_cast<float>(CubicOf<Real>(k.a, k.b, k.c, k.d, x0));
    trace.add(TZahyoR{x0, y0});
    trace.add(static_cast<int32_t>(TangentShownOf<Real>(zoom, y0)));
    const float x1 = SymmetricXOf<Real>(inflectionX, x0);
    const auto y1 = static_cast<float>(CubicOf<Real>(k.a, k.b, k.c, k.d, x1));
    trace.add(TZahyoR{x1, y1});
    for (const TZahyoR& p : {TZahyoR{x0, y0}, TZahyoR{x1, y1}}) {
        const Real slope = SlopeOf<Real>(3 * k.a, 2 * k.b, k.c, p.x);
        trace.add(slope.bits());
        for (const int32_t end : {-zoom, zoom}) {
            const float y = TangentEndYOf<Real>(p.x, p.y, slope, end);
            trace.add(y);
            AddMapped<Real>(trace, zoom, static_cast<float>(end), y);
        }
        AddMapped<Real>(trace, zoom, p.x, p.y);
    }
    return trace;
}

uint64_t Seed()
{
    bool ok = false;
    const uint64_t seed = qEnvironmentVariable("TAVRINE_EXTENDED_SEED").toULongLong(&ok);
    return ok ? seed : (uint64_t{std::random_device{}()} << 32) ^ std::random_device{}();
}

QByteArray Describe(const Cubic& k)
{
    return QByteArray::number(k.a) + "x^3 " + QByteArray::number(k.b) + "x^2 " +
           QByteArray::number(k.c) + "x " + QByteArray::number(k.d);
}

QByteArray Difference(const Trace& soft, const Trace& hard)
{
    for (int i = 0; i < soft.count; ++i) {
        const auto n = static_cast<std::size_t>(i);
        if (soft.values[n] != hard.values[n])
            return "value " + QByteArray::number(i) + ": " +
                   QByteArray::number(static_cast<qulonglong>(soft.values[n]), 16) +
                   ", the x87 gives " +
                   QByteArray::number(static_cast<qulonglong>(hard.values[n]), 16);
    }
    return "the traces differ in length";
}

#if defined(__SANITIZE_ADDRESS__)
constexpr int kSampleDivisor = 8; // the sanitizers slow the software form down
#else
constexpr int kSampleDivisor = 1;
#endif
} // namespace

class TestExtendedDomain : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void zoomPositions();
    void inflectionOfEveryCubic();
    void curveXsAtEveryZoom();
    void curvePoints();
    void tangentLayer();

private:
    // The cubics whose curve, or whose tangent layer, this run checks: all of
    // them in a full run, else every stride-th and as many drawn at random.
    std::vector<Cubic> sample(int stride, std::mt19937_64& rng) const;

    std::vector<Cubic> cubics_ = EveryCubic();
    bool full_ = qEnvironmentVariableIntValue("TAVRINE_EXTENDED_FULL") != 0;
    uint64_t seed_ = 0;
};

void TestExtendedDomain::initTestCase()
{
#ifndef TAVRINE_HAS_HARD_EXTENDED
    QSKIP("no x87 extended format on this target to compare with");
#endif
    seed_ = Seed();
    qInfo("seed %" PRIu64 " (TAVRINE_EXTENDED_SEED=%" PRIu64 " replays it)%s", seed_, seed_,
          full_ ? ", every cubic" : "");
}

std::vector<Cubic> TestExtendedDomain::sample(int stride, std::mt19937_64& rng) const
{
    if (full_)
        return cubics_;
    std::vector<Cubic> chosen;
    for (std::size_t i = 0; i < cubics_.size(); i += static_cast<std::size_t>(stride))
        chosen.push_back(cubics_[i]);
    std::uniform_int_distribution<std::size_t> pick(0, cubics_.size() - 1);
    const std::size_t fixed = chosen.size();
    for (std::size_t i = 0; i < fixed; ++i)
        chosen.push_back(cubics_[pick(rng)]);
    return chosen;
}

#ifdef TAVRINE_HAS_HARD_EXTENDED
void TestExtendedDomain::zoomPositions()
{
    for (int32_t position = 0; position <= 100; ++position)
        QCOMPARE(PositiontoZahyoMaxOf<SoftExtended>(position),
                 PositiontoZahyoMaxOf<HardExtended>(position));
}

void TestExtendedDomain::inflectionOfEveryCubic()
{
    for (const Cubic& k : cubics_) {
        const TZahyoR soft = Inflection<SoftExtended>(k);
        const TZahyoR hard = Inflection<HardExtended>(k);
        QVERIFY2(std::bit_cast<uint64_t>(soft) == std::bit_cast<uint64_t>(hard),
                 Describe(k).constData());
    }
}

void TestExtendedDomain::curveXsAtEveryZoom()
{
    for (int32_t zoom = kMinZoom; zoom <= kMaxZoom; ++zoom) {
        const auto soft = CurveXs<SoftExtended>(zoom);
        const auto hard = CurveXs<HardExtended>(zoom);
        for (int i = 0; i < kCurvePoints; ++i) {
            const auto n = static_cast<std::size_t>(i);
            QVERIFY2(std::bit_cast<uint32_t>(soft[n]) == std::bit_cast<uint32_t>(hard[n]),
                     qPrintable(QString("zoom %1, point %2").arg(zoom).arg(i)));
            // The curve's pixel columns depend on x alone.
            const Trace dotSoft = CurvePoint<SoftExtended>(Cubic{1, 0, 0, 0}, zoom, soft[n]);
            const Trace dotHard = CurvePoint<HardExtended>(Cubic{1, 0, 0, 0}, zoom, hard[n]);
            QVERIFY2(dotSoft == dotHard, Difference(dotSoft, dotHard).constData());
        }
    }
}

void TestExtendedDomain::curvePoints()
{
    std::mt19937_64 rng(seed_);
    std::array<std::array<float, kCurvePoints>, kZooms> xs{};
    for (int32_t zoom = kMinZoom; zoom <= kMaxZoom; ++zoom)
        xs[static_cast<std::size_t>(zoom - kMinZoom)] = CurveXs<HardExtended>(zoom);

    QElapsedTimer timer;
    timer.start();
    const std::vector<Cubic> cubics = sample(300 * kSampleDivisor, rng);
    long long points = 0;
    for (std::size_t n = 0; n < cubics.size(); ++n) {
        const Cubic& k = cubics[n];
        for (int32_t zoom = kMinZoom; zoom <= kMaxZoom; ++zoom) {
            for (const float x : xs[static_cast<std::size_t>(zoom - kMinZoom)]) {
                const Trace soft = CurvePoint<SoftExtended>(k, zoom, x);
                const Trace hard = CurvePoint<HardExtended>(k, zoom, x);
                if (soft != hard)
                    QFAIL((Describe(k) + ", zoom " + QByteArray::number(zoom) + ", x " +
                           QByteArray::number(x, 'g', 9) + ": " + Difference(soft, hard))
                              .constData());
            }
        }
        points += kZooms * kCurvePoints;
        if (full_ && n % 5000 == 4999)
            qInfo("%zu cubics, %lld points, %.0f s", n + 1, points, timer.elapsed() / 1000.0);
    }
    qInfo("%zu cubics, %lld curve points in %.1f s", cubics.size(), points,
          timer.elapsed() / 1000.0);
}

void TestExtendedDomain::tangentLayer()
{
    std::mt19937_64 rng(seed_ ^ 0x7A6E);
    QElapsedTimer timer;
    timer.start();
    const std::vector<Cubic> cubics = sample(100 * kSampleDivisor, rng);
    long long positions = 0;
    for (std::size_t n = 0; n < cubics.size(); ++n) {
        const Cubic& k = cubics[n];
        const float inflectionX = Inflection<HardExtended>(k).x;
        for (int32_t zoom = kMinZoom; zoom <= kMaxZoom; ++zoom) {
            for (int32_t position = 0; position <= 100; ++position) {
                const Trace soft = TangentLayer<SoftExtended>(k, inflectionX, zoom, position);
                const Trace hard = TangentLayer<HardExtended>(k, inflectionX, zoom, position);
                if (soft != hard)
                    QFAIL((Describe(k) + ", zoom " + QByteArray::number(zoom) + ", position " +
                           QByteArray::number(position) + ": " + Difference(soft, hard))
                              .constData());
            }
        }
        positions += kZooms * 101;
        if (full_ && n % 5000 == 4999)
            qInfo("%zu cubics, %lld positions, %.0f s", n + 1, positions, timer.elapsed() / 1000.0);
    }
    qInfo("%zu cubics, %lld slider positions in %.1f s", cubics.size(), positions,
          timer.elapsed() / 1000.0);
}
#else
void TestExtendedDomain::zoomPositions() {}
void TestExtendedDomain::inflectionOfEveryCubic() {}
void TestExtendedDomain::curveXsAtEveryZoom() {}
void TestExtendedDomain::curvePoints() {}
void TestExtendedDomain::tangentLayer() {}
#endif

QTEST_APPLESS_MAIN(TestExtendedDomain)
#include "test_extended_domain.moc"
