// What the plot area shows: the grid and axes, the curve, the inflection
// point's dot and the tangent layer, read back pixel by pixel from a lesson
// painted into an image; and the thin lines they are built from.

#include "plot_image.h"

#include "app/qt_color.h"
#include "lesson/colors.h"
#include "lesson/curve.h"
#include "lesson/tangent_step.h"

#include "lesson_builders.h"

#include <QtTest>

#include <cmath>
#include <cstdlib>

namespace {
QByteArray At(int x, int y, QRgb seen)
{
    return "(" + QByteArray::number(x) + ", " + QByteArray::number(y) + ") is " + ShadeName(seen);
}

#define VERIFY_SHADE(image, x, y, shade)                                                           \
    QVERIFY2((image).pixel((x), (y)) == (shade), At((x), (y), (image).pixel((x), (y))).constData())

// The starting curve y = x^3 at scale 20 in pixels: 33 pixels a unit.
double CurveRowAt(double column)
{
    const double t = (column - 330) / 33;
    return 330 - 33 * t * t * t;
}

double CurveColumnAt(double row)
{
    return 330 + 33 * std::cbrt((330 - row) / 33);
}

bool NearCurve(int x, int y, double reach)
{
    return std::fabs(y - CurveRowAt(x)) <= reach || std::fabs(x - CurveColumnAt(y)) <= reach;
}

// A steep straight line in pixels, as the column it passes at each row.
struct SteepLine {
    double x0, y0, x1, y1;
    double columnAt(double row) const { return x0 + (row - y0) * (x1 - x0) / (y1 - y0); }
};

// Every row from `top` to `bottom` has a pixel of the shade at most a pixel
// from the line, or of the shade of a later line drawn over it there; and no
// pixel of the shade lies anywhere else.
QByteArray CheckSteepLine(const QImage& image, QRgb shade, const SteepLine& line, int top,
                          int bottom, QRgb coveredBy = Shade::Unpainted)
{
    for (int y = 0; y < image.height(); ++y) {
        bool found = false;
        for (int x = 0; x < image.width(); ++x) {
            const QRgb seen = image.pixel(x, y);
            const bool onLine = std::fabs(x - line.columnAt(y)) <= 1.0;
            if (seen == shade && (y < top || y > bottom || !onLine))
                return "stray " + At(x, y, shade);
            found = found || (onLine && (seen == shade || seen == coveredBy));
        }
        if (!found && y >= top && y <= bottom)
            return ShadeName(shade) + " line missing on row " + QByteArray::number(y);
    }
    return {};
}

// Draws 1-pixel lines the way the plot draws them, on a white image: a move to the
// first point, then a line to each following one.
QImage ThinLines(int size, std::initializer_list<QPoint> points)
{
    QImage image(size, size, QImage::Format_RGB32);
    image.fill(Shade::White);
    PlotRecorder recorder(size, size);
    recorder.setPenColor(Bgr::Black);
    recorder.moveTo(DotPoint{points.begin()->x(), points.begin()->y()});
    for (auto p = points.begin() + 1; p != points.end(); ++p)
        recorder.lineTo(DotPoint{p->x(), p->y()});
    QPainter painter(&image);
    PreparePlotPainter(painter, size, size);
    PaintPlotGeometry(painter, recorder.take());
    painter.end();
    return image;
}

// A 1-pixel line from `from` to `to` covers, of each step along its longer
// axis from the start up to but not including the end, one pixel at most a
// pixel from the exact line, as far as that step lies in the image; and
// nothing else. The exact line is worked out here in integers and long
// doubles, so coordinates millions of pixels away are still exact; the paint
// engine places a clipped line's ends to 1/64 pixel.
constexpr long double kLineReach = 1.0L + 1.0L / 64;

QByteArray CheckThinLine(const QImage& image, QPoint from, QPoint to)
{
    const bool steep = std::abs(to.y() - from.y()) > std::abs(to.x() - from.x());
    auto major = [steep](int x, int y) { return steep ? y : x; };
    const long long m0 = steep ? from.y() : from.x();
    const long long n0 = steep ? from.x() : from.y();
    const long long dm = steep ? to.y() - from.y() : to.x() - from.x();
    const long long dn = steep ? to.x() - from.x() : to.y() - from.y();
    const int majorSize = steep ? image.height() : image.width();
    const int minorSize = steep ? image.width() : image.height();
    const long long steps = std::llabs(dm);
    const long long sign = dm > 0 ? 1 : -1;

    // Exact minor coordinate at a major coordinate, or NaN off the segment.
    auto exactMinor = [&](long long m) -> long double {
        const long long k = (m - m0) * sign;
        if (steps == 0 || k < 0 || k >= steps)
            return NAN;
        return static_cast<long double>(n0) + static_cast<long double>(k * dn) / steps;
    };

    std::vector<int> perMajor(static_cast<std::size_t>(majorSize), 0);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) == Shade::White)
                continue;
            const long double minor = exactMinor(major(x, y));
            const int drawnMinor = steep ? x : y;
            if (std::isnan(minor) || std::fabs(drawnMinor - minor) > kLineReach)
                return "stray " + At(x, y, image.pixel(x, y));
            ++perMajor[static_cast<std::size_t>(major(x, y))];
        }
    }
    for (int m = 0; m < majorSize; ++m) {
        const long double minor = exactMinor(m);
        const bool wellInside = !std::isnan(minor) && minor >= 1 && minor <= minorSize - 2;
        const int count = perMajor[static_cast<std::size_t>(m)];
        if (count > 1 || (wellInside && count != 1))
            return QByteArray::number(count) + " pixels at " + (steep ? "row " : "column ") +
                   QByteArray::number(m);
    }
    return {};
}
} // namespace

class TestPlotRender : public QObject {
    Q_OBJECT
private slots:
    void colours_data();
    void colours();
    void emptyAreaBeforeLesson();
    void gridAndAxes();
    void cellsAreWhite();
    void startingCurve();
    void dotUnderTangent();
    void axesAndDotWithTangentHidden();
    void noDotWhenInflectionOffArea();
    void thinLineEnds_data();
    void thinLineEnds();
    void thinLineContinuesFromItsEnd();
    void zeroLengthThinLineDrawsNothing();
    void farLineIsClipped_data();
    void farLineIsClipped();
    void tangentLayer_data();
    void tangentLayer();
    void chordRunsFromTheTangentPoint_data();
    void chordRunsFromTheTangentPoint();
    void bothTogglesAtInflection();
    void guard_data();
    void guard();
    void zoomingOutBringsTheLayerBack();
    void slopeCurve();
};

void TestPlotRender::colours_data()
{
    QTest::addColumn<uint>("bgr");
    QTest::addColumn<QColor>("colour");

    QTest::newRow("silver") << uint{Bgr::Silver} << QColor(192, 192, 192);
    QTest::newRow("red") << uint{Bgr::Red} << QColor(255, 0, 0);
    QTest::newRow("lime") << uint{Bgr::Lime} << QColor(0, 255, 0);
    QTest::newRow("blue") << uint{Bgr::Blue} << QColor(0, 0, 255);
    QTest::newRow("purple") << uint{Bgr::Purple} << QColor(128, 0, 128);
    QTest::newRow("green") << uint{Bgr::Green} << QColor(0, 128, 0);
    QTest::newRow("black") << uint{Bgr::Black} << QColor(0, 0, 0);
    QTest::newRow("white") << uint{Bgr::White} << QColor(255, 255, 255);
    QTest::newRow("maroon") << uint{Bgr::Maroon} << QColor(128, 0, 0);
    QTest::newRow("teal") << uint{Bgr::Teal} << QColor(0, 128, 128);
}

void TestPlotRender::colours()
{
    QFETCH(uint, bgr);
    QFETCH(QColor, colour);
    QCOMPARE(QtColor(bgr), colour);
}

void TestPlotRender::emptyAreaBeforeLesson()
{
    // Before the lesson is set up the scale is 0: nothing may divide by it.
    const QImage image = RenderPlot(LessonState{});
    for (int y = 0; y < kPlotSize; ++y) {
        for (int x = 0; x < kPlotSize; ++x) {
            const bool edge = x == 0 || y == 0 || x == kPlotSize - 1 || y == kPlotSize - 1;
            VERIFY_SHADE(image, x, y, edge ? Shade::Silver : Shade::White);
        }
    }
}

void TestPlotRender::gridAndAxes()
{
    const QImage image = RenderPlot(ConfirmedLesson(1, 0, 0, 0, 20));
    QCOMPARE(CountPixels(image, Shade::Unpainted), 0);

    for (int line = 0; line < kPlotSize; line += 33) {
        if (line == 330)
            continue;
        for (int along = 0; along < kPlotSize; ++along) {
            // Down the grid column; row 330 holds the tangent at the
            // inflection point.
            if (along != 330 && !NearCurve(line, along, 3))
                VERIFY_SHADE(image, line, along, Shade::Silver);
            // Along the grid row. A grid row above the x axis is drawn before
            // the y axis, which covers it; a row below is drawn after it.
            if (!NearCurve(along, line, 3)) {
                const bool axisOnTop = along == 330 && line < 330;
                VERIFY_SHADE(image, along, line, axisOnTop ? Shade::Black : Shade::Silver);
            }
        }
    }

    // The y axis, column 330, from top to bottom.
    for (int y = 0; y < kPlotSize; ++y) {
        if (std::abs(y - 330) <= 5)
            continue;
        const bool laterGridRow = y > 330 && y % 33 == 0;
        VERIFY_SHADE(image, 330, y, laterGridRow ? Shade::Silver : Shade::Black);
    }
    VERIFY_SHADE(image, 330, 297, Shade::Black);
    VERIFY_SHADE(image, 330, 363, Shade::Silver);
    VERIFY_SHADE(image, 330, 0, Shade::Black);
    VERIFY_SHADE(image, 330, 659, Shade::Black);

    // The outline gives the last column and row; only the axes cross it.
    for (int i = 0; i < kPlotSize; ++i) {
        if (i != 330)
            VERIFY_SHADE(image, 659, i, Shade::Silver);
        if (i != 330 && !NearCurve(i, 659, 3))
            VERIFY_SHADE(image, i, 659, Shade::Silver);
    }
    VERIFY_SHADE(image, 659, 330, Shade::Blue);
}

void TestPlotRender::cellsAreWhite()
{
    const QImage image = RenderPlot(ConfirmedLesson(1, 0, 0, 0, 20));
    int checked = 0;
    for (int row = 0; row < 20; ++row) {
        for (int column = 0; column < 20; ++column) {
            // Every pixel inside a cell, away from the curve.
            for (int y = row * 33 + 1; y < row * 33 + 33 && y < kPlotSize - 1; ++y) {
                for (int x = column * 33 + 1; x < column * 33 + 33 && x < kPlotSize - 1; ++x) {
                    if (x == 330 || y == 330 || NearCurve(x, y, 4))
                        continue;
                    VERIFY_SHADE(image, x, y, Shade::White);
                    ++checked;
                }
            }
        }
    }
    QVERIFY(checked > 380000);
}

void TestPlotRender::startingCurve()
{
    const QImage image = RenderPlot(ConfirmedLesson(1, 0, 0, 0, 20));

    // Every red pixel lies on the curve, and the curve is unbroken from the
    // top edge to the bottom edge (rows 328..332 belong to the dot and the
    // tangent drawn over it).
    for (int y = 0; y < kPlotSize; ++y) {
        bool found = false;
        for (int x = 0; x < kPlotSize; ++x) {
            if (image.pixel(x, y) != Shade::Red)
                continue;
            QVERIFY2(NearCurve(x, y, 2.5), ("off the curve: " + At(x, y, Shade::Red)).constData());
            found = found || std::fabs(x - CurveColumnAt(y)) <= 3;
        }
        if (std::abs(y - 330) > 2)
            QVERIFY2(found, qPrintable(QString("curve missing on row %1").arg(y)));
    }

    // It leaves through the top edge near x = 2.15 and the bottom edge near
    // x = -2.15, and nowhere else.
    for (int x = 0; x < kPlotSize; ++x) {
        if (image.pixel(x, 0) == Shade::Red)
            QVERIFY2(x >= 396 && x <= 406, At(x, 0, Shade::Red).constData());
        if (image.pixel(x, kPlotSize - 1) == Shade::Red)
            QVERIFY2(x >= 254 && x <= 264, At(x, kPlotSize - 1, Shade::Red).constData());
    }
    QVERIFY(image.pixel(400, 0) == Shade::Red || image.pixel(401, 0) == Shade::Red);
    QVERIFY(image.pixel(259, 659) == Shade::Red || image.pixel(260, 659) == Shade::Red);
}

void TestPlotRender::dotUnderTangent()
{
    // The dot sits on the centre pixel; the tangent at the inflection point
    // runs over it along row 330, so the dot shows above and below that row.
    const QImage image = RenderPlot(ConfirmedLesson(1, 0, 0, 0, 20));
    for (int x = 0; x < kPlotSize; ++x)
        VERIFY_SHADE(image, x, 330, Shade::Blue);
    QCOMPARE(CountPixels(image, Shade::Blue), kPlotSize);
    for (int y : {328, 329, 331, 332})
        VERIFY_SHADE(image, 330, y, Shade::Lime);
    for (int x : {328, 329, 331, 332}) {
        VERIFY_SHADE(image, x, 329, Shade::Lime);
        VERIFY_SHADE(image, x, 331, Shade::Lime);
    }
}

void TestPlotRender::axesAndDotWithTangentHidden()
{
    // Slider at 91: the tangent point is above the view, the layer is
    // hidden, and the x axis and the whole dot show.
    const QImage image = RenderPlot(ConfirmedLesson(1, 0, 0, 0, 20, 91));
    QCOMPARE(CountPixels(image, Shade::Blue), 0);

    // The x axis, row 330: later grid columns to the right cross it in
    // silver, earlier ones to the left are covered by it.
    for (int x = 0; x < kPlotSize; ++x) {
        if (NearCurve(x, 330, 3))
            continue;
        const bool laterGridColumn = x > 330 && x % 33 == 0;
        VERIFY_SHADE(image, x, 330, laterGridColumn ? Shade::Silver : Shade::Black);
    }
    VERIFY_SHADE(image, 0, 330, Shade::Black);
    VERIFY_SHADE(image, 297, 330, Shade::Black);
    VERIFY_SHADE(image, 363, 330, Shade::Silver);
    VERIFY_SHADE(image, 659, 330, Shade::Black);

    // A round dot 5 pixels across centred on (330, 330): the centre row and
    // column reach two pixels out, nothing reaches three.
    for (int d = -2; d <= 2; ++d) {
        VERIFY_SHADE(image, 330 + d, 330, Shade::Lime);
        VERIFY_SHADE(image, 330, 330 + d, Shade::Lime);
    }
    for (int y = 0; y < kPlotSize; ++y) {
        for (int x = 0; x < kPlotSize; ++x) {
            if (image.pixel(x, y) != Shade::Lime)
                continue;
            QVERIFY2(std::abs(x - 330) <= 2 && std::abs(y - 330) <= 2,
                     At(x, y, Shade::Lime).constData());
            VERIFY_SHADE(image, 660 - x, 660 - y, Shade::Lime);
            VERIFY_SHADE(image, 660 - x, y, Shade::Lime);
        }
    }
}

void TestPlotRender::noDotWhenInflectionOffArea()
{
    // y = x^3 - 9x^2 bends at (3, -54), below the view at every scale.
    for (int zahyoMax : {4, 20, 36}) {
        const QImage image = RenderPlot(ConfirmedLesson(1, -9, 0, 0, zahyoMax));
        QCOMPARE(CountPixels(image, Shade::Lime), 0);
        QVERIFY(CountPixels(image, Shade::Red) > 0);
    }
}

void TestPlotRender::thinLineEnds_data()
{
    QTest::addColumn<QPoint>("from");
    QTest::addColumn<QPoint>("to");

    QTest::newRow("right") << QPoint(2, 5) << QPoint(10, 5);
    QTest::newRow("left") << QPoint(10, 5) << QPoint(2, 5);
    QTest::newRow("down") << QPoint(5, 2) << QPoint(5, 10);
    QTest::newRow("up") << QPoint(5, 10) << QPoint(5, 2);
    QTest::newRow("diagonal down") << QPoint(3, 3) << QPoint(10, 10);
    QTest::newRow("diagonal up") << QPoint(10, 10) << QPoint(3, 3);
    QTest::newRow("anti-diagonal down") << QPoint(10, 3) << QPoint(3, 10);
    QTest::newRow("anti-diagonal up") << QPoint(3, 10) << QPoint(10, 3);
    QTest::newRow("steep down") << QPoint(10, 2) << QPoint(5, 17);
    QTest::newRow("steep up") << QPoint(5, 17) << QPoint(10, 2);
    QTest::newRow("shallow down") << QPoint(1, 2) << QPoint(17, 6);
    QTest::newRow("shallow up") << QPoint(17, 6) << QPoint(1, 2);
    QTest::newRow("one step") << QPoint(7, 7) << QPoint(8, 7);
}

void TestPlotRender::thinLineEnds()
{
    QFETCH(QPoint, from);
    QFETCH(QPoint, to);

    const QImage image = ThinLines(20, {from, to});
    VERIFY_SHADE(image, from.x(), from.y(), Shade::Black);
    VERIFY_SHADE(image, to.x(), to.y(), Shade::White);
    const int steps = std::max(std::abs(to.x() - from.x()), std::abs(to.y() - from.y()));
    QCOMPARE(CountPixels(image, Shade::Black), steps);
    const QByteArray fault = CheckThinLine(image, from, to);
    QVERIFY2(fault.isEmpty(), fault.constData());
}

void TestPlotRender::thinLineContinuesFromItsEnd()
{
    // The end of one line is where the next starts, so a turn has no gap.
    const QImage image = ThinLines(20, {QPoint(2, 2), QPoint(10, 2), QPoint(10, 8)});
    for (int x = 2; x <= 10; ++x)
        VERIFY_SHADE(image, x, 2, Shade::Black);
    for (int y = 3; y < 8; ++y)
        VERIFY_SHADE(image, 10, y, Shade::Black);
    VERIFY_SHADE(image, 10, 8, Shade::White);
    QCOMPARE(CountPixels(image, Shade::Black), 14);
}

void TestPlotRender::zeroLengthThinLineDrawsNothing()
{
    const QImage image = ThinLines(20, {QPoint(6, 6), QPoint(6, 6)});
    QCOMPARE(CountPixels(image, Shade::White), 400);
}

void TestPlotRender::farLineIsClipped_data()
{
    QTest::addColumn<QPoint>("from");
    QTest::addColumn<QPoint>("to");

    QTest::newRow("steep, millions away") << QPoint(-330, 4000000) << QPoint(990, -4000000);
    QTest::newRow("the same, backwards") << QPoint(990, -4000000) << QPoint(-330, 4000000);
    QTest::newRow("other slant") << QPoint(990, 7999999) << QPoint(-330, -7999999);
    QTest::newRow("tangent at (2, 8)") << QPoint(-330, 8778) << QPoint(990, -7062);
    QTest::newRow("nearly level, millions away") << QPoint(-4000000, 300) << QPoint(4000000, 310);
    QTest::newRow("diagonal, millions away")
        << QPoint(-7000000, -7000000) << QPoint(7000000, 7000000);
    QTest::newRow("passing by outside") << QPoint(-330, -4000000) << QPoint(-300, 4000000);
}

void TestPlotRender::farLineIsClipped()
{
    QFETCH(QPoint, from);
    QFETCH(QPoint, to);

    const QImage image = ThinLines(kPlotSize, {from, to});
    const QByteArray fault = CheckThinLine(image, from, to);
    QVERIFY2(fault.isEmpty(), fault.constData());
}

void TestPlotRender::tangentLayer_data()
{
    QTest::addColumn<bool>("second");
    QTest::addColumn<bool>("chord");

    QTest::newRow("tangent only") << false << false;
    QTest::newRow("second tangent") << true << false;
    QTest::newRow("chord without the second tangent") << false << true;
    QTest::newRow("both") << true << true;
}

void TestPlotRender::tangentLayer()
{
    QFETCH(bool, second);
    QFETCH(bool, chord);

    // y = x^3 at scale 20, slider at 80: tangent point (2, 8) on pixel
    // (396, 66), slope 12, i.e. 12 rows down for every column to the left.
    LessonState s = ConfirmedLesson(1, 0, 0, 0, 20, 80);
    s.SessenSu2 = second;
    s.HojosenAri = chord;
    const QImage image = RenderPlot(s);

    const SteepLine tangent{396, 66, 395, 78};
    const SteepLine symmetric{264, 594, 263, 606};
    const SteepLine joining{396, 66, 264, 594};

    // The blue tangent crosses the whole area from the bottom edge to the
    // top edge; near the tangent point the chord may cover it.
    QByteArray fault = CheckSteepLine(image, Shade::Blue, tangent, 0, 659, Shade::Green);
    QVERIFY2(fault.isEmpty(), fault.constData());

    if (second) {
        fault = CheckSteepLine(image, Shade::Purple, symmetric, 0, 659, Shade::Green);
        QVERIFY2(fault.isEmpty(), fault.constData());
    } else {
        QCOMPARE(CountPixels(image, Shade::Purple), 0);
    }

    if (chord) {
        // From (396, 66) down to (264, 594), through the inflection point;
        // the end pixel is left out.
        fault = CheckSteepLine(image, Shade::Green, joining, 66, 593);
        QVERIFY2(fault.isEmpty(), fault.constData());
        QVERIFY(image.pixel(264, 594) != Shade::Green);
        bool throughCentre = false;
        for (int x = 329; x <= 331; ++x)
            throughCentre = throughCentre || image.pixel(x, 330) == Shade::Green;
        QVERIFY(throughCentre);
    } else {
        QCOMPARE(CountPixels(image, Shade::Green), 0);
    }
}

void TestPlotRender::chordRunsFromTheTangentPoint_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<QPoint>("start");
    QTest::addColumn<QPoint>("end");
    QTest::addColumn<int>("top");
    QTest::addColumn<int>("bottom");

    QTest::newRow("above the inflection") << 80 << QPoint(396, 66) << QPoint(264, 594) << 66 << 593;
    QTest::newRow("below the inflection") << 20 << QPoint(264, 594) << QPoint(396, 66) << 67 << 594;
}

void TestPlotRender::chordRunsFromTheTangentPoint()
{
    QFETCH(int, position);
    QFETCH(QPoint, start);
    QFETCH(QPoint, end);
    QFETCH(int, top);
    QFETCH(int, bottom);

    // The chord starts on the tangent point's pixel and stops one short of
    // the symmetric point's, whichever way it runs.
    LessonState s = ConfirmedLesson(1, 0, 0, 0, 20, position);
    s.SessenSu2 = true;
    s.HojosenAri = true;
    const QImage image = RenderPlot(s);
    VERIFY_SHADE(image, start.x(), start.y(), Shade::Green);
    QVERIFY(image.pixel(end.x(), end.y()) != Shade::Green);
    const SteepLine joining{double(start.x()), double(start.y()), double(end.x()), double(end.y())};
    const QByteArray fault = CheckSteepLine(image, Shade::Green, joining, top, bottom);
    QVERIFY2(fault.isEmpty(), fault.constData());
}

void TestPlotRender::bothTogglesAtInflection()
{
    // The symmetric point is the tangent point itself: the purple tangent
    // covers the blue one, and the chord from a pixel to itself leaves no
    // mark.
    LessonState s = ConfirmedLesson(1, 0, 0, 0, 20);
    s.SessenSu2 = true;
    s.HojosenAri = true;
    const QImage image = RenderPlot(s);
    for (int x = 0; x < kPlotSize; ++x)
        VERIFY_SHADE(image, x, 330, Shade::Purple);
    QCOMPARE(CountPixels(image, Shade::Purple), kPlotSize);
    QCOMPARE(CountPixels(image, Shade::Blue), 0);
    QCOMPARE(CountPixels(image, Shade::Green), 0);
}

void TestPlotRender::guard_data()
{
    QTest::addColumn<int>("c");
    QTest::addColumn<int>("position");
    QTest::addColumn<bool>("drawn");

    QTest::newRow("x^3+6x at 80: y is exactly 20") << 6 << 80 << true;
    QTest::newRow("x^3+6x at 81") << 6 << 81 << false;
    QTest::newRow("x^3 at 90") << 0 << 90 << true;
    QTest::newRow("x^3 at 91") << 0 << 91 << false;
    QTest::newRow("x^3 at 10") << 0 << 10 << true;
    QTest::newRow("x^3 at 9") << 0 << 9 << false;
}

void TestPlotRender::guard()
{
    QFETCH(int, c);
    QFETCH(int, position);
    QFETCH(bool, drawn);

    LessonState s = ConfirmedLesson(1, 0, c, 0, 20, position);
    s.SessenSu2 = true;
    s.HojosenAri = true;
    const QImage image = RenderPlot(s);
    for (QRgb shade : {Shade::Blue, Shade::Purple, Shade::Green}) {
        const int count = CountPixels(image, shade);
        QVERIFY2(drawn ? count > 0 : count == 0, ShadeName(shade).constData());
    }
    // The rest of the picture is there either way.
    QVERIFY(CountPixels(image, Shade::Red) > 0);
    QVERIFY(CountPixels(image, Shade::Silver) > 0);
}

void TestPlotRender::zoomingOutBringsTheLayerBack()
{
    // The tangent point at slider 91 is y = 20.42; zooming out without
    // touching the tangent slider keeps it and shows the layer again.
    for (int zahyoMax = 21; zahyoMax <= 36; ++zahyoMax) {
        LessonState s = ConfirmedLesson(1, 0, 0, 0, 20, 91);
        s.ZahyoMax = zahyoMax;
        const QImage image = RenderPlot(s);
        QVERIFY2(CountPixels(image, Shade::Blue) > 0, qPrintable(QString::number(zahyoMax)));
    }
}

QTEST_MAIN(TestPlotRender)
void TestPlotRender::slopeCurve()
{
    // y = x^3 at scale 20: the slope curve y' = 3x^2 is the parabola
    // 99 rows up for each 33 columns squared from the centre; the tangent
    // point at about x = 1, its slope about 3.
    LessonState s = ConfirmedLesson(1, 0, 0, 0, 20, 65);
    QCOMPARE(CountPixels(RenderPlot(s), Shade::Teal), 0);
    s.DoukansuAri = true;
    const QImage image = RenderPlot(s);
    const ZahyoMapping map(20, kPlotSize, kPlotSize);
    const DotPoint touch = map.Map(s.SettenPt.x, s.SettenPt.y);
    const DotPoint mark = map.Map(s.SettenPt.x, static_cast<float>(Dfx(s, s.SettenPt.x)));
    QVERIFY(mark.y > 30 && mark.y < touch.y - 30);

    // The point under the tangent point, and the guide up to it from the
    // tangent point, where no later line crosses it.
    VERIFY_SHADE(image, mark.x, mark.y, Shade::Teal);
    for (int y = mark.y + 3; y < touch.y - 3; ++y) {
        const QRgb seen = image.pixel(mark.x, y);
        QVERIFY2(seen == Shade::Teal || seen == Shade::Red || seen == Shade::Blue,
                 At(mark.x, y, seen).constData());
    }
    // Elsewhere teal only on the parabola.
    const auto row = [](double column) { return 330 - 99 * std::pow((column - 330) / 33, 2); };
    for (int x = 0; x < kPlotSize; ++x) {
        for (int y = 0; y < kPlotSize; ++y) {
            if (image.pixel(x, y) != Shade::Teal || std::abs(x - mark.x) <= 3)
                continue;
            // Within the 2-pixel pen's reach of the curve through its
            // rounded points.
            const double across = 33 * std::sqrt(std::max(0.0, (330 - y) / 99.0));
            const bool onCurve =
                std::fabs(y - row(x)) <= 3 || std::fabs(std::fabs(x - 330) - across) <= 3;
            QVERIFY2(onCurve, ("stray " + At(x, y, Shade::Teal)).constData());
        }
    }
    // In dashes: walked pixel by pixel along the curve, short of the point,
    // teal and not by turns where nothing is drawn over it, never a dash's
    // length without a gap nor a dash's length without teal.
    QByteArray along;
    double walked = 0;
    QPointF last(330 - 33 * 0.85, row(330 - 33 * 0.85));
    for (double column = last.x(); column <= 330 + 33 * 0.85; column += 0.01) {
        const QPointF at(column, row(column));
        walked += std::hypot(at.x() - last.x(), at.y() - last.y());
        last = at;
        if (walked < 1)
            continue;
        walked -= 1;
        // The curve, the tangent and the inflection point drawn over it hide
        // it there.
        const QRgb seen = image.pixel(qRound(at.x()), qRound(at.y()));
        if (seen != Shade::Red && seen != Shade::Blue && seen != Shade::Lime)
            along += seen == Shade::Teal ? '#' : '.';
    }
    QVERIFY2(along.count("#.") >= 7 && !along.contains(QByteArray(17, '#')) &&
                 !along.contains(QByteArray(9, '.')),
             along.constData());
}

#include "test_plot_render.moc"
