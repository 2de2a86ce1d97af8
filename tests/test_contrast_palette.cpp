// The high-contrast palette: with it in place of the lesson's colours, every
// caption the window can show reaches 4.5:1 on every face a caption stands
// on, and every line and dot of the plot 3:1 on the plot's white.

#include "controls/control_table.h"
#include "entry/lesson_session.h"
#include "lesson/contrast_palette.h"
#include "plot/plot_layers.h"

#include <QtTest>

#include <cmath>
#include <set>

namespace {
// WCAG's contrast ratio, from the colours' relative luminance in sRGB.
double Luminance(uint32_t bgr)
{
    const auto linear = [](uint32_t channel) {
        const double c = channel / 255.0;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(bgr & 0xFF) + 0.7152 * linear(bgr >> 8 & 0xFF) +
           0.0722 * linear(bgr >> 16 & 0xFF);
}

double ContrastRatio(uint32_t a, uint32_t b)
{
    const double la = Luminance(a);
    const double lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QByteArray Hex(uint32_t bgr)
{
    return QByteArray::number(bgr, 16).rightJustified(6, '0');
}
} // namespace

class TestContrastPalette : public QObject {
    Q_OBJECT
private slots:
    void everyColourShownStandsOut();
};

void TestContrastPalette::everyColourShownStandsOut()
{
    // The formula on known figures: the lesson's red captions fall short.
    QCOMPARE(qRound(ContrastRatio(Bgr::Black, Bgr::White) * 100), 2100);
    QCOMPARE(qRound(ContrastRatio(Bgr::Red, Bgr::MoneyGreen) * 100), 271);
    QCOMPARE(qRound(ContrastRatio(Bgr::Red, Bgr::TooltipYellow) * 100), 393);

    // Every caption colour: the table's rows (black for the window's text),
    // the selectors' and the toggles' in every state of a lesson, and every
    // colour the palette lists, whether shown today or not.
    std::set<uint32_t> captions{Bgr::Black};
    std::set<uint32_t> pens;
    for (const ControlRow& row : ControlTable())
        captions.insert(row.captionColor.value_or(Bgr::Black));
    for (const ContrastColor& row : kContrastPalette) {
        captions.insert(row.lesson);
        pens.insert(row.lesson);
    }
    LessonSession session;
    const auto collect = [&] {
        const LessonView view = session.view();
        captions.insert(view.selectorColors.begin(), view.selectorColors.end());
        captions.insert({view.toggles.secondTangent.color, view.toggles.chord.color});
        for (const PlotItem& item : PlotOf(session.lesson(), 660, 660).items)
            pens.insert(item.color);
    };
    collect();
    session.Syokika();
    for (int target = 1; target <= kEquationTarget; ++target) {
        session.SelectorClick(target);
        collect();
    }
    session.BBtnSessenSuClick(); // both tangents, then the chord too
    collect();
    session.BBtnHojosenClick();
    collect();

    for (const uint32_t color : captions) {
        for (const uint32_t face : kCaptionFaces) {
            const double ratio = ContrastRatio(HighContrastColor(color, ColorUse::Caption), face);
            QVERIFY2(ratio >= 4.5,
                     (Hex(color) + " on " + Hex(face) + ": " + QByteArray::number(ratio, 'f', 2))
                         .constData());
        }
    }
    QVERIFY(pens.count(Bgr::Lime) && pens.count(Bgr::Green) && pens.count(Bgr::Silver));
    for (const uint32_t color : pens) {
        if (color == Bgr::White)
            continue; // the area itself
        const double ratio = ContrastRatio(HighContrastColor(color, ColorUse::Plot), Bgr::White);
        QVERIFY2(ratio >= 3.0, (Hex(color) + ": " + QByteArray::number(ratio, 'f', 2)).constData());
    }
}

QTEST_MAIN(TestContrastPalette)
#include "test_contrast_palette.moc"
