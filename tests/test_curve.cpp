// The curve arithmetic: Fx, Dfx and Kyokusen_Update, checked bit for bit
// against the cubic written out here term by term in the lesson's order.

#include "lesson/curve.h"
#include "lesson_builders.h"

#include <QtTest>

#include <bit>
#include <limits>

namespace {
QByteArray Bits(float v)
{
    return QByteArray::number(std::bit_cast<uint32_t>(v), 16) + " (" +
           QByteArray::number(v, 'g', 9) + ")";
}

// (3a*x)*x, then + 2b*x, then + c.
Extended ReferenceSlope(int a, int b, int c, float x)
{
    const Extended lx(x);
    return ((Extended(3 * a) * lx) * lx + Extended(2 * b) * lx) + Extended(c);
}

#define COMPARE_BITS(actual, expected)                                                             \
    do {                                                                                           \
        const float a_ = (actual);                                                                 \
        const float e_ = (expected);                                                               \
        if (!SameBits(a_, e_))                                                                     \
            QFAIL(QByteArray(#actual " is " + Bits(a_) + ", expected " + Bits(e_)).constData());   \
    } while (false)
} // namespace

class TestCurve : public QObject {
    Q_OBJECT
private slots:
    void derivedQuantities_data();
    void derivedQuantities();
    void changingDShiftsOnlyY();
    void changingCKeepsX();
    void updateReturnsTangentPointToInflection();
    void valuesBitForBit_data();
    void valuesBitForBit();
    void evaluationOrderDecidesTheStoredValue();
};

void TestCurve::derivedQuantities_data()
{
    QTest::addColumn<int>("a");
    QTest::addColumn<int>("b");
    QTest::addColumn<int>("c");
    QTest::addColumn<int>("d");
    QTest::addColumn<float>("x");
    QTest::addColumn<float>("y");

    QTest::newRow("x^3") << 1 << 0 << 0 << 0 << 0.0f << 0.0f;
    QTest::newRow("x^3+3x^2") << 1 << 3 << 0 << 0 << -1.0f << 2.0f;
    QTest::newRow("2x^3-3x^2+x-4") << 2 << -3 << 1 << -4 << 0.5f << -4.0f;
    QTest::newRow("3x^3+x^2") << 3 << 1 << 0 << 0 << -0.111111112f << 0.00823045243f;
    QTest::newRow("9x^3+9x^2+9x+9") << 9 << 9 << 9 << 9 << -0.333333343f << 6.66666651f;
    QTest::newRow("x^3-9x^2") << 1 << -9 << 0 << 0 << 3.0f << -54.0f;
    QTest::newRow("-9x^3+9x^2") << -9 << 9 << 0 << 0 << 0.333333343f << 0.666666687f;
    QTest::newRow("-x^3-9x^2-9x-9") << -1 << -9 << -9 << -9 << -3.0f << -36.0f;
}

void TestCurve::derivedQuantities()
{
    QFETCH(int, a);
    QFETCH(int, b);
    QFETCH(int, c);
    QFETCH(int, d);
    QFETCH(float, x);
    QFETCH(float, y);

    const LessonState s = ConfirmedLesson(a, b, c, d);
    QCOMPARE(s.DfA, 3 * a);
    QCOMPARE(s.DfB, 2 * b);
    QCOMPARE(s.DfC, c);
    QCOMPARE(s.D2fA, 6 * a);
    QCOMPARE(s.D2fB, 2 * b);

    COMPARE_BITS(s.TenvoriPt.x, x);
    COMPARE_BITS(s.TenvoriPt.y, y);
    // y comes from the stored single x, not from the unrounded quotient.
    COMPARE_BITS(s.TenvoriPt.y, static_cast<float>(ReferenceCubic(a, b, c, d, x)));
    COMPARE_BITS(s.SettenPt.x, s.TenvoriPt.x);
    COMPARE_BITS(s.SettenPt.y, s.TenvoriPt.y);
}

void TestCurve::changingDShiftsOnlyY()
{
    const LessonState base = ConfirmedLesson(3, 1, 0, 0);
    for (int d = -9; d <= 9; ++d) {
        const LessonState s = ConfirmedLesson(3, 1, 0, d);
        COMPARE_BITS(s.TenvoriPt.x, base.TenvoriPt.x);
        const float shifted = base.TenvoriPt.y + static_cast<float>(d);
        QVERIFY2(std::fabs(s.TenvoriPt.y - shifted) <=
                     std::numeric_limits<float>::epsilon() * std::fabs(shifted),
                 qPrintable(QString("d = %1").arg(d)));
        COMPARE_BITS(s.TenvoriPt.y, static_cast<float>(ReferenceCubic(3, 1, 0, d, s.TenvoriPt.x)));
    }
}

void TestCurve::changingCKeepsX()
{
    for (int b : {-9, -4, 0, 5, 9}) {
        const LessonState base = ConfirmedLesson(7, b, 0, 2);
        for (int c = -9; c <= 9; ++c)
            COMPARE_BITS(ConfirmedLesson(7, b, c, 2).TenvoriPt.x, base.TenvoriPt.x);
    }
}

void TestCurve::updateReturnsTangentPointToInflection()
{
    LessonState s = ConfirmedLesson(3, 1, -2, 5);
    const TZahyoR inflection = s.TenvoriPt;
    // Wherever the slider left it, even where the tangent layer is hidden.
    s.SettenPt = TZahyoR{2.48f, static_cast<float>(Fx(s, 2.48f))};
    Kyokusen_Update(s);
    COMPARE_BITS(s.TenvoriPt.x, inflection.x);
    COMPARE_BITS(s.TenvoriPt.y, inflection.y);
    COMPARE_BITS(s.SettenPt.x, inflection.x);
    COMPARE_BITS(s.SettenPt.y, inflection.y);
}

void TestCurve::valuesBitForBit_data()
{
    QTest::addColumn<int>("a");
    QTest::addColumn<int>("b");
    QTest::addColumn<int>("c");
    QTest::addColumn<int>("d");

    QTest::newRow("x^3") << 1 << 0 << 0 << 0;
    QTest::newRow("3x^3+x^2") << 3 << 1 << 0 << 0;
    QTest::newRow("-7x^3+5x^2-3x+1") << -7 << 5 << -3 << 1;
    QTest::newRow("9x^3-9x^2+9x-9") << 9 << -9 << 9 << -9;
    QTest::newRow("x^3-9x^2") << 1 << -9 << 0 << 0;
}

void TestCurve::valuesBitForBit()
{
    QFETCH(int, a);
    QFETCH(int, b);
    QFETCH(int, c);
    QFETCH(int, d);

    const LessonState s = ConfirmedLesson(a, b, c, d);
    const float xs[] = {0.0f,         -0.111111112f, 0.04f,    -3.3333333f, 2.48f,
                        -19.96f,      20.000154f,    1.0e-3f,  9.00000191f, 0.333333343f,
                        -7.77777767f, 1.0e-20f,      123.456f, -0.5f,       3.0f};
    for (float x : xs) {
        const Extended value = Fx(s, x);
        QVERIFY2(SameBits(value, ReferenceCubic(a, b, c, d, x)), qPrintable(Bits(x)));
        QVERIFY2(SameBits(CubicValue(a, b, c, d, x), value), qPrintable(Bits(x)));
        QVERIFY2(SameBits(Dfx(s, x), ReferenceSlope(a, b, c, x)), qPrintable(Bits(x)));
    }
}

void TestCurve::evaluationOrderDecidesTheStoredValue()
{
    // Just above the root x = 9 of x^3 - 9x^2 the two big terms cancel, and
    // the last bit of the stored single depends on the order of the sums.
    const LessonState s = ConfirmedLesson(1, -9, 0, 0);
    const float x = 0x1.200004p+3f; // 9.00000191
    const Extended lx(x);
    const float horner = static_cast<float>(((lx - Extended(9)) * lx) * lx);
    QVERIFY(!SameBits(horner, 0x1.440008p-13f));

    COMPARE_BITS(static_cast<float>(Fx(s, x)), 0x1.440008p-13f);
    COMPARE_BITS(static_cast<float>(CubicValue(1, -9, 0, 0, x)), 0x1.440008p-13f);

    // The slope at the tangent point of the starting lesson's slider
    // position 80 is exactly 12.
    QVERIFY(SameBits(Dfx(ConfirmedLesson(1, 0, 0, 0), 2.0f), Extended(12)));
}

QTEST_APPLESS_MAIN(TestCurve)
#include "test_curve.moc"
