// The software extended format: worked cases of rounding, signed zeros,
// overflow, denormals and NaNs that hold on every target, and, where the x87
// is at hand, the same operations on random operands of every kind against
// the hardware, bit for bit.

#include "lesson/hard_extended.h"
#include "lesson/soft_extended.h"

#include <QtTest>

#include <bit>
#include <cinttypes>
#include <cstring>
#include <limits>
#include <random>

Q_DECLARE_METATYPE(ExtendedBits)

namespace {
constexpr uint64_t kTop = uint64_t{1} << 63;

constexpr ExtendedBits kZero{0, 0};
constexpr ExtendedBits kNegativeZero{0, 0x8000};
constexpr ExtendedBits kOne{kTop, 0x3FFF};
constexpr ExtendedBits kMinusOne{kTop, 0xBFFF};
constexpr ExtendedBits kTwo{kTop, 0x4000};
constexpr ExtendedBits kThree{0xC000000000000000, 0x4000};
constexpr ExtendedBits kMinusFive{0xA000000000000000, 0xC001};
constexpr ExtendedBits kMax{~uint64_t{0}, 0x7FFE};
constexpr ExtendedBits kInfinity{kTop, 0x7FFF};
constexpr ExtendedBits kMinusInfinity{kTop, 0xFFFF};
constexpr ExtendedBits kDefaultNaN{0xC000000000000000, 0xFFFF};
constexpr ExtendedBits kSmallestNormal{kTop, 0x0001};
constexpr ExtendedBits kDenormalMin{1, 0};

SoftExtended Soft(ExtendedBits bits)
{
    return SoftExtended::FromBits(bits);
}

QByteArray Describe(ExtendedBits bits)
{
    return QByteArray::number(bits.signExponent, 16).rightJustified(4, '0') + ":" +
           QByteArray::number(static_cast<qulonglong>(bits.significand), 16)
               .rightJustified(16, '0');
}

template <typename Real> Real Quotient(Real a, Real b)
{
    return a / b;
}

#ifdef TAVRINE_HAS_HARD_EXTENDED
// The x87 answers a division by zero with an infinity or its default NaN, and
// that answer is what the software form is checked against here. The
// sanitizer build flags every float division by zero; only this one is meant.
__attribute__((no_sanitize("float-divide-by-zero"))) HardExtended Quotient(HardExtended a,
                                                                           HardExtended b)
{
    long double x;
    long double y;
    const ExtendedBits bitsA = a.bits();
    const ExtendedBits bitsB = b.bits();
    std::memcpy(&x, &bitsA.significand, 8);
    std::memcpy(reinterpret_cast<unsigned char*>(&x) + 8, &bitsA.signExponent, 2);
    std::memcpy(&y, &bitsB.significand, 8);
    std::memcpy(reinterpret_cast<unsigned char*>(&y) + 8, &bitsB.signExponent, 2);
    const long double quotient = x / y;
    ExtendedBits bits;
    std::memcpy(&bits.significand, &quotient, 8);
    std::memcpy(&bits.signExponent, reinterpret_cast<const unsigned char*>(&quotient) + 8, 2);
    return HardExtended::FromBits(bits);
}
#endif

template <typename Real> Real Apply(char op, Real a, Real b)
{
    switch (op) {
    case '+':
        return a + b;
    case '-':
        return a - b;
    case '*':
        return a * b;
    default:
        return Quotient(a, b);
    }
}

#ifdef TAVRINE_HAS_HARD_EXTENDED
HardExtended Hard(ExtendedBits bits)
{
    return HardExtended::FromBits(bits);
}

// Operands of every kind, weighted towards the finite values near 1 that the
// lesson works with; short significands make exact results and ties common.
ExtendedBits RandomOperand(std::mt19937_64& rng)
{
    const auto sign = static_cast<uint16_t>((rng() & 1) << 15);
    uint64_t significand = rng() | kTop;
    if (rng() % 2 == 0)
        significand &= ~uint64_t{0} << (rng() % 64);
    uint16_t field;
    switch (rng() % 16) {
    case 0:
        return ExtendedBits{0, sign};
    case 1:
        return ExtendedBits{kTop, static_cast<uint16_t>(sign | 0x7FFF)};
    case 2: // a quiet or signalling NaN, never the infinity pattern
        return ExtendedBits{significand | (significand << 1 == 0 ? 1 : 0),
                            static_cast<uint16_t>(sign | 0x7FFF)};
    case 3: // a denormal
        return ExtendedBits{(significand & ~kTop) >> (rng() % 64), sign};
    case 4:
        field = static_cast<uint16_t>(1 + rng() % 80);
        break;
    case 5:
        field = static_cast<uint16_t>(0x7FFE - rng() % 80);
        break;
    default:
        field = static_cast<uint16_t>(0x3FFF - 80 + rng() % 160);
        break;
    }
    return ExtendedBits{significand, static_cast<uint16_t>(sign | field)};
}

uint64_t SeedFromEnvironment()
{
    bool ok = false;
    const uint64_t seed = qEnvironmentVariable("TAVRINE_EXTENDED_SEED").toULongLong(&ok);
    return ok ? seed
              : std::random_device{}() * uint64_t{0x9E3779B97F4A7C15} ^ std::random_device{}();
}
#endif
} // namespace

class TestExtended : public QObject {
    Q_OBJECT
private slots:
    void operations_data();
    void operations();
    void toFloat_data();
    void toFloat();
    void fromFloat_data();
    void fromFloat();
    void comparisons_data();
    void comparisons();
    void randomOperandsMatchTheHardware();
};

void TestExtended::operations_data()
{
    QTest::addColumn<char>("op");
    QTest::addColumn<ExtendedBits>("a");
    QTest::addColumn<ExtendedBits>("b");
    QTest::addColumn<ExtendedBits>("expected");

    const ExtendedBits onePlusUlp{kTop | 1, 0x3FFF};
    const ExtendedBits onePlusTwoUlps{kTop | 2, 0x3FFF};
    const ExtendedBits twoToMinus64{kTop, 0x3FFF - 64};

    QTest::newRow("-0 + 0 is +0") << '+' << kNegativeZero << kZero << kZero;
    QTest::newRow("-0 + -0 is -0") << '+' << kNegativeZero << kNegativeZero << kNegativeZero;
    QTest::newRow("-0 - 0 is -0") << '-' << kNegativeZero << kZero << kNegativeZero;
    QTest::newRow("-1 + 1 is +0") << '+' << kMinusOne << kOne << kZero;
    QTest::newRow("1 - 1 is +0") << '-' << kOne << kOne << kZero;
    QTest::newRow("-0 * -5 is +0") << '*' << kNegativeZero << kMinusFive << kZero;
    QTest::newRow("0 * -5 is -0") << '*' << kZero << kMinusFive << kNegativeZero;
    QTest::newRow("0 / -5 is -0") << '/' << kZero << kMinusFive << kNegativeZero;
    QTest::newRow("tie to even, down") << '+' << kOne << twoToMinus64 << kOne;
    QTest::newRow("tie to even, up") << '+' << onePlusUlp << twoToMinus64 << onePlusTwoUlps;
    QTest::newRow("just over a half")
        << '+' << kOne << ExtendedBits{kTop | 0x80, 0x3FFF - 64} << onePlusUlp;
    QTest::newRow("cancellation is exact")
        << '-' << onePlusUlp << kOne << ExtendedBits{kTop, 0x3FFF - 63};
    QTest::newRow("far smaller addend") << '+' << kMax << kOne << kMax;
    QTest::newRow("1 / 3") << '/' << kOne << kThree << ExtendedBits{0xAAAAAAAAAAAAAAAB, 0x3FFD};
    QTest::newRow("2 / -5") << '/' << kTwo << kMinusFive
                            << ExtendedBits{0xCCCCCCCCCCCCCCCD, 0xBFFD};
    QTest::newRow("square below a half") << '*' << onePlusUlp << onePlusUlp << onePlusTwoUlps;
    QTest::newRow("largest significand squared")
        << '*' << ExtendedBits{~uint64_t{0}, 0x3FFF} << ExtendedBits{~uint64_t{0}, 0x3FFF}
        << ExtendedBits{~uint64_t{1}, 0x4000};
    QTest::newRow("overflow by product") << '*' << kMax << kTwo << kInfinity;
    QTest::newRow("overflow by sum") << '+' << kMax << kMax << kInfinity;
    QTest::newRow("overflow by difference")
        << '-' << ExtendedBits{~uint64_t{0}, 0xFFFE} << kMax << kMinusInfinity;
    QTest::newRow("1 / -0") << '/' << kOne << kNegativeZero << kMinusInfinity;
    QTest::newRow("0 / 0") << '/' << kZero << kZero << kDefaultNaN;
    QTest::newRow("inf - inf") << '-' << kInfinity << kInfinity << kDefaultNaN;
    QTest::newRow("0 * inf") << '*' << kZero << kInfinity << kDefaultNaN;
    QTest::newRow("NaN keeps its sign through -")
        << '-' << kOne << ExtendedBits{0xC000000000000123, 0x7FFF}
        << ExtendedBits{0xC000000000000123, 0x7FFF};
    QTest::newRow("of two like NaNs the positive")
        << '+' << kDefaultNaN << ExtendedBits{0xC000000000000000, 0x7FFF}
        << ExtendedBits{0xC000000000000000, 0x7FFF};
    QTest::newRow("signalling NaN comes back quiet")
        << '*' << ExtendedBits{0x8000000000000123, 0xFFFF} << kTwo
        << ExtendedBits{0xC000000000000123, 0xFFFF};
    QTest::newRow("into the denormals")
        << '/' << kSmallestNormal << kTwo << ExtendedBits{kTop >> 1, 0};
    QTest::newRow("half the smallest denormal, to even") << '/' << kDenormalMin << kTwo << kZero;
    QTest::newRow("three halves of the smallest denormal, to even")
        << '/' << ExtendedBits{3, 0} << kTwo << ExtendedBits{2, 0};
    QTest::newRow("denormals add up to a normal")
        << '+' << ExtendedBits{kTop >> 1, 0} << ExtendedBits{kTop >> 1, 0} << kSmallestNormal;
    QTest::newRow("rounding up into the normals")
        << '*' << ExtendedBits{~kTop, 0} << onePlusUlp << kSmallestNormal;
}

void TestExtended::operations()
{
    QFETCH(char, op);
    QFETCH(ExtendedBits, a);
    QFETCH(ExtendedBits, b);
    QFETCH(ExtendedBits, expected);
    const ExtendedBits soft = Apply(op, Soft(a), Soft(b)).bits();
    QVERIFY2(soft == expected, Describe(soft).constData());
#ifdef TAVRINE_HAS_HARD_EXTENDED
    // The worked case itself, checked on the hardware.
    const ExtendedBits hard = Apply(op, Hard(a), Hard(b)).bits();
    QVERIFY2(hard == expected, ("the x87 gives " + Describe(hard)).constData());
#endif
}

void TestExtended::toFloat_data()
{
    QTest::addColumn<ExtendedBits>("value");
    QTest::addColumn<uint32_t>("expected");

    QTest::newRow("1 + 2^-24, tie to even")
        << ExtendedBits{0x8000008000000000, 0x3FFF} << 0x3F800000u;
    QTest::newRow("1 + 3 * 2^-24, tie to even")
        << ExtendedBits{0x8000018000000000, 0x3FFF} << 0x3F800002u;
    // Through a double this would round twice, to the tie and then down.
    QTest::newRow("1 + 2^-24 + 2^-60, once")
        << ExtendedBits{0x8000008000000008, 0x3FFF} << 0x3F800001u;
    QTest::newRow("largest + half an ulp")
        << ExtendedBits{0xFFFFFF8000000000, 0x407E} << 0x7F800000u;
    QTest::newRow("largest + under half an ulp")
        << ExtendedBits{0xFFFFFF7FFFFFFFFF, 0x407E} << 0x7F7FFFFFu;
    QTest::newRow("far beyond") << ExtendedBits{kTop, 0xC0C7} << 0xFF800000u;
    QTest::newRow("2^-150, tie to zero") << ExtendedBits{kTop, 0x3F69} << 0x00000000u;
    QTest::newRow("-2^-150, tie to -0") << ExtendedBits{kTop, 0xBF69} << 0x80000000u;
    QTest::newRow("just over 2^-150") << ExtendedBits{kTop | 1, 0x3F69} << 0x00000001u;
    QTest::newRow("1.5 * 2^-149, tie to even")
        << ExtendedBits{0xC000000000000000, 0x3F6A} << 0x00000002u;
    QTest::newRow("up to the smallest normal")
        << ExtendedBits{0xFFFFFF0000000000, 0x3F80} << 0x00800000u;
    QTest::newRow("extended denormal") << ExtendedBits{1, 0x8000} << 0x80000000u;
    QTest::newRow("quiet NaN") << ExtendedBits{0xC123456789ABCDEF, 0x7FFF} << 0x7FC12345u;
    QTest::newRow("signalling NaN") << ExtendedBits{0x8123456789ABCDEF, 0xFFFF} << 0xFFC12345u;
}

void TestExtended::toFloat()
{
    QFETCH(ExtendedBits, value);
    QFETCH(uint32_t, expected);
    QCOMPARE(std::bit_cast<uint32_t>(static_cast<float>(Soft(value))), expected);
#ifdef TAVRINE_HAS_HARD_EXTENDED
    QCOMPARE(std::bit_cast<uint32_t>(static_cast<float>(Hard(value))), expected);
#endif
}

void TestExtended::fromFloat_data()
{
    QTest::addColumn<uint32_t>("single");
    QTest::addColumn<ExtendedBits>("expected");

    QTest::newRow("-0") << 0x80000000u << kNegativeZero;
    QTest::newRow("smallest subnormal") << 0x00000001u << ExtendedBits{kTop, 0x3F6A};
    QTest::newRow("subnormal") << 0x80000003u << ExtendedBits{0xC000000000000000, 0xBF6B};
    QTest::newRow("largest") << 0x7F7FFFFFu << ExtendedBits{0xFFFFFF0000000000, 0x407E};
    QTest::newRow("infinity") << 0xFF800000u << kMinusInfinity;
    QTest::newRow("signalling NaN comes in quiet")
        << 0x7F800001u << ExtendedBits{0xC000010000000000, 0x7FFF};
}

void TestExtended::fromFloat()
{
    QFETCH(uint32_t, single);
    QFETCH(ExtendedBits, expected);
    QCOMPARE(SoftExtended(std::bit_cast<float>(single)).bits(), expected);
#ifdef TAVRINE_HAS_HARD_EXTENDED
    QCOMPARE(HardExtended(std::bit_cast<float>(single)).bits(), expected);
#endif
}

void TestExtended::comparisons_data()
{
    QTest::addColumn<ExtendedBits>("a");
    QTest::addColumn<ExtendedBits>("b");
    QTest::addColumn<int>("order"); // -1, 0, 1, or 2 for unordered

    QTest::newRow("-0 and +0") << kNegativeZero << kZero << 0;
    QTest::newRow("-1 and -0") << kMinusOne << kNegativeZero << -1;
    QTest::newRow("-1 and -5") << kMinusOne << kMinusFive << 1;
    QTest::newRow("denormal and normal") << kDenormalMin << kSmallestNormal << -1;
    QTest::newRow("-denormal and 0") << ExtendedBits{1, 0x8000} << kZero << -1;
    QTest::newRow("-inf and lowest") << kMinusInfinity << ExtendedBits{~uint64_t{0}, 0xFFFE} << -1;
    QTest::newRow("NaN and 1") << kDefaultNaN << kOne << 2;
    QTest::newRow("NaN and itself") << kDefaultNaN << kDefaultNaN << 2;
}

void TestExtended::comparisons()
{
    QFETCH(ExtendedBits, a);
    QFETCH(ExtendedBits, b);
    QFETCH(int, order);
    const SoftExtended x = Soft(a);
    const SoftExtended y = Soft(b);
    QCOMPARE(x < y, order == -1);
    QCOMPARE(x <= y, order == -1 || order == 0);
    QCOMPARE(x == y, order == 0);
    QCOMPARE(x != y, order != 0);
    QCOMPARE(x >= y, order == 1 || order == 0);
    QCOMPARE(x > y, order == 1);
    // Abs only clears the sign, of a NaN too.
    QCOMPARE(Abs(x).bits().signExponent, static_cast<uint16_t>(a.signExponent & 0x7FFF));
}

void TestExtended::randomOperandsMatchTheHardware()
{
#ifndef TAVRINE_HAS_HARD_EXTENDED
    QSKIP("no x87 extended format on this target to compare with");
#else
    const uint64_t seed = SeedFromEnvironment();
    qInfo("seed %" PRIu64 " (TAVRINE_EXTENDED_SEED=%" PRIu64 " replays it)", seed, seed);
    std::mt19937_64 rng(seed);
    constexpr int kRounds = 300000;
    for (int round = 0; round < kRounds; ++round) {
        const ExtendedBits a = RandomOperand(rng);
        const ExtendedBits b = RandomOperand(rng);
        const QByteArray operands = Describe(a) + ", " + Describe(b);
        for (const char op : {'+', '-', '*', '/'}) {
            const ExtendedBits soft = Apply(op, Soft(a), Soft(b)).bits();
            const ExtendedBits hard = Apply(op, Hard(a), Hard(b)).bits();
            if (soft != hard)
                QFAIL(QByteArray(op + (" of " + operands + ": " + Describe(soft) +
                                       ", the x87 gives " + Describe(hard)))
                          .constData());
        }
        const bool orderMatches = (Soft(a) < Soft(b)) == (Hard(a) < Hard(b)) &&
                                  (Soft(a) <= Soft(b)) == (Hard(a) <= Hard(b)) &&
                                  (Soft(a) == Soft(b)) == (Hard(a) == Hard(b));
        QVERIFY2(orderMatches, operands.constData());
        QVERIFY2((-Soft(a)).bits() == (-Hard(a)).bits() &&
                     Abs(Soft(a)).bits() == Abs(Hard(a)).bits(),
                 operands.constData());
        QVERIFY2(TruncateToInt64(Soft(a)) == TruncateToInt64(Hard(a)), operands.constData());
        const auto softSingle = std::bit_cast<uint32_t>(static_cast<float>(Soft(a)));
        const auto hardSingle = std::bit_cast<uint32_t>(static_cast<float>(Hard(a)));
        QVERIFY2(softSingle == hardSingle, operands.constData());
        // Every single, normal, subnormal and special, widens the same way.
        const auto single = std::bit_cast<float>(static_cast<uint32_t>(rng()));
        QVERIFY2(SoftExtended(single).bits() == HardExtended(single).bits(),
                 QByteArray::number(std::bit_cast<uint32_t>(single), 16).constData());
        const auto integer = static_cast<int64_t>(rng()) >> (rng() % 64);
        QVERIFY(SoftExtended(integer).bits() == HardExtended(integer).bits());
        QVERIFY(SoftExtended(static_cast<int32_t>(integer)).bits() ==
                HardExtended(static_cast<int32_t>(integer)).bits());
    }
#endif
}

QTEST_APPLESS_MAIN(TestExtended)
#include "test_extended.moc"
