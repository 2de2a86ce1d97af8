#include "plot/plot_description.h"

#include "lesson/equation_text.h"
#include "lesson/curve.h"
#include "plot/layer_arithmetic.h"
#include "plot/plot_layers.h"

#include <cmath>
#include <initializer_list>

std::string ReadableNumber(long double value)
{
    // Worked out in whole hundredths and written digit by digit: no locale
    // can put a decimal comma in (the C locale of a Qt program follows the
    // desktop), and no C++ library is needed that formats long double.
    const long double hundredths = std::round(value * 100.0L);
    if (!(std::fabs(hundredths) < 1.0e18L))
        return "?";
    const auto count = static_cast<int64_t>(hundredths);
    const uint64_t magnitude = count < 0 ? static_cast<uint64_t>(-count) : count;
    std::string text = std::to_string(magnitude / 100);
    const auto fraction = static_cast<unsigned>(magnitude % 100);
    if (fraction != 0) {
        text += '.';
        text += static_cast<char>('0' + fraction / 10);
        if (fraction % 10 != 0)
            text += static_cast<char>('0' + fraction % 10);
    }
    return count < 0 ? "-" + text : text;
}

namespace {
std::string Point(long double x, long double y)
{
    return "(" + ReadableNumber(x) + ", " + ReadableNumber(y) + ")";
}

// The line through (x0, y0) with slope m, as y=mx+k with the numbers read
// aloud rounded.
std::string LineEquation(long double x0, long double y0, long double m)
{
    const std::string slope = ReadableNumber(m);
    const std::string intercept = ReadableNumber(y0 - m * x0);
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

bool InView(long double x, long double y, int32_t zahyoMax)
{
    const long double half = zahyoMax / 2.0L;
    return std::fabs(x) <= half && std::fabs(y) <= half;
}

// The symmetric point's abscissa, as the tangent layer forms it.
float SymmetricX(const LessonState& lesson)
{
    return SymmetricXOf<Extended>(lesson.TenvoriPt.x, lesson.SettenPt.x);
}

std::string Joined(std::initializer_list<const std::string*> parts)
{
    std::string text;
    for (const std::string* part : parts) {
        if (!part->empty())
            text += *part + "。";
    }
    return text;
}
} // namespace

PlotReading ReadPlot(const LessonState& lesson)
{
    PlotReading reading;
    const int32_t zahyoMax = lesson.ZahyoMax;
    if (zahyoMax <= 0) {
        // Before the lesson is set up nothing is drawn.
        reading.equation = "曲線はまだありません";
        return reading;
    }
    reading.equation = "曲線 " + EquationText(lesson.Keisu);
    const std::string half = ReadableNumber(zahyoMax / 2.0L);
    reading.range = "表示範囲 x、y とも -" + half + " から " + half;

    const TZahyoR inflection = lesson.TenvoriPt;
    reading.inflection = "変曲点 " + Point(inflection.x, inflection.y);
    if (!InView(inflection.x, inflection.y, zahyoMax))
        reading.inflection += " は表示範囲の外";

    // The tangent layer's own guard: only the tangent point's height hides it.
    const float x0 = lesson.SettenPt.x;
    const float y0 = static_cast<float>(Fx(lesson, x0));
    if (!TangentLayerShown(lesson, lesson.SettenPt)) {
        reading.tangent = "接点 " + Point(x0, y0) +
                          " が表示範囲から上下に離れすぎているため、接線は表示されていません";
        return reading;
    }
    // The slope is read, not stored: to two decimals, single precision is
    // plenty.
    const long double m0 = static_cast<float>(Dfx(lesson, x0));
    reading.tangent = "接点 " + Point(x0, y0);
    if (!InView(x0, y0, zahyoMax))
        reading.tangent += "（表示範囲の外）";
    reading.tangent += "、傾き " + ReadableNumber(m0) + "、接線 " + LineEquation(x0, y0, m0);

    const float x1 = SymmetricX(lesson);
    const float y1 = static_cast<float>(Fx(lesson, x1));
    if (lesson.SessenSu2) {
        reading.secondTangent = "対称な点 " + Point(x1, y1) + " での接線 " +
                                LineEquation(x1, y1, static_cast<float>(Dfx(lesson, x1)));
    }
    if (lesson.HojosenAri)
        reading.chord = "補助線 " + Point(x0, y0) + " と " + Point(x1, y1) + " を結ぶ線分";
    return reading;
}

std::string PlotDescription(const LessonState& lesson)
{
    const PlotReading r = ReadPlot(lesson);
    return Joined({&r.equation, &r.range, &r.inflection, &r.tangent, &r.secondTangent, &r.chord});
}

std::string ChangeAnnouncement(const LessonState& lesson, LessonChange change)
{
    const PlotReading r = ReadPlot(lesson);
    switch (change) {
    case LessonChange::Confirmed:
        return "決定。" + PlotDescription(lesson);
    case LessonChange::SecondTangent: {
        const std::string state = lesson.SessenSu2 ? "接線 2 本" : "接線 1 本";
        return Joined({&state, &r.secondTangent});
    }
    case LessonChange::Chord: {
        const std::string state = lesson.HojosenAri ? "補助線あり" : "補助線なし";
        return Joined({&state, &r.chord});
    }
    case LessonChange::Zoom:
        return Joined({&r.range, &r.inflection, &r.tangent});
    case LessonChange::TangentPoint:
        return Joined({&r.tangent, &r.secondTangent, &r.chord});
    }
    return {};
}
