// The plot as sound, as plain functions of the lesson: where the pitch, the
// static and the earcons fall in a trace, and the samples made of it.

#include "lesson_tokens.h"
#include "sound/lesson_sound.h"
#include "sound/synthesizer.h"

#include <QtTest>

#include <cmath>
#include <sstream>

namespace {
LessonSession Played(const QString& tokens)
{
    LessonSession session;
    session.Syokika();
    std::istringstream in(tokens.toStdString());
    for (std::string token; in >> token;)
        Play(session, token);
    return session;
}

// An earcon as the tests name it: a kind and the x of its point.
using Marks = QList<QPair<int, double>>;
} // namespace

class TestSound : public QObject {
    Q_OBJECT
private slots:
    void pitchFollowsHeight();
    void earconsFallAtTheirPoints_data();
    void earconsFallAtTheirPoints();
    void staticSoundsExactlyBelowTheAxis();
    void tangentIsAStraightGlide();
    void sameLessonSameSamples();
};

void TestSound::pitchFollowsHeight()
{
    QCOMPARE(PitchOfHeight(-10, 20), kLowestPitch);
    QCOMPARE(PitchOfHeight(10, 20), kHighestPitch);
    QCOMPARE(PitchOfSlope(0), std::sqrt(kLowestPitch * kHighestPitch));
    // y = x^3 - 3x rises, falls and rises again within the view: the pitch
    // goes with it, point for point, and is silent where y leaves the view.
    const SoundTrace trace = CurveTrace(Played("c - 3 K").lesson());
    QCOMPARE(trace.points.size(), std::size_t(1201));
    QCOMPARE(trace.seconds, kTraceSeconds);
    int rising = 0;
    int falling = 0;
    for (std::size_t i = 0; i + 1 < trace.points.size(); ++i) {
        const TracePoint& p = trace.points[i];
        const TracePoint& q = trace.points[i + 1];
        QCOMPARE(p.inView, std::fabs(p.y) <= 10);
        QCOMPARE(p.pitch, p.inView ? PitchOfHeight(p.y, 20) : 0.0);
        if (p.inView && q.inView) {
            QCOMPARE(q.pitch > p.pitch, q.y > p.y);
            rising += q.y > p.y;
            falling += q.y < p.y;
        }
    }
    QVERIFY(rising > 50 && falling > 50);
    // The tangent step's tone: higher for steeper rising slopes, within range.
    double last = 0;
    for (double m = -1000; m <= 1000; m += 0.5) {
        const double pitch = PitchOfSlope(m);
        QVERIFY(pitch > last && pitch > kLowestPitch && pitch < kHighestPitch);
        last = pitch;
    }
}

void TestSound::earconsFallAtTheirPoints_data()
{
    QTest::addColumn<QString>("lesson");
    QTest::addColumn<Marks>("marks"); // kind and x, in time order
    const int axis = int(EarconKind::AxisCrossing);
    const int inflection = int(EarconKind::Inflection);
    const int tangent = int(EarconKind::TangentPoint);
    const int second = int(EarconKind::SecondTangentPoint);
    const double root3 = std::sqrt(3.0);
    QTest::newRow("y=x^3") << "start" << Marks{{axis, 0}, {inflection, 0}, {tangent, 0}};
    QTest::newRow("y=x^3-3x")
        << "c - 3 K"
        << Marks{{axis, -root3}, {axis, 0}, {inflection, 0}, {tangent, 0}, {axis, root3}};
    // In the view from -2 to 2, the inflection point (0, 5) and the tangent
    // point on it lie above; the axis is crossed at the cube root of -5.
    QTest::newRow("y=x^3+5") << "d 5 K z100" << Marks{{axis, -std::cbrt(5.0)}};
    // The tangent point moved to x = 2 and the symmetric point at -2.
    QTest::newRow("second tangent")
        << "c - 3 K t80 S" << Marks{{second, -2},    {axis, -root3}, {axis, 0},
                                    {inflection, 0}, {axis, root3},  {tangent, 2}};
}

void TestSound::earconsFallAtTheirPoints()
{
    QFETCH(QString, lesson);
    QFETCH(Marks, marks);
    const LessonSession session = Played(lesson);
    const SoundTrace trace = CurveTrace(session.lesson());
    QCOMPARE(trace.earcons.size(), std::size_t(marks.size()));
    for (qsizetype k = 0; k < marks.size(); ++k) {
        const Earcon& earcon = trace.earcons[std::size_t(k)];
        QCOMPARE(int(earcon.kind), marks[k].first);
        // The view's left edge sounds at 0 s, its right edge at 3 s.
        const double half = session.lesson().ZahyoMax / 2.0;
        const double seconds = (marks[k].second + half) / (2 * half) * kTraceSeconds;
        QVERIFY2(std::fabs(earcon.seconds - seconds) < 1e-5,
                 qPrintable(QString("%1 s, not %2 s").arg(earcon.seconds).arg(seconds)));
        QVERIFY(std::fabs(earcon.pan - marks[k].second / half) < 1e-6);
    }
}

void TestSound::staticSoundsExactlyBelowTheAxis()
{
    // The samples with and without the static differ exactly over the trace
    // steps that start below the axis.
    SoundTrace trace = CurveTrace(Played("c - 3 K").lesson());
    const std::vector<float> with = Synthesizer::Trace(trace);
    for (TracePoint& p : trace.points) {
        QCOMPARE(p.below, p.y < 0);
        p.below = false;
    }
    const std::vector<float> without = Synthesizer::Trace(trace);
    QCOMPARE(with.size(), without.size());
    const std::size_t perStep = kSampleRate / kTraceStepsPerSecond;
    const std::vector<TracePoint> points = CurveTrace(Played("c - 3 K").lesson()).points;
    for (std::size_t frame = 0; frame < with.size() / 2; ++frame) {
        const std::size_t step = frame / perStep;
        const bool below = step + 1 < points.size() && points[step].below;
        const float louder = std::fabs(with[2 * frame] - without[2 * frame]) +
                             std::fabs(with[2 * frame + 1] - without[2 * frame + 1]);
        if (below != (louder > 0))
            QFAIL(qPrintable(QString("frame %1: static %2").arg(frame).arg(louder)));
    }
}

void TestSound::tangentIsAStraightGlide()
{
    // The tangent at x = 2 of y = x^3 - 3x: y = 9x - 16, slope 9, crossing
    // the view from y = -7 at x = 1 to y = 8.6 at x = 2.73; its pitch's
    // octaves rise evenly with x, and it touches the curve at x = 2.
    const LessonSession session = Played("c - 3 K t80");
    const SoundTrace tangent = TangentTrace(session.lesson());
    double interval = 0;
    int sounding = 0;
    for (std::size_t i = 0; i + 1 < tangent.points.size(); ++i) {
        const TracePoint& p = tangent.points[i];
        const TracePoint& q = tangent.points[i + 1];
        QVERIFY(std::fabs(p.y - (9 * p.x - 16)) < 1e-3);
        QCOMPARE(p.inView, std::fabs(p.y) <= 10);
        if (!p.inView || !q.inView)
            continue;
        const double step = std::log2(q.pitch / p.pitch);
        if (sounding++ > 0)
            QVERIFY(std::fabs(step - interval) < 1e-6);
        interval = step;
    }
    QVERIFY(sounding > 100);
    // 9 units up the view of 20 per unit across: log2(10) * 9 * (20 / 1200) / 20 per step.
    QVERIFY(std::fabs(interval - std::log2(10.0) * 9 / 1200) < 1e-6);
    QCOMPARE(tangent.earcons.size(), std::size_t(2));
    QCOMPARE(tangent.earcons[1].kind, EarconKind::TangentPoint);
    QVERIFY(std::fabs(tangent.earcons[1].seconds - 12.0 / 20 * 3) < 1e-5);
    // Shift+H: the tangent, a pause, then the curve.
    const std::vector<float> both = SoundOf(session.lesson(), SoundCue::TangentThenCurve);
    const std::vector<float> first = Synthesizer::Trace(tangent);
    const std::vector<float> curve = Synthesizer::Trace(CurveTrace(session.lesson()));
    const std::size_t gap = 2 * std::size_t(std::lround(kPieceGapSeconds * kSampleRate));
    QCOMPARE(both.size(), first.size() + gap + curve.size());
    QVERIFY(std::equal(first.begin(), first.end(), both.begin()));
    QVERIFY(std::equal(curve.begin(), curve.end(), both.end() - std::ptrdiff_t(curve.size())));
}

void TestSound::sameLessonSameSamples()
{
    const std::vector<float> one = SoundOf(Played("c - 3 K S t30").lesson(), SoundCue::Curve);
    const std::vector<float> two = SoundOf(Played("c - 3 K S t30").lesson(), SoundCue::Curve);
    // Three seconds and the earcons' tail of a fifth of a second.
    QCOMPARE(one.size(), std::size_t(2 * (3 * kSampleRate + kSampleRate / 5)));
    QVERIFY(one == two);
    float loudest = 0;
    for (float v : one)
        loudest = std::max(loudest, std::fabs(v));
    QVERIFY(loudest > 0.3f && loudest <= 1.0f);
    QVERIFY(SoundOf(Played("c - 3 K S t30").lesson(), SoundCue::Stop).empty());
}

QTEST_MAIN(TestSound)
#include "test_sound.moc"
