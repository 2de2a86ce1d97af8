#include "plot/plot_description.h"

#include "lesson/catalogue.h"
#include "lesson/curve.h"
#include "lesson/equation_text.h"
#include "lesson/spoken_math.h"
#include "lesson/tangent_toggles.h"
#include "plot/layer_arithmetic.h"
#include "plot/plot_layers.h"

#include <array>
#include <cmath>
#include <initializer_list>
#include <utility>

namespace {
// Every number of the reading is rounded once, half away from zero, from its
// exact value: the slope the tangent layer draws with and the intercept of
// that line are extended values or sums of them, and a rounded product or sum
// on the way could land on a half hundredth and tip the reading. So the
// hundredths are kept as a few extended terms whose sum is exact (Veltkamp's
// split, Knuth's sum), and compared with the halves exactly.
using Terms = std::array<Extended, 3>;

// value = high + low, each with at most 32 significant bits: either times a
// single (24 bits) times 100 fits the 64-bit significand.
std::pair<Extended, Extended> Split(Extended value)
{
    const Extended scaled = (Extended(int64_t{1} << 32) + Extended(1)) * value;
    const Extended high = scaled - (scaled - value);
    return {high, value - high};
}

// a + b - sum exactly, for sum the extended a + b.
Extended SumError(Extended a, Extended b, Extended sum)
{
    const Extended bPart = sum - a;
    return (a - (sum - bPart)) + (b - bPart);
}

// The sign of the exact sum of the terms and one more. Shewchuk's growing
// expansion turns them into parts that do not overlap, smallest first; the
// largest part that is not zero has the sign of the whole.
int SignOfSum(const Terms& terms, Extended more)
{
    std::array<Extended, 4> parts;
    std::size_t count = 0;
    for (const Extended term : {terms[0], terms[1], terms[2], more}) {
        Extended q = term;
        std::size_t kept = 0;
        for (std::size_t i = 0; i < count; ++i) {
            const Extended sum = q + parts[i];
            const Extended error = SumError(q, parts[i], sum);
            q = sum;
            if (!(error == Extended()))
                parts[kept++] = error;
        }
        parts[kept++] = q;
        count = kept;
    }
    while (count > 0 && parts[count - 1] == Extended())
        --count;
    if (count == 0)
        return 0;
    return parts[count - 1] < Extended() ? -1 : 1;
}

// Whole hundredths written digit by digit, with the decimal separator of the
// pupil's language: no C locale decides it (a Qt program's follows the
// desktop), and no C++ library is needed that formats floating-point values.
std::string HundredthsText(int64_t count)
{
    const uint64_t magnitude = count < 0 ? static_cast<uint64_t>(-count) : count;
    std::string text = std::to_string(magnitude / 100);
    const auto fraction = static_cast<unsigned>(magnitude % 100);
    if (fraction != 0) {
        text += Translated("decimal separator", ".");
        text += static_cast<char>('0' + fraction / 10);
        if (fraction % 10 != 0)
            text += static_cast<char>('0' + fraction % 10);
    }
    return count < 0 ? "-" + text : text;
}

// The number whose hundredths are the exact sum of the terms, rounded to
// whole hundredths, half away from zero.
std::string HundredthsRead(Terms terms)
{
    if (!(Abs(terms[0]) + Abs(terms[1]) + Abs(terms[2]) < Extended(int64_t{1} << 60)))
        return "?";
    const bool negative = SignOfSum(terms, Extended()) < 0;
    if (negative) {
        for (Extended& term : terms)
            term = -term;
    }
    // Below 2^60 the extended sum is off by an eighth of a hundredth at
    // most, so n is off by one at most; the exact comparisons put it where
    // n - 1/2 <= sum < n + 1/2.
    const Extended half = Extended(1) / Extended(2);
    int64_t n = TruncateToInt64((terms[0] + terms[1]) + terms[2] + half);
    if (SignOfSum(terms, half - Extended(n)) < 0)
        --n;
    else if (SignOfSum(terms, half - Extended(n + 1)) >= 0)
        ++n;
    return HundredthsText(negative ? -n : n);
}
} // namespace

std::string ReadableNumber(Extended value)
{
    const auto [high, low] = Split(value);
    return HundredthsRead({high * Extended(100), low * Extended(100), Extended()});
}

// The intercept y0 - m*x0 is read from three exact terms: m
// split in halves, each times -x0 times 100 without rounding.
std::string LineEquation(float x0, float y0, Extended m)
{
    const std::string slope = ReadableNumber(m);
    const auto [high, low] = Split(m);
    const Extended hundred(100);
    const Extended x = -Extended(x0);
    const std::string intercept =
        HundredthsRead({Extended(y0) * hundred, high * x * hundred, low * x * hundred});
    std::string text = "y=";
    if (slope == "1")
        text += "x";
    else if (slope == "-1")
        text += "-x";
    else if (slope != "0")
        text += slope + "x";
    if (intercept != "0") {
        if (slope != "0" && intercept.front() != '-')
            text += "+";
        text += intercept;
    } else if (slope == "0") {
        text += "0";
    }
    return text;
}

namespace {
// The reading says every number and equation in words (lesson/spoken_math.h).
std::string Spoken(Extended value)
{
    return SpokenMath(ReadableNumber(value));
}

std::string Point(float x, float y)
{
    return Filled(Translated(kPointReading), {Spoken(Extended(x)), Spoken(Extended(y))});
}

bool InView(float x, float y, int32_t zahyoMax)
{
    // Twice each coordinate against the scale: both sides exact.
    const Extended scale(zahyoMax);
    return Abs(Extended(x)) * Extended(2) <= scale && Abs(Extended(y)) * Extended(2) <= scale;
}

// The symmetric point's abscissa, as the tangent layer forms it.
float SymmetricX(const LessonState& lesson)
{
    return SymmetricXOf<Extended>(lesson.TenvoriPt.x, lesson.SettenPt.x);
}

// The slope curve's equation, and where it is 0.
std::string SlopeCurveSentence(const LessonState& lesson)
{
    CoefficientArray<int32_t> slope;
    slope[2] = lesson.DfA;
    slope[3] = lesson.DfB;
    slope[4] = lesson.DfC;
    const std::vector<Extended> zeros = SlopeZeros(lesson);
    std::string where;
    if (zeros.size() == 2)
        where = Filled(Translated(kSlopeZeroTwiceReading), {Spoken(zeros[0]), Spoken(zeros[1])});
    else if (zeros.size() == 1)
        where = Filled(Translated(kSlopeZeroOnceReading), {Spoken(zeros[0])});
    else
        where = Translated(kSlopeNeverZeroReading);
    return Filled(Translated(kSlopeCurveReading), {SpokenMath(EquationText(slope)), where});
}

std::string Joined(std::initializer_list<const std::string*> parts)
{
    const std::string_view end = SentenceEnd();
    std::string text;
    for (const std::string* part : parts) {
        if (!part->empty())
            text.append(*part).append(end);
    }
    // A language whose sentences are parted by a space ends with none.
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    return text;
}
} // namespace

PlotReading ReadPlot(const LessonState& lesson)
{
    PlotReading reading;
    const int32_t zahyoMax = lesson.ZahyoMax;
    if (zahyoMax <= 0) {
        // Before the lesson is set up nothing is drawn.
        reading.equation = Translated(kNoCurveYet);
        return reading;
    }
    reading.equation = Filled(Translated(kCurveReading), {SpokenMath(EquationText(lesson.Keisu))});
    const Extended half = Extended(zahyoMax) / Extended(2);
    reading.range = Filled(Translated(kRangeReading), {Spoken(-half), Spoken(half)});

    const TZahyoR inflection = lesson.TenvoriPt;
    reading.inflection =
        Filled(Translated(InView(inflection.x, inflection.y, zahyoMax) ? kInflectionReading
                                                                       : kInflectionOutsideReading),
               {Point(inflection.x, inflection.y)});

    // The slope curve and its point under the tangent point, as the layers
    // draw them whether the tangent shows or not.
    const float x0 = lesson.SettenPt.x;
    if (lesson.DoukansuAri) {
        reading.slopeCurve = SlopeCurveSentence(lesson);
        reading.slopePoint = Filled(Translated(kSlopePointReading),
                                    {Point(x0, static_cast<float>(Dfx(lesson, x0)))});
    }

    // The tangent layer's own guard: only the tangent point's height hides it.
    const float y0 = static_cast<float>(Fx(lesson, x0));
    if (!TangentLayerShown(lesson, lesson.SettenPt)) {
        reading.tangent = Filled(Translated(kTangentHiddenReading), {Point(x0, y0)});
        return reading;
    }
    // The slope as the tangent layer draws with it, in extended precision.
    const Extended m0 = Dfx(lesson, x0);
    reading.tangent =
        Filled(Translated(InView(x0, y0, zahyoMax) ? kTangentReading : kTangentOutsideReading),
               {Point(x0, y0), Spoken(m0), SpokenMath(LineEquation(x0, y0, m0))});

    const float x1 = SymmetricX(lesson);
    const float y1 = static_cast<float>(Fx(lesson, x1));
    if (lesson.SessenSu2) {
        reading.secondTangent =
            Filled(Translated(kSecondTangentReading),
                   {Point(x1, y1), SpokenMath(LineEquation(x1, y1, Dfx(lesson, x1)))});
    }
    if (lesson.HojosenAri)
        reading.chord = Filled(Translated(kChordReading), {Point(x0, y0), Point(x1, y1)});
    return reading;
}

std::vector<Extended> SlopeZeros(const LessonState& lesson)
{
    const int64_t a = lesson.DfA;
    const int64_t b = lesson.DfB;
    const int64_t c = lesson.DfC;
    const int64_t discriminant = b * b - 4 * a * c;
    if (a == 0 || discriminant < 0)
        return {};
    const Extended twoA(2 * a);
    if (discriminant == 0)
        return {Extended(-b) / twoA};
    // Newton's steps from the single's root, which is exact already where the
    // discriminant is a square and the zeros are rational.
    Extended root(std::sqrt(static_cast<float>(discriminant)));
    for (int k = 0; k < 3; ++k)
        root = (root + Extended(discriminant) / root) / Extended(2);
    Extended low = (Extended(-b) - root) / twoA;
    Extended high = (Extended(-b) + root) / twoA;
    if (high < low)
        std::swap(low, high);
    return {low, high};
}

std::string PlotDescription(const LessonState& lesson)
{
    const PlotReading r = ReadPlot(lesson);
    return Joined({&r.equation, &r.range, &r.inflection, &r.tangent, &r.secondTangent, &r.chord,
                   &r.slopeCurve, &r.slopePoint});
}

std::string ChangeAnnouncement(const LessonState& lesson, LessonChange change)
{
    const PlotReading r = ReadPlot(lesson);
    switch (change) {
    case LessonChange::Confirmed:
        return std::string(Translated(kConfirmedReading)).append(SentenceEnd()) +
               PlotDescription(lesson);
    case LessonChange::SecondTangent: {
        const std::string state(
            Translated(lesson.SessenSu2 ? kTwoTangentsReading : kOneTangentReading));
        return Joined({&state, &r.secondTangent});
    }
    case LessonChange::Chord: {
        const std::string state = ChordCaption(lesson.HojosenAri);
        return Joined({&state, &r.chord});
    }
    case LessonChange::Zoom:
        return Joined({&r.range, &r.inflection, &r.tangent});
    case LessonChange::TangentPoint:
        return Joined({&r.tangent, &r.secondTangent, &r.chord});
    case LessonChange::SlopeCurve: {
        const std::string state(
            Translated(lesson.DoukansuAri ? kSlopeCurveShownReading : kSlopeCurveHiddenReading));
        return Joined({&state, &r.slopeCurve, &r.slopePoint});
    }
    }
    return {};
}
