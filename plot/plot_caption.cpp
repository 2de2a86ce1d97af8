#include "plot/plot_caption.h"

#include "lesson/catalogue.h"
#include "lesson/curve.h"
#include "lesson/equation_text.h"
#include "lesson/tangent_toggles.h"
#include "plot/layer_arithmetic.h"
#include "plot/plot_description.h"
#include "plot/plot_layers.h"

#include <cmath>
#include <cstdint>

namespace {
// A length of the grid, to hundredths, as the reading writes its numbers.
std::string Hundredths(double value)
{
    return ReadableNumber(Extended(static_cast<int64_t>(std::llround(value * 100))) /
                          Extended(100));
}
} // namespace

std::vector<std::string> PlotCaption(const LessonState& lesson, double gridStep, double paperCm)
{
    std::vector<std::string> lines;
    if (lesson.ZahyoMax <= 0)
        return lines;
    lines.push_back(EquationText(lesson.Keisu));
    // The tangents as the tangent layer draws them: hidden with it.
    const float x0 = lesson.SettenPt.x;
    if (TangentLayerShown(lesson, lesson.SettenPt)) {
        const float y0 = static_cast<float>(Fx(lesson, x0));
        lines.push_back(
            Filled(Translated(kTangentCaption), {LineEquation(x0, y0, Dfx(lesson, x0))}));
        if (lesson.SessenSu2) {
            const float x1 = SymmetricXOf<Extended>(lesson.TenvoriPt.x, x0);
            const float y1 = static_cast<float>(Fx(lesson, x1));
            lines.push_back(
                Filled(Translated(kSecondTangentCaption), {LineEquation(x1, y1, Dfx(lesson, x1))}));
        }
    }
    if (lesson.DoukansuAri) {
        CoefficientArray<int32_t> slope;
        slope[2] = lesson.DfA;
        slope[3] = lesson.DfB;
        slope[4] = lesson.DfC;
        // y' for the derivative, as the slope curve is written on the board.
        const std::string equation = "y'" + EquationText(slope).substr(1);
        lines.push_back(Filled(Translated(kSlopeCurveCaptionLine), {equation}));
    }
    const std::string step = Hundredths(gridStep);
    lines.push_back(paperCm > 0
                        ? Filled(Translated(kGridOnPaperCaption), {step, Hundredths(paperCm)})
                        : Filled(Translated(kGridCaption), {step}));
    return lines;
}

std::string PlotCaptionText(const LessonState& lesson)
{
    std::string text;
    for (const std::string& line : PlotCaption(lesson))
        text.append(line).append("\n");
    return text;
}

std::string PlotFileName(const LessonState& lesson, std::string_view extension)
{
    std::string name = lesson.ZahyoMax > 0 ? EquationText(lesson.Keisu) : "tavrine";
    return name.append(".").append(extension);
}
