// The plot put into words: what a pupil hears of the plot for the lessons
// that the lesson itself names as the ones to look at, the rounding for
// reading, and the lesson left untouched.

#include "lesson_builders.h"
#include "plot/layer_arithmetic.h"
#include "plot/plot_description.h"
#include "plot/plot_layers.h"
#include "reading_said.h"

#include <QtTest>

namespace {
// Whether a tangent's reading y=mx+k states m and k to the hundredth (exactly, if whole).
bool ReadsLine(const std::string& reading, double m, double k)
{
    static const QRegularExpression line("y=(-?[\\d.]*)(x?)([+-]?[\\d.]*)$");
    // The line as it is written, from the Japanese words it is said in.
    QString written = QString::fromStdString(reading);
    written.replace("イコール", "=").replace("プラス", "+").replace("マイナス", "-");
    written.replace("てん", ".").remove(' ');
    const QStringList n = line.match(written).capturedTexts();
    const QString x = n.value(1); // a line that does not match reads as y=0
    const QString slope = n.value(2).isEmpty() ? "0" : x.isEmpty() || x == "-" ? x + "1" : x;
    return std::abs(slope.toDouble() - m) <= 0.005 + 1e-9 &&
           std::abs(n.value(n.value(2).isEmpty() ? 1 : 3).toDouble() - k) <= 0.005 + 1e-9;
}
} // namespace

class TestPlotDescription : public QObject {
    Q_OBJECT
private slots:
    void readsThePlot_data();
    void readsThePlot();
    void readableNumbers_data();
    void readableNumbers();
    void halfHundredthOfTheProduct();
    void readsTheDrawnTangents_data();
    void readsTheDrawnTangents();
};

void TestPlotDescription::readsThePlot_data()
{
    QTest::addColumn<int>("a");
    QTest::addColumn<int>("b");
    QTest::addColumn<int>("c");
    QTest::addColumn<int>("zahyoMax");
    QTest::addColumn<int>("position");
    QTest::addColumn<int>(
        "toggles"); // 0 one tangent, 1 two, 2 two and the chord, 3 the slope curve
    QTest::addColumn<QString>("expected");
    // y = x^3 in the starting view, the first three sentences of most rows.
    const QString cubic = Said(kCurveReading, "y=x^3") + Said(kRangeReading, "-10", "10") +
                          Said(kInflectionReading, "(0, 0)");
    QTest::newRow("start") << 1 << 0 << 0 << 20 << 50 << 0
                           << cubic + Said(kTangentReading, "(0, 0)", "0", "y=0");
    QTest::newRow("(2, 8) with both aids")
        << 1 << 0 << 0 << 20 << 80 << 2
        << cubic + Said(kTangentReading, "(2, 8)", "12", "y=12x-16") +
               Said(kSecondTangentReading, "(-2, -8)", "y=12x+16") +
               Said(kChordReading, "(2, 8)", "(-2, -8)");
    QTest::newRow("rounded for reading")
        << 1 << 0 << 0 << 20 << 55 << 1
        << cubic + Said(kTangentReading, "(0.33, 0.04)", "0.33", "y=0.33x-0.07") +
               Said(kSecondTangentReading, "(-0.33, -0.04)", "y=0.33x+0.07");
    QTest::newRow("tangent hidden by its guard")
        << 1 << 0 << 0 << 20 << 91 << 2 << cubic + Said(kTangentHiddenReading, "(2.73, 20.42)");
    QTest::newRow("guard at equality, point above the view")
        << 1 << 0 << 6 << 20 << 80 << 0
        << Said(kCurveReading, "y=x^3+6x") + Said(kRangeReading, "-10", "10") +
               Said(kInflectionReading, "(0, 0)") +
               Said(kTangentOutsideReading, "(2, 20)", "18", "y=18x-16");
    QTest::newRow("inflection point below the view")
        << 1 << -9 << 0 << 7 << 50 << 0
        << Said(kCurveReading, "y=x^3-9x^2") + Said(kRangeReading, "-3.5", "3.5") +
               Said(kInflectionOutsideReading, "(3, -54)") +
               Said(kTangentHiddenReading, "(3, -54)");
    QTest::newRow("slope -1") << -1 << 0 << 0 << 4 << 75 << 0
                              << Said(kCurveReading, "y=-x^3") + Said(kRangeReading, "-2", "2") +
                                     Said(kInflectionReading, "(0, 0)") +
                                     Said(kTangentReading, "(1, -1)", "-3", "y=-3x+2");
    QTest::newRow("no lesson yet") << 1 << 0 << 0 << 0 << 50 << 0 << Said(kNoCurveYet);
    // The slope curve: where it is 0, rounded for reading, and its point
    // under the tangent point, read whether the tangent shows or not.
    const auto slope = [](const char* equation, const QString& where) {
        return QString::fromStdString(
                   Filled(kSlopeCurveReading, {SpokenMath(equation), where.toStdString()})) +
               QString::fromStdString(std::string(SentenceEnd()));
    };
    const auto zeros = [](const char* pattern, auto... x) {
        return QString::fromStdString(Filled(pattern, {SpokenMath(x)...}));
    };
    QTest::newRow("slope curve, the curve turns twice")
        << 1 << 0 << -3 << 20 << 50 << 3
        << Said(kCurveReading, "y=x^3-3x") + Said(kRangeReading, "-10", "10") +
               Said(kInflectionReading, "(0, 0)") + Said(kTangentReading, "(0, 0)", "-3", "y=-3x") +
               slope("y=3x^2-3", zeros(kSlopeZeroTwiceReading, "-1", "1")) +
               Said(kSlopePointReading, "(0, -3)");
    QTest::newRow("slope curve, zeros rounded")
        << 2 << 1 << -1 << 20 << 50 << 3
        << Said(kCurveReading, "y=2x^3+x^2-x") + Said(kRangeReading, "-10", "10") +
               Said(kInflectionReading, "(-0.17, 0.19)") +
               Said(kTangentReading, "(-0.17, 0.19)", "-1.17", "y=-1.17x-0.01") +
               slope("y=6x^2+2x-1", zeros(kSlopeZeroTwiceReading, "-0.61", "0.27")) +
               Said(kSlopePointReading, "(-0.17, -1.17)");
    QTest::newRow("slope curve touches 0")
        << 1 << 0 << 0 << 20 << 50 << 3
        << cubic + Said(kTangentReading, "(0, 0)", "0", "y=0") +
               slope("y=3x^2", zeros(kSlopeZeroOnceReading, "0")) +
               Said(kSlopePointReading, "(0, 0)");
    QTest::newRow("slope curve never 0, point above the view")
        << 1 << 0 << 6 << 20 << 80 << 3
        << Said(kCurveReading, "y=x^3+6x") + Said(kRangeReading, "-10", "10") +
               Said(kInflectionReading, "(0, 0)") +
               Said(kTangentOutsideReading, "(2, 20)", "18", "y=18x-16") +
               slope("y=3x^2+6",
                     QString::fromStdString(std::string(Translated(kSlopeNeverZeroReading)))) +
               Said(kSlopePointReading, "(2, 18)");
}

void TestPlotDescription::readsThePlot()
{
    QFETCH(int, a);
    QFETCH(int, b);
    QFETCH(int, c);
    QFETCH(int, zahyoMax);
    QFETCH(int, position);
    QFETCH(int, toggles);
    QFETCH(QString, expected);
    LessonState lesson = ConfirmedLesson(a, b, c, 0, zahyoMax, position);
    if (zahyoMax == 0)
        lesson.SettenPt = lesson.TenvoriPt;
    lesson.SessenSu2 = toggles == 1 || toggles == 2;
    lesson.HojosenAri = toggles == 2;
    lesson.DoukansuAri = toggles == 3;
    const LessonState before = lesson;

    QCOMPARE(QString::fromStdString(PlotDescription(lesson)), expected);
    QVERIFY(lesson.SettenPt == before.SettenPt && lesson.TenvoriPt == before.TenvoriPt);

    // What is said after a change is taken from the same reading.
    const QString spoken =
        QString::fromStdString(ChangeAnnouncement(lesson, LessonChange::TangentPoint));
    QVERIFY2(spoken.isEmpty() == (zahyoMax == 0), qPrintable(spoken));
    QVERIFY2(expected.contains(spoken), qPrintable(spoken));
}

void TestPlotDescription::readableNumbers_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("read");
    QTest::newRow("whole") << 20.0 << "20";
    QTest::newRow("half") << -9.5 << "-9.5";
    QTest::newRow("third") << 3.3333333 << "3.33";
    QTest::newRow("rounded up") << 37.037033 << "37.04";
    QTest::newRow("tiny negative") << -0.001 << "0";
    QTest::newRow("half a hundredth") << -2.125 << "-2.13";
}

void TestPlotDescription::readableNumbers()
{
    QFETCH(double, value);
    QFETCH(QString, read);
    QCOMPARE(QString::fromStdString(ReadableNumber(Extended(static_cast<float>(value)))), read);
}

void TestPlotDescription::halfHundredthOfTheProduct()
{
    // The extended values either side of 0.005; times 100, the lower one too rounds to 0.5.
    const ExtendedBits below{0xA3D70A3D70A3D70A, 0x3FF7};
    QCOMPARE(ReadableNumber(-Extended::FromBits(below)), "0");
    QCOMPARE(ReadableNumber(Extended::FromBits({below.significand + 1, 0x3FF7})), "0.01");
}

void TestPlotDescription::readsTheDrawnTangents_data()
{
    QTest::addColumn<int>("zahyoMax");
    for (int zoom = 4; zoom <= 36; ++zoom)
        QTest::addRow("zoom %d", zoom) << zoom;
}

void TestPlotDescription::readsTheDrawnTangents()
{
    QFETCH(int, zahyoMax);
    for (int n = 0; n < 18 * 6859; n += 331) { // a fixed sample of the cubics
        const int a = n / 6859 - (n < 9 * 6859 ? 9 : 8), b = n / 361 % 19 - 9, c = n / 19 % 19 - 9;
        LessonState lesson = ConfirmedLesson(a, b, c, n % 19 - 9, zahyoMax);
        lesson.SessenSu2 = true;
        // Every whole x, then every slider position (the steepest shown tangents among them).
        for (int i = -zahyoMax; i <= zahyoMax + 101; ++i) {
            const float x0 = i > zahyoMax ? TangentPointX(lesson, i - zahyoMax - 1) : i;
            lesson.SettenPt = {x0, static_cast<float>(Fx(lesson, x0))};
            const PlotReading r = ReadPlot(lesson);
            const float x1 = SymmetricXOf<Extended>(lesson.TenvoriPt.x, x0);
            for (const auto& [x, line] : {std::pair{x0, r.tangent}, {x1, r.secondTangent}}) {
                const double m = (3.0 * a * x + 2 * b) * x + c; // by hand
                QVERIFY2(!TangentLayerShown(lesson, lesson.SettenPt) ||
                             ReadsLine(line, m, static_cast<float>(Fx(lesson, x)) - m * x),
                         line.c_str());
            }
        }
    }
}

QTEST_MAIN(TestPlotDescription)
#include "test_plot_description.moc"
