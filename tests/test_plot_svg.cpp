// The plot as the core writes it for paper (plot/plot_svg.h), read as a
// pupil's note or a word processor reads it: it parses as XML (xmllint),
// its title and description are the equation and the plot's reading, and
// rendered by another program (rsvg-convert) at the window's size it shows
// every line and dot where the window draws them, within a pixel.

#include "lesson_builders.h"
#include "plot_image.h"

#include "plot/plot_description.h"
#include "plot/plot_svg.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <array>

namespace {
constexpr std::array kColours = {Shade::White, Shade::Silver, Shade::Black, Shade::Red, Shade::Lime,
                                 Shade::Blue,  Shade::Purple, Shade::Green, Shade::Teal};

// The lesson's colour a rendered pixel is nearest to.
QRgb Nearest(QRgb pixel)
{
    QRgb best = kColours[0];
    int bestDistance = INT_MAX;
    for (const QRgb colour : kColours) {
        const int r = qRed(pixel) - qRed(colour);
        const int g = qGreen(pixel) - qGreen(colour);
        const int b = qBlue(pixel) - qBlue(colour);
        if (r * r + g * g + b * b < bestDistance) {
            bestDistance = r * r + g * g + b * b;
            best = colour;
        }
    }
    return best;
}

// Whether a rendered pixel holds some of the colour: another renderer
// smooths a line's edges, so a line's pixel may be the colour faded towards
// the white it is drawn on, by how much of the pixel it covers.
bool Tinted(QRgb pixel, QRgb colour)
{
    const double p[] = {255.0 - qRed(pixel), 255.0 - qGreen(pixel), 255.0 - qBlue(pixel)};
    const double c[] = {255.0 - qRed(colour), 255.0 - qGreen(colour), 255.0 - qBlue(colour)};
    const double pc = p[0] * c[0] + p[1] * c[1] + p[2] * c[2];
    const double pp = p[0] * p[0] + p[1] * p[1] + p[2] * p[2];
    const double cc = c[0] * c[0] + c[1] * c[1] + c[2] * c[2];
    return pp >= 100 && pc > 0 && pc * pc >= 0.81 * pp * cc;
}

bool Run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    return process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}
} // namespace

class TestPlotSvg : public QObject {
    Q_OBJECT
private slots:
    void rendersAsTheWindowDraws_data();
    void rendersAsTheWindowDraws();
};

void TestPlotSvg::rendersAsTheWindowDraws_data()
{
    QTest::addColumn<LessonState>("lesson");
    const auto with = [](LessonState lesson, bool second, bool chord, bool slope) {
        lesson.SessenSu2 = second;
        lesson.HojosenAri = chord;
        lesson.DoukansuAri = slope;
        return lesson;
    };
    QTest::newRow("y=x^3 at start") << ConfirmedLesson(1, 0, 0, 0, 20);
    QTest::newRow("y=x^3-3x, both tangents, chord, slope curve")
        << with(ConfirmedLesson(1, 0, -3, 0, 20, 70), true, true, true);
    QTest::newRow("steep, zoomed in")
        << with(ConfirmedLesson(-7, 9, 3, -2, 4, 12), true, false, true);
    QTest::newRow("zoomed out") << with(ConfirmedLesson(2, -3, -1, 4, 36, 90), false, true, false);
}

void TestPlotSvg::rendersAsTheWindowDraws()
{
    QFETCH(LessonState, lesson);
    SvgOptions options;
    options.plotSize = kPlotSize;
    const std::string svg = PlotSvg(lesson, options);
    QVERIFY(svg.find("<desc id=\"desc\">" + PlotDescription(lesson) + "</desc>") !=
            std::string::npos);

    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("plot.svg"));
    const QString png = dir.filePath(QStringLiteral("plot.png"));
    QFile out(file);
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write(svg.data(), static_cast<qint64>(svg.size()));
    out.close();
    QVERIFY(Run(QStringLiteral("xmllint"), {QStringLiteral("--noout"), file}));
    QVERIFY(Run(QStringLiteral("rsvg-convert"), {QStringLiteral("-w"), QString::number(kPlotSize),
                                                 QStringLiteral("-o"), png, file}));
    const QImage drawn = QImage(png).convertToFormat(QImage::Format_RGB32);
    const QImage window = RenderPlot(lesson);

    // Every pixel of a line or dot in the window has some of its colour
    // within a pixel in the drawing (or, for the grid and the axes, a line
    // drawn over them there), and a pixel of the drawing that is wholly a
    // line's colour has one of it in the window: nothing missing, nothing
    // moved, nothing added.
    const auto near = [](const QImage& image, int x, int y, auto found) {
        for (int dy = -1; dy <= 1; ++dy) {
            for (int dx = -1; dx <= 1; ++dx) {
                if (found(image.pixel(x + dx, y + dy)))
                    return true;
            }
        }
        return false;
    };
    int missing = 0;
    int added = 0;
    for (int y = 1; y < kPlotSize - 1; ++y) {
        for (int x = 1; x < kPlotSize - 1; ++x) {
            const QRgb shown = window.pixel(x, y);
            const bool under = shown == Shade::Silver || shown == Shade::Black;
            const auto shows = [shown, under](QRgb pixel) {
                if (Tinted(pixel, shown))
                    return true;
                return under && Nearest(pixel) != Shade::White && Nearest(pixel) != Shade::Silver &&
                       Nearest(pixel) != Shade::Black;
            };
            if (shown != Shade::White && !near(drawn, x, y, shows))
                ++missing;
            const QRgb pixel = drawn.pixel(x, y);
            if (Nearest(pixel) == pixel && pixel != Shade::White &&
                !near(window, x, y, [pixel](QRgb p) { return p == pixel; }))
                ++added;
        }
    }
    QCOMPARE(missing, 0);
    QCOMPARE(added, 0);
}

QTEST_MAIN(TestPlotSvg)
#include "test_plot_svg.moc"
