// Rounding, the zoom slider's view scale, the curve-to-pixel mapping and the
// tangent slider's arithmetic.

#include "lesson/curve.h"
#include "lesson/tangent_step.h"
#include "lesson_builders.h"
#include "plot/mapping.h"

#include <QtTest>

#include <bit>
#include <cmath>
#include <limits>
#include <vector>

namespace {
constexpr int kArea = 660;

QByteArray Describe(TZahyoR p)
{
    return "(" + QByteArray::number(p.x, 'g', 9) + ", " + QByteArray::number(p.y, 'g', 9) + ")";
}

// The tangent point for a slider position, worked out here on its own: the
// quotient and the sum in extended precision, rounded once, and y from the
// stored x term by term.
TZahyoR ExpectedTangentPoint(int a, int b, int c, int d, float inflectionX, int offset,
                             int zahyoMax, int divisor)
{
    const Extended x = Extended(offset * zahyoMax) / Extended(divisor) + Extended(inflectionX);
    const float sx = static_cast<float>(x);
    return TZahyoR{sx, static_cast<float>(ReferenceCubic(a, b, c, d, sx))};
}

// Nearest whole pixel of 330 + 660 * i / zahyoMax, halves away from zero,
// worked out in integers. The value is a multiple of 1/zahyoMax, so its
// single-precision store cannot move it across a half.
int GridPixel(int i, int zahyoMax)
{
    const int twice = 2 * (kArea * i + kArea / 2 * zahyoMax);
    return twice >= 0 ? (twice + zahyoMax) / (2 * zahyoMax)
                      : -((-twice + zahyoMax) / (2 * zahyoMax));
}

std::vector<int> InsideGridColumns(int zahyoMax)
{
    std::vector<int> columns;
    const ZahyoMapping mapping(zahyoMax, kArea, kArea);
    for (int i = -zahyoMax; i <= zahyoMax; ++i) {
        const int column = mapping.Map(static_cast<float>(i), 0.0f).x;
        if (column >= 0 && column < kArea)
            columns.push_back(column);
    }
    return columns;
}
} // namespace

class TestMapping : public QObject {
    Q_OBJECT
private slots:
    void roundoff_data();
    void roundoff();
    void roundoffAddsTheHalfInExtendedPrecision();
    void roundoffKeepsTheLow32Bits();
    void roundoffBeyondRangeDoesNotFail();
    void zoomTable_data();
    void zoomTable();
    void zoomEveryPosition();
    void zoomBands();
    void mappingAt20();
    void gridEndPoints();
    void gridColumnsInside_data();
    void gridColumnsInside();
    void stepDivisor_data();
    void stepDivisor();
    void tangentPointForPosition_data();
    void tangentPointForPosition();
    void tangentPointAfterZoom();
    void tangentPointAroundFarInflection();
    void repeatedPositionGivesSamePoint();
};

void TestMapping::roundoff_data()
{
    QTest::addColumn<float>("value");
    QTest::addColumn<int>("expected");

    QTest::newRow("2.5") << 2.5f << 3;
    QTest::newRow("-2.5") << -2.5f << -3;
    QTest::newRow("0.5") << 0.5f << 1;
    QTest::newRow("-0.5") << -0.5f << -1;
    QTest::newRow("0.49999") << 0.49999f << 0;
    QTest::newRow("-0.49999") << -0.49999f << 0;
    QTest::newRow("0") << 0.0f << 0;
    QTest::newRow("-0") << -0.0f << 0;
    QTest::newRow("412.5") << 412.5f << 413;
    QTest::newRow("247.5") << 247.5f << 248;
    QTest::newRow("1.5") << 1.5f << 2;
    QTest::newRow("-1.5") << -1.5f << -2;
    QTest::newRow("641.666") << 641.6666666f << 642;
    QTest::newRow("-7062.4") << -7062.4f << -7062;
    QTest::newRow("7999999.5") << 7999999.5f << 8000000;
    QTest::newRow("-7999999.5") << -7999999.5f << -8000000;
}

void TestMapping::roundoff()
{
    QFETCH(float, value);
    QFETCH(int, expected);
    QCOMPARE(Roundoff(Extended(value)), expected);
}

void TestMapping::roundoffAddsTheHalfInExtendedPrecision()
{
    // 0.5 - 2^-66 plus 0.5 is not representable and rounds up to 1, so the
    // value just below a half still goes up, as with the add-and-truncate
    // rule on the x87.
    const Extended belowHalf = Extended::FromBits({~uint64_t{0}, 0x3FFD});
    QCOMPARE(Roundoff(belowHalf), 1);
    QCOMPARE(Roundoff(-belowHalf), -1);
    // Further below, it does not.
    QCOMPARE(Roundoff(Extended(0.5f) - Extended(0x1p-60f)), 0);
    QCOMPARE(Roundoff(Extended(-0.5f) + Extended(0x1p-60f)), 0);
}

void TestMapping::roundoffKeepsTheLow32Bits()
{
    QCOMPARE(Roundoff(Extended(int64_t{4294967301})), 5);
    QCOMPARE(Roundoff(Extended(int64_t{2147483648})), std::numeric_limits<int32_t>::min());
    QCOMPARE(Roundoff(Extended(int64_t{-2147483649})), std::numeric_limits<int32_t>::max());
    QCOMPARE(Roundoff(Extended(int64_t{-42949672964}) / Extended(10)), 0);
}

void TestMapping::roundoffBeyondRangeDoesNotFail()
{
    // Beyond the 64-bit range the whole number saturates before its low 32
    // bits are taken; no lesson gets there.
    constexpr int32_t lowOfMax = -1; // 0x7FFFFFFF'FFFFFFFF
    constexpr int32_t lowOfMin = 0;  // 0x80000000'00000000
    constexpr float infinity = std::numeric_limits<float>::infinity();
    QCOMPARE(Roundoff(Extended(1.0e30f)), lowOfMax);
    QCOMPARE(Roundoff(Extended(0x1p63f)), lowOfMax);
    QCOMPARE(Roundoff(Extended(0x1p63f) - Extended(1)), lowOfMax);
    QCOMPARE(Roundoff(Extended(infinity)), lowOfMax);
    QCOMPARE(Roundoff(Extended(-1.0e30f)), lowOfMin);
    QCOMPARE(Roundoff(Extended(-infinity)), lowOfMin);
    QCOMPARE(Roundoff(Extended::FromBits({~uint64_t{0}, 0x7FFE})), lowOfMax); // the largest
    QCOMPARE(Roundoff(Extended(std::numeric_limits<float>::quiet_NaN())), 0);
}

void TestMapping::zoomTable_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("zahyoMax");

    const int table[][2] = {{0, 36},  {1, 36},  {2, 35},  {14, 32}, {15, 31}, {49, 20}, {50, 20},
                            {51, 20}, {52, 19}, {64, 16}, {65, 15}, {98, 5},  {99, 4},  {100, 4}};
    for (const auto& row : table)
        QTest::addRow("%d", row[0]) << row[0] << row[1];
}

void TestMapping::zoomTable()
{
    QFETCH(int, position);
    QFETCH(int, zahyoMax);
    QCOMPARE(PositiontoZahyoMax(position), zahyoMax);
}

void TestMapping::zoomEveryPosition()
{
    for (int position = 0; position <= 100; ++position) {
        // 20 + (50 - position) * 8 / 25 to the nearest integer; the quotient
        // never lies on a half because 25 is odd.
        const int n = (50 - position) * 8;
        const int nearest = n >= 0 ? (n + 12) / 25 : -((-n + 12) / 25);
        QVERIFY2(PositiontoZahyoMax(position) == 20 + nearest,
                 qPrintable(QString("position %1").arg(position)));
    }
}

void TestMapping::zoomBands()
{
    // Walk the slider from left to right: the scale only ever drops by one,
    // both ends hold their value for two positions and every value between
    // holds it for three or four.
    int value = PositiontoZahyoMax(0);
    int run = 1;
    QCOMPARE(value, 36);
    for (int position = 1; position <= 100; ++position) {
        const int next = PositiontoZahyoMax(position);
        if (next == value) {
            ++run;
            continue;
        }
        QCOMPARE(next, value - 1);
        if (value == 36)
            QCOMPARE(run, 2);
        else
            QVERIFY2(run == 3 || run == 4, qPrintable(QString("%1 held %2").arg(value).arg(run)));
        value = next;
        run = 1;
    }
    QCOMPARE(value, 4);
    QCOMPARE(run, 2);
}

void TestMapping::mappingAt20()
{
    const ZahyoMapping mapping(20, kArea, kArea);
    const TZahyoR centre = mapping.ZahyotoDot(ZahyoR(0.0f, 0.0f));
    QVERIFY(SameBits(centre.x, 330.0f));
    QVERIFY(SameBits(centre.y, 330.0f));
    QCOMPARE(mapping.Map(1.0f, 1.0f), (DotPoint{363, 297}));
    QCOMPARE(mapping.Map(-10.0f, 10.0f), (DotPoint{0, 0}));
    QCOMPARE(mapping.Map(10.0f, -10.0f), (DotPoint{660, 660}));
    QCOMPARE(mapping.Map(2.0f, 8.0f), (DotPoint{396, 66}));
    QCOMPARE(mapping.Map(-2.0f, -8.0f), (DotPoint{264, 594}));
    // ZahyoR keeps x first.
    QCOMPARE(ZahyoR(1.0f, 2.0f), (TZahyoR{1.0f, 2.0f}));

    // Unrounded pixels are single precision: 660 * 0.1f / 20 + 330.
    const TZahyoR tenth = mapping.ZahyotoDot(ZahyoR(0.1f, 0.1f));
    QVERIFY(SameBits(tenth.x, static_cast<float>(660.0L * 0.1f / 20 + 330)));
    QVERIFY(SameBits(tenth.y, static_cast<float>(660.0L * -0.1f / 20 + 330)));

    // At 8 units a unit is 82.5 pixels and the halves round up.
    const ZahyoMapping eight(8, kArea, kArea);
    QCOMPARE(eight.Map(1.0f, 0.0f).x, 413);
    QCOMPARE(eight.Map(-1.0f, 0.0f).x, 248);
    QCOMPARE(eight.Map(0.0f, -1.0f).y, 413);
}

void TestMapping::gridEndPoints()
{
    // Every grid line of every scale: the vertical line x = i runs from row
    // 990 up to row -330 on the column of x = i, and the row of y = -i is that
    // same pixel value, which is what lets the horizontal lines reuse the end
    // points with x and y exchanged.
    for (int zahyoMax = 4; zahyoMax <= 36; ++zahyoMax) {
        const ZahyoMapping mapping(zahyoMax, kArea, kArea);
        for (int i = -zahyoMax; i <= zahyoMax; ++i) {
            const float fi = static_cast<float>(i);
            const int pixel = GridPixel(i, zahyoMax);
            const QByteArray where = QByteArray::number(zahyoMax) + "/" + QByteArray::number(i);
            QVERIFY2(mapping.Map(fi, static_cast<float>(-zahyoMax)) == (DotPoint{pixel, 990}),
                     where.constData());
            QVERIFY2(mapping.Map(fi, static_cast<float>(zahyoMax)) == (DotPoint{pixel, -330}),
                     where.constData());
            QVERIFY2(mapping.Map(0.0f, -fi).y == pixel, where.constData());
        }
    }
}

void TestMapping::gridColumnsInside_data()
{
    QTest::addColumn<int>("zahyoMax");
    QTest::addColumn<std::vector<int>>("columns");

    QTest::newRow("4") << 4 << std::vector<int>{0, 165, 330, 495};
    QTest::newRow("7") << 7 << std::vector<int>{47, 141, 236, 330, 424, 519, 613};
    QTest::newRow("8") << 8 << std::vector<int>{0, 83, 165, 248, 330, 413, 495, 578};
    std::vector<int> at20;
    for (int column = 0; column < kArea; column += 33)
        at20.push_back(column);
    QTest::newRow("20") << 20 << at20;
    std::vector<int> at36;
    for (int i = -18; i <= 17; ++i)
        at36.push_back(GridPixel(i, 36));
    QTest::newRow("36") << 36 << at36;
}

void TestMapping::gridColumnsInside()
{
    QFETCH(int, zahyoMax);
    QFETCH(std::vector<int>, columns);
    QCOMPARE(InsideGridColumns(zahyoMax), columns);
    if (zahyoMax == 36) {
        QCOMPARE(columns.size(), std::size_t{36});
        QCOMPARE(columns.front(), 0);
        QCOMPARE(columns.back(), 642);
    }
}

void TestMapping::stepDivisor_data()
{
    QTest::addColumn<int>("zahyoMax");
    QTest::addColumn<int>("divisor");

    const int edges[][2] = {{1, 100},  {4, 100},  {5, 150},  {8, 150},  {9, 200},  {12, 200},
                            {13, 250}, {16, 250}, {17, 300}, {20, 300}, {21, 350}, {24, 350},
                            {25, 400}, {28, 400}, {29, 450}, {36, 450}};
    for (const auto& edge : edges)
        QTest::addRow("%d", edge[0]) << edge[0] << edge[1];
}

void TestMapping::stepDivisor()
{
    QFETCH(int, zahyoMax);
    QFETCH(int, divisor);
    QCOMPARE(TangentStepDivisor(zahyoMax), divisor);
    // Bands of four scales, 50 apart, capped at 450.
    const int band = zahyoMax <= 4 ? 100 : std::min(450, 100 + 50 * ((zahyoMax - 1) / 4));
    QCOMPARE(TangentStepDivisor(zahyoMax), band);
}

void TestMapping::tangentPointForPosition_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<float>("x");
    QTest::addColumn<float>("y");

    // y = x^3 at scale 20: one step is 20/300 units.
    QTest::newRow("centre") << 50 << 0.0f << 0.0f;
    QTest::newRow("80") << 80 << 2.0f << 8.0f;
    QTest::newRow("20") << 20 << -2.0f << -8.0f;
    QTest::newRow("0") << 0 << -3.3333333f << -37.037033f;
    QTest::newRow("100") << 100 << 3.3333333f << 37.037033f;
    QTest::newRow("51") << 51 << 0.0666666701f << 0.000296296348f;
}

void TestMapping::tangentPointForPosition()
{
    QFETCH(int, position);
    QFETCH(float, x);
    QFETCH(float, y);

    LessonState s = ConfirmedLesson(1, 0, 0, 0, 20);
    MoveTangentPoint(s, position);
    const TZahyoR expected = ExpectedTangentPoint(1, 0, 0, 0, 0.0f, position - 50, 20, 300);
    QVERIFY2(SameBits(s.SettenPt.x, expected.x) && SameBits(s.SettenPt.y, expected.y),
             Describe(s.SettenPt).constData());
    QVERIFY2(SameBits(s.SettenPt.x, x) && SameBits(s.SettenPt.y, y),
             Describe(s.SettenPt).constData());
    if (position == 50) {
        QVERIFY(SameBits(s.SettenPt.x, s.TenvoriPt.x));
        QVERIFY(SameBits(s.SettenPt.y, s.TenvoriPt.y));
    }
}

void TestMapping::tangentPointAfterZoom()
{
    LessonState s = ConfirmedLesson(1, 0, 0, 0, 20);
    MoveTangentPoint(s, 80);
    QCOMPARE(s.SettenPt, (TZahyoR{2.0f, 8.0f}));

    // Zooming out keeps the point until the slider moves; the next step is
    // measured at the new scale: 31 * 36 / 450 units from the inflection.
    s.ZahyoMax = PositiontoZahyoMax(0);
    QCOMPARE(s.SettenPt, (TZahyoR{2.0f, 8.0f}));
    MoveTangentPoint(s, 81);
    const TZahyoR expected = ExpectedTangentPoint(1, 0, 0, 0, 0.0f, 31, 36, 450);
    QVERIFY2(SameBits(s.SettenPt.x, expected.x) && SameBits(s.SettenPt.y, expected.y),
             Describe(s.SettenPt).constData());
    QVERIFY(SameBits(s.SettenPt.x, 2.48f));

    // The same lesson with an inflection off the origin adds its x after the
    // quotient, in the same extended sum.
    LessonState shifted = ConfirmedLesson(3, 1, 0, 0, 36);
    MoveTangentPoint(shifted, 81);
    const TZahyoR shiftedExpected =
        ExpectedTangentPoint(3, 1, 0, 0, shifted.TenvoriPt.x, 31, 36, 450);
    QVERIFY2(SameBits(shifted.SettenPt.x, shiftedExpected.x) &&
                 SameBits(shifted.SettenPt.y, shiftedExpected.y),
             Describe(shifted.SettenPt).constData());
}

void TestMapping::tangentPointAroundFarInflection()
{
    // y = x^3 + 9x^2 bends at x = -3, outside the closest zoom's view of
    // -2..2; the slider still reaches 2 units to either side of it.
    LessonState s = ConfirmedLesson(1, 9, 0, 0, 4);
    QCOMPARE(s.TenvoriPt, (TZahyoR{-3.0f, 54.0f}));
    float previous = -std::numeric_limits<float>::infinity();
    for (int position = 0; position <= 100; ++position) {
        MoveTangentPoint(s, position);
        const TZahyoR expected = ExpectedTangentPoint(1, 9, 0, 0, -3.0f, position - 50, 4, 100);
        QVERIFY2(SameBits(s.SettenPt.x, expected.x) && SameBits(s.SettenPt.y, expected.y),
                 qPrintable(QString("position %1: ").arg(position) + Describe(s.SettenPt)));
        QVERIFY(s.SettenPt.x > previous);
        QVERIFY(s.SettenPt.x >= -5.0f && s.SettenPt.x <= -1.0f);
        previous = s.SettenPt.x;
    }
    MoveTangentPoint(s, 0);
    QCOMPARE(s.SettenPt.x, -5.0f);
    MoveTangentPoint(s, 100);
    QCOMPARE(s.SettenPt.x, -1.0f);
}

void TestMapping::repeatedPositionGivesSamePoint()
{
    LessonState s = ConfirmedLesson(-7, 5, -3, 1, 13);
    for (int position : {0, 17, 49, 50, 63, 100}) {
        MoveTangentPoint(s, position);
        const TZahyoR first = s.SettenPt;
        MoveTangentPoint(s, position);
        QVERIFY(SameBits(s.SettenPt.x, first.x) && SameBits(s.SettenPt.y, first.y));
    }
}

QTEST_APPLESS_MAIN(TestMapping)
#include "test_mapping.moc"
