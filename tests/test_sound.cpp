// The plot as sound, as plain functions of the lesson: where the pitch, the
// static and the earcons fall in a trace, and the samples made of it.

#include "lesson_builders.h"
#include "sound/lesson_sound.h"
#include "sound/synthesizer.h"

#include <QtTest>

#include <cmath>

namespace {
// The cubic confirmed at the starting view, with the tangent slider at
// `position` and the second tangent shown or not.
LessonState Lesson(int c, int d = 0, int zahyoMax = 20, int position = 50, bool second = false)
{
    LessonState lesson = ConfirmedLesson(1, 0, c, d, zahyoMax, position);
    lesson.SessenSu2 = second;
    return lesson;
}

bool Near(double a, double b)
{
    return std::fabs(a - b) < 1e-5;
}

using Marks = QList<QPair<EarconKind, double>>; // each earcon's kind and the x of its point
} // namespace

Q_DECLARE_METATYPE(LessonState)

class TestSound : public QObject {
    Q_OBJECT
private slots:
    void pitchFollowsHeight()
    {
        QCOMPARE(PitchOfHeight(-10, 20), kLowestPitch);
        QCOMPARE(PitchOfHeight(10, 20), kHighestPitch);
        // y = x^3 - 3x rises, falls and rises again in the view: the pitch
        // goes with it point for point, silent where y leaves the view.
        const SoundTrace trace = CurveTrace(Lesson(-3));
        QCOMPARE(trace.points.size(), std::size_t(1201));
        int turns = 0;
        for (std::size_t i = 0; i + 1 < trace.points.size(); ++i) {
            const TracePoint &p = trace.points[i], &q = trace.points[i + 1];
            QCOMPARE(p.inView, std::fabs(p.y) <= 10);
            QCOMPARE(p.pitch, p.inView ? PitchOfHeight(p.y, 20) : 0.0);
            if (p.inView && q.inView)
                QCOMPARE(q.pitch > p.pitch, q.y > p.y);
            turns += i > 0 && (q.y > p.y) != (p.y > trace.points[i - 1].y);
        }
        QCOMPARE(turns, 2);
        // The step tone: a flat tangent in the middle, steeper rising higher.
        QCOMPARE(PitchOfSlope(0), std::sqrt(kLowestPitch * kHighestPitch));
        for (double m = -1000; m <= 1000; m += 0.5)
            QVERIFY(PitchOfSlope(m) < PitchOfSlope(m + 0.5) && PitchOfSlope(m) > kLowestPitch);
    }

    void earconsFallAtTheirPoints_data()
    {
        QTest::addColumn<LessonState>("lesson");
        QTest::addColumn<Marks>("marks"); // in time order
        using E = EarconKind;
        const double r3 = std::sqrt(3.0);
        QTest::newRow("y=x^3") << Lesson(0)
                               << Marks{{E::AxisCrossing, 0},
                                        {E::Inflection, 0},
                                        {E::TangentPoint, 0}};
        QTest::newRow("y=x^3-3x") << Lesson(-3)
                                  << Marks{{E::AxisCrossing, -r3},
                                           {E::AxisCrossing, 0},
                                           {E::Inflection, 0},
                                           {E::TangentPoint, 0},
                                           {E::AxisCrossing, r3}};
        // In the view from -2 to 2, the inflection point (0, 5) and the
        // tangent point on it lie above; the axis is crossed at -cbrt(5).
        QTest::newRow("y=x^3+5") << Lesson(0, 5, 4) << Marks{{E::AxisCrossing, -std::cbrt(5.0)}};
        // The tangent point at x = 2, the symmetric point at -2.
        QTest::newRow("second tangent")
            << Lesson(-3, 0, 20, 80, true)
            << Marks{{E::SecondTangentPoint, -2}, {E::AxisCrossing, -r3}, {E::AxisCrossing, 0},
                     {E::Inflection, 0},          {E::AxisCrossing, r3},  {E::TangentPoint, 2}};
    }

    void earconsFallAtTheirPoints()
    {
        QFETCH(LessonState, lesson);
        QFETCH(Marks, marks);
        const LessonState& state = lesson;
        const SoundTrace trace = CurveTrace(state);
        QCOMPARE(trace.earcons.size(), std::size_t(marks.size()));
        const double half = state.ZahyoMax / 2.0; // the left edge sounds at 0 s, the right at 3 s
        for (std::size_t k = 0; k < trace.earcons.size(); ++k) {
            const auto [kind, x] = marks[qsizetype(k)];
            QCOMPARE(trace.earcons[k].kind, kind);
            QVERIFY(Near(trace.earcons[k].seconds, (x + half) / (2 * half) * kTraceSeconds));
            QVERIFY(Near(trace.earcons[k].pan, x / half));
        }
    }

    void staticSoundsExactlyBelowTheAxis()
    {
        // The samples with and without the static differ exactly over the
        // trace steps that start below the axis.
        SoundTrace trace = CurveTrace(Lesson(-3));
        const std::vector<TracePoint> points = trace.points;
        const std::vector<float> with = Synthesizer::Trace(trace);
        for (TracePoint& p : trace.points) {
            QCOMPARE(p.below, p.y < 0);
            p.below = false;
        }
        const std::vector<float> without = Synthesizer::Trace(trace);
        const std::size_t perStep = kSampleRate / kTraceStepsPerSecond;
        for (std::size_t f = 0; f < with.size() / 2; ++f) {
            const std::size_t step = f / perStep;
            const bool below = step + 1 < points.size() && points[step].below;
            const bool heard =
                with[2 * f] != without[2 * f] || with[2 * f + 1] != without[2 * f + 1];
            if (below != heard)
                QFAIL(qPrintable(QString("frame %1: static %2").arg(f).arg(heard)));
        }
    }

    void tangentThenCurve()
    {
        // The tangent at x = 2 of y = x^3 - 3x, y = 9x - 16: its pitch rises
        // by equal intervals over the view, and it touches the curve at 1.8 s.
        const LessonState state = Lesson(-3, 0, 20, 80);
        const SoundTrace tangent = TangentTrace(state);
        int sounding = 0;
        for (std::size_t i = 0; i + 1 < tangent.points.size(); ++i) {
            const TracePoint &p = tangent.points[i], &q = tangent.points[i + 1];
            QVERIFY(std::fabs(p.y - (9 * p.x - 16)) < 1e-3);
            if (p.inView && q.inView && ++sounding)
                QVERIFY(Near(std::log2(q.pitch / p.pitch), std::log2(10.0) * 9 / 1200));
        }
        QVERIFY(sounding > 100);
        QCOMPARE(tangent.earcons.back().kind, EarconKind::TangentPoint);
        QVERIFY(Near(tangent.earcons.back().seconds, 1.8));
        // Shift+H: the tangent, a pause, then the curve.
        const std::vector<float> both = SoundOf(state, SoundCue::TangentThenCurve);
        const std::vector<float> first = Synthesizer::Trace(tangent);
        const std::vector<float> curve = Synthesizer::Trace(CurveTrace(state));
        QCOMPARE(both.size(), first.size() +
                                  2 * std::size_t(std::lround(kPieceGapSeconds * kSampleRate)) +
                                  curve.size());
        QVERIFY(std::equal(first.begin(), first.end(), both.begin()));
        QVERIFY(std::equal(curve.rbegin(), curve.rend(), both.rbegin()));
        // The same lesson, the same samples; three seconds and a fifth for
        // the earcons to ring out, never beyond full scale.
        QVERIFY(curve == SoundOf(Lesson(-3, 0, 20, 80), SoundCue::Curve));
        QCOMPARE(curve.size(), std::size_t(2 * (3 * kSampleRate + kSampleRate / 5)));
        QVERIFY(std::all_of(curve.begin(), curve.end(), [](float v) { return std::fabs(v) < 1; }));
    }
};

QTEST_MAIN(TestSound)
#include "test_sound.moc"
