// The high-contrast palette: in its colours every caption the window can show
// reaches 4.5:1 on every face a caption stands on, and every pen of the plot
// 3:1 on the plot's white.

#include "controls/control_table.h"
#include "entry/lesson_session.h"
#include "lesson/contrast_palette.h"
#include "plot/plot_layers.h"

#include <QtTest>

#include <cmath>
#include <set>

namespace {
// WCAG's contrast ratio, from the colours' relative luminance in sRGB.
double ContrastRatio(uint32_t a, uint32_t b)
{
    const auto luminance = [](uint32_t bgr) {
        double sum = 0.05;
        for (const auto& [shift, weight] : {std::pair{0, 0.2126}, {8, 0.7152}, {16, 0.0722}}) {
            const double c = (bgr >> shift & 0xFF) / 255.0;
            sum += weight * (c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4));
        }
        return sum;
    };
    return std::max(luminance(a), luminance(b)) / std::min(luminance(a), luminance(b));
}
} // namespace

class TestContrastPalette : public QObject {
    Q_OBJECT
private slots:
    void everyColourShownStandsOut();
};

void TestContrastPalette::everyColourShownStandsOut()
{
    // The lesson's own red captions fall short, as the page's audit finds.
    QCOMPARE(qRound(ContrastRatio(Bgr::Red, Bgr::MoneyGreen) * 100), 271);
    QCOMPARE(qRound(ContrastRatio(Bgr::Red, Bgr::TooltipYellow) * 100), 393);

    // Every colour the palette lists; every caption colour of the table's
    // rows (black for the window's text) and of the selectors and toggles
    // through a lesson; every pen of the plot, with both tangents and the
    // chord shown last.
    std::set<uint32_t> captions{Bgr::Black};
    std::set<uint32_t> pens;
    for (const ContrastColor& row : kContrastPalette) {
        captions.insert(row.lesson);
        pens.insert(row.lesson);
    }
    for (const ControlRow& row : ControlTable())
        captions.insert(row.captionColor.value_or(Bgr::Black));
    LessonSession session;
    session.Syokika();
    for (int step = 1; step <= kEquationTarget + 2; ++step) {
        if (step <= kEquationTarget)
            session.SelectorClick(step);
        else if (step == kEquationTarget + 1)
            session.BBtnSessenSuClick();
        else
            session.BBtnHojosenClick();
        const LessonView view = session.view();
        captions.insert(view.selectorColors.begin(), view.selectorColors.end());
        captions.insert({view.toggles.secondTangent.color, view.toggles.chord.color});
        for (const PlotItem& item : PlotOf(session.lesson(), 660, 660).items)
            pens.insert(item.color);
    }

    for (const uint32_t color : captions) {
        for (const uint32_t face : kCaptionFaces) {
            const double ratio = ContrastRatio(HighContrastColor(color, ColorUse::Caption), face);
            QVERIFY2(ratio >= 4.5,
                     qPrintable(QString::asprintf("%06x on %06x: %.2f", color, face, ratio)));
        }
    }
    for (const uint32_t color : pens) {
        const double ratio = ContrastRatio(HighContrastColor(color, ColorUse::Plot), Bgr::White);
        QVERIFY2(ratio >= 3.0, qPrintable(QString::asprintf("%06x: %.2f", color, ratio)));
    }
}

QTEST_MAIN(TestContrastPalette)
#include "test_contrast_palette.moc"
