// The plot area shows the base (area, grid, curve and dot) from an image that
// is drawn again only when the coefficients, the view scale or the device's
// scale change, with the tangent layer drawn over it. That may not change a
// pixel: every picture is compared with all layers drawn straight onto the
// same surface. The program also hands QPainter only what can reach the
// area; that picture is compared with the one where every item is handed
// over whole.

#include "app/cached_plot.h"
#include "lesson/curve.h"
#include "lesson/tangent_step.h"
#include "lesson_builders.h"
#include "plot_reference.h"

#include <QtTest>

#include <array>

namespace {
constexpr int kArea = 660;
const QColor kUnpainted(0x12, 0x34, 0x56);

struct Toggles {
    bool secondTangent;
    bool chord;
};
// The three states the two buttons can reach.
constexpr std::array<Toggles, 3> kToggles{{{false, false}, {true, false}, {true, true}}};

constexpr std::array<int, 5> kTangentPositions{0, 31, 100, 50, 80};

// Where the window's paint box sits in its backing store; painting there goes
// through a translated painter.
const QPoint kWindowOffset(8, 29);

// A surface the size of the window's corner up to the plot's far edge, at the
// device pixel ratio, in a colour the plot never uses, so that a pixel left
// unpainted shows up too.
QImage Surface(qreal ratio, QPoint offset)
{
    const QSize logical(kArea + offset.x(), kArea + offset.y());
    QImage image((QSizeF(logical) * ratio).toSize(), QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(kUnpainted);
    return image;
}

// The plot drawn by `paint` onto a surface at the ratio, with the window's
// offset.
template <typename Paint> QImage Drawn(qreal ratio, QPoint offset, Paint paint)
{
    QImage image = Surface(ratio, offset);
    QPainter painter(&image);
    painter.translate(offset);
    paint(painter);
    return image;
}

QImage Cached(CachedPlot& plot, const LessonState& lesson, qreal ratio, QPoint offset)
{
    return Drawn(ratio, offset,
                 [&](QPainter& painter) { plot.paint(painter, lesson, QSize(kArea, kArea)); });
}

// Every layer straight onto the surface, as the program draws them.
QImage Direct(const LessonState& lesson, qreal ratio, QPoint offset)
{
    return Drawn(ratio, offset,
                 [&](QPainter& painter) { PaintPlot(painter, lesson, kArea, kArea); });
}

// Every layer straight onto the surface, every item handed over whole.
QImage Whole(const LessonState& lesson, qreal ratio, QPoint offset)
{
    return Drawn(ratio, offset,
                 [&](QPainter& painter) { PaintPlotReference(painter, lesson, kArea, kArea); });
}

// The first device pixel where the two differ, or, with a reach of 1, the
// first whose colour is nowhere within one device pixel in the reference.
QByteArray FirstDifference(const QImage& seen, const QImage& reference, int reach = 0)
{
    if (seen == reference)
        return {};
    for (int y = 0; y < seen.height(); ++y) {
        for (int x = 0; x < seen.width(); ++x) {
            const QRgb colour = seen.pixel(x, y);
            bool found = colour == reference.pixel(x, y);
            for (int dy = -reach; dy <= reach && !found; ++dy) {
                for (int dx = -reach; dx <= reach && !found; ++dx) {
                    const QPoint p(x + dx, y + dy);
                    found = reference.rect().contains(p) && reference.pixel(p) == colour;
                }
            }
            if (!found) {
                return QStringLiteral("device pixel (%1, %2): %3, the whole drawing %4")
                    .arg(x)
                    .arg(y)
                    .arg(QColor(colour).name(), QColor(reference.pixel(x, y)).name())
                    .toLatin1();
            }
        }
    }
    return {};
}
} // namespace

class PlotCacheTest : public QObject {
    Q_OBJECT
private slots:
    void sameAsTheWholeDrawing_data();
    void sameAsTheWholeDrawing();
    void beforeTheLesson();
    void baseIsDrawnAgainOnlyWhenItChanges();
    void thinLineLeavesOutItsEndPixel_data();
    void thinLineLeavesOutItsEndPixel();
};

void PlotCacheTest::sameAsTheWholeDrawing_data()
{
    QTest::addColumn<int>("a");
    QTest::addColumn<int>("b");
    QTest::addColumn<int>("c");
    QTest::addColumn<int>("d");
    QTest::addColumn<int>("zahyoMax");
    QTest::addColumn<qreal>("ratio");

    // The starting lesson; an inflection point far below the area; the
    // steepest cubics of the keypad, falling and rising; a cubic with three
    // visible crossings; gentle and steep curves with the inflection point off
    // the centre; the flattest rising cubic.
    constexpr std::array<std::array<int, 4>, 10> cubics{{
        {1, 0, 0, 0},
        {1, -9, 0, 0},
        {-9, -9, -9, -9},
        {9, 9, 9, 9},
        {1, 0, -9, 0},
        {-1, 3, 0, -2},
        {2, -5, -4, 3},
        {-9, 9, -9, 9},
        {1, 6, 9, 1},
        {1, 0, 6, 0},
    }};
    // Both ends of the zoom, a zoom where no grid line meets the edge, the
    // starting zoom, and zooms at odd pixel pitches.
    constexpr std::array<int, 7> zooms{4, 7, 13, 20, 29, 33, 36};
    // A plain screen, a screen at 200 % (a projector), and one at 150 %.
    for (const qreal ratio : {1.0, 2.0, 1.5}) {
        for (const auto& k : cubics) {
            for (const int zoom : zooms) {
                QTest::addRow("%dx^3%+dx^2%+dx%+d at %d, ratio %.1f", k[0], k[1], k[2], k[3], zoom,
                              ratio)
                    << k[0] << k[1] << k[2] << k[3] << zoom << ratio;
            }
        }
    }
}

void PlotCacheTest::sameAsTheWholeDrawing()
{
    QFETCH(int, a);
    QFETCH(int, b);
    QFETCH(int, c);
    QFETCH(int, d);
    QFETCH(int, zahyoMax);
    QFETCH(qreal, ratio);

    // One cache for each place of the plot on the surface, kept for the whole
    // walk as in the window: the slider steps and the toggles reuse the base
    // drawn for the first picture.
    for (const QPoint offset : {QPoint(0, 0), kWindowOffset}) {
        CachedPlot plot;
        LessonState lesson = ConfirmedLesson(a, b, c, d, zahyoMax);
        for (const int position : kTangentPositions) {
            MoveTangentPoint(lesson, position);
            for (const Toggles toggles : kToggles) {
                lesson.SessenSu2 = toggles.secondTangent;
                lesson.HojosenAri = toggles.chord;
                const QByteArray fault = FirstDifference(Cached(plot, lesson, ratio, offset),
                                                         Direct(lesson, ratio, offset));
                QVERIFY2(fault.isEmpty(),
                         ("tangent slider at " + QByteArray::number(position) +
                          ", second tangent " + QByteArray::number(toggles.secondTangent) +
                          ", chord " + QByteArray::number(toggles.chord) + ", offset " +
                          QByteArray::number(offset.y()) + ": " + fault)
                             .constData());
            }
        }
        QCOMPARE(plot.baseDrawings(), 1);

        // Handed over whole, a curve that runs millions of pixels beyond the
        // area is cut by Qt before it is filled, which can move the curve's
        // edge where it leaves the area by a device pixel; nothing more.
        const QByteArray moved =
            FirstDifference(Direct(lesson, ratio, offset), Whole(lesson, ratio, offset), 1);
        QVERIFY2(moved.isEmpty(), moved.constData());
    }
}

void PlotCacheTest::beforeTheLesson()
{
    // A paint request before the first lesson reset, with no view scale yet.
    CachedPlot plot;
    const LessonState lesson;
    QCOMPARE(Cached(plot, lesson, 1, QPoint(0, 0)), Whole(lesson, 1, QPoint(0, 0)));
}

void PlotCacheTest::baseIsDrawnAgainOnlyWhenItChanges()
{
    CachedPlot plot;
    LessonState lesson = ConfirmedLesson(1, 0, 0, 0, 20);
    const auto paint = [&](qreal ratio = 1) { Cached(plot, lesson, ratio, QPoint(0, 0)); };
    paint();
    QCOMPARE(plot.baseDrawings(), 1);

    // What the tangent layer alone shows.
    MoveTangentPoint(lesson, 80);
    lesson.SessenSu2 = true;
    lesson.HojosenAri = true;
    paint();
    QCOMPARE(plot.baseDrawings(), 1);

    // A zoom step that changes the view scale, and one that does not.
    lesson.ZahyoMax = 19;
    paint();
    QCOMPARE(plot.baseDrawings(), 2);
    paint();
    QCOMPARE(plot.baseDrawings(), 2);

    // A confirmation that changes a coefficient.
    lesson.Keisu[4] = -3;
    Kyokusen_Update(lesson);
    paint();
    QCOMPARE(plot.baseDrawings(), 3);

    // The window moved to a screen of another density.
    paint(2);
    QCOMPARE(plot.baseDrawings(), 4);
}

void PlotCacheTest::thinLineLeavesOutItsEndPixel_data()
{
    QTest::addColumn<QPoint>("from");
    QTest::addColumn<QPoint>("to");
    QTest::newRow("shallow") << QPoint(200, 300) << QPoint(420, 355);
    QTest::newRow("steep") << QPoint(396, 66) << QPoint(264, 594);
    QTest::newRow("diagonal") << QPoint(100, 500) << QPoint(300, 300);
    QTest::newRow("row") << QPoint(50, 40) << QPoint(600, 40);
    QTest::newRow("column") << QPoint(70, 20) << QPoint(70, 640);
    // One end far outside the area, the other inside it.
    QTest::newRow("far left") << QPoint(400, 300) << QPoint(-300, 350);
    QTest::newRow("far above") << QPoint(330, 330) << QPoint(380, -4000000);
    // Both ends outside, across the whole area.
    QTest::newRow("across") << QPoint(990, 120) << QPoint(-330, 120);
}

void PlotCacheTest::thinLineLeavesOutItsEndPixel()
{
    // A 1-pixel line paints its start pixel and not its end pixel, whichever
    // way it runs: drawn the other way round it paints the same pixels with
    // the two ends traded. A line to its own start pixel paints nothing. The
    // same holds for the line on its own and as the plot draws it.
    QFETCH(QPoint, from);
    QFETCH(QPoint, to);
    const auto line = [&](bool whole, QPoint a, QPoint b) {
        PlotRecorder recorder(kArea, kArea);
        recorder.moveTo(DotPoint{a.x(), a.y()});
        recorder.lineTo(DotPoint{b.x(), b.y()});
        const PlotGeometry plot = recorder.take();
        QImage image = Surface(1, QPoint(0, 0));
        QPainter painter(&image);
        PreparePlotPainter(painter, kArea, kArea);
        if (whole)
            DrawItemAsItIs(painter, plot, plot.items.front());
        else
            PaintPlotGeometry(painter, plot);
        return image;
    };
    const auto paint = [&](QImage& image, QPoint p, const QColor& color) {
        if (image.rect().contains(p))
            image.setPixelColor(p, color);
    };
    const QImage whole = line(true, from, to);
    for (const bool asWhole : {true, false}) {
        QImage forward = line(asWhole, from, to);
        QImage backward = line(asWhole, to, from);
        QCOMPARE(forward, whole);
        if (forward.rect().contains(from))
            QCOMPARE(forward.pixelColor(from), QColor(Qt::black));
        if (forward.rect().contains(to))
            QCOMPARE(forward.pixelColor(to), kUnpainted);
        paint(forward, to, Qt::black);
        paint(backward, from, Qt::black);
        QCOMPARE(forward, backward);
        QCOMPARE(line(asWhole, from, from), Surface(1, QPoint(0, 0)));
    }
}

QTEST_MAIN(PlotCacheTest)
#include "test_plot_cache.moc"
