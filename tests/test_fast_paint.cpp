// The canvas the program paints with leaves out whatever cannot reach the
// plot area and cuts the grid lines to it. None of that may change a pixel:
// every lesson here is painted both ways, once with the culled canvas and
// once with every line and curve segment handed to QPainter whole, and the
// two pictures must be equal bit for bit.

#include "lesson/curve.h"
#include "lesson/tangent_step.h"
#include "lesson_builders.h"
#include "plot/area_fills.h"
#include "plot/plot_canvas.h"
#include "plot/plot_layers.h"

#include <QRandomGenerator>
#include <QtTest>

#include <array>

namespace {
constexpr int kArea = 660;

struct Toggles {
    bool secondTangent;
    bool chord;
};
// The three states the two buttons can reach.
constexpr std::array<Toggles, 3> kToggles{{{false, false}, {true, false}, {true, true}}};

constexpr std::array<int, 4> kTangentPositions{0, 50, 80, 100};

// Where the window's paint box sits in its backing store; painting there goes
// through a translated painter.
const QPoint kWindowOffset(8, 29);

// The picture on a canvas of a colour the plot never uses, so that a pixel
// left unpainted by one way of painting shows up too.
QImage Paint(const LessonState& lesson, CanvasMode mode, QPoint offset)
{
    QImage image(kArea + offset.x(), kArea + offset.y(), QImage::Format_RGB32);
    image.fill(QColor(0x12, 0x34, 0x56));
    QPainter painter(&image);
    painter.translate(offset);
    PaintPlot(painter, lesson, kArea, kArea, mode);
    painter.end();
    return image;
}

QByteArray FirstDifference(const QImage& culled, const QImage& whole)
{
    for (int y = 0; y < culled.height(); ++y) {
        for (int x = 0; x < culled.width(); ++x) {
            if (culled.pixel(x, y) != whole.pixel(x, y)) {
                return QStringLiteral("pixel (%1, %2): culled %3, whole %4")
                    .arg(x)
                    .arg(y)
                    .arg(culled.pixel(x, y), 8, 16, QLatin1Char('0'))
                    .arg(whole.pixel(x, y), 8, 16, QLatin1Char('0'))
                    .toLatin1();
            }
        }
    }
    return {};
}
} // namespace

class FastPaintTest : public QObject {
    Q_OBJECT
private slots:
    void culledEqualsWhole_data();
    void culledEqualsWhole();
    void beforeTheLessonEqualsWhole();
    void thinLineLeavesOutItsEndPixel_data();
    void thinLineLeavesOutItsEndPixel();
    void areaFillsAsFilledInOrder_data();
    void areaFillsAsFilledInOrder();
};

void FastPaintTest::culledEqualsWhole_data()
{
    QTest::addColumn<int>("a");
    QTest::addColumn<int>("b");
    QTest::addColumn<int>("c");
    QTest::addColumn<int>("d");
    QTest::addColumn<int>("zahyoMax");

    struct Cubic {
        std::array<int32_t, 4> keisu;
    };
    // The starting lesson; an inflection point far below the area; the
    // steepest cubics of the keypad, falling and rising; a cubic with three
    // visible crossings; gentle and steep curves with the inflection point off
    // the centre; the flattest rising cubic.
    constexpr std::array<Cubic, 10> cubics{{
        {{1, 0, 0, 0}},
        {{1, -9, 0, 0}},
        {{-9, -9, -9, -9}},
        {{9, 9, 9, 9}},
        {{1, 0, -9, 0}},
        {{-1, 3, 0, -2}},
        {{2, -5, -4, 3}},
        {{-9, 9, -9, 9}},
        {{1, 6, 9, 1}},
        {{1, 0, 6, 0}},
    }};
    // Both ends of the zoom, a zoom where no grid line meets the edge, the
    // starting zoom, and zooms at odd pixel pitches.
    constexpr std::array<int32_t, 7> zooms{4, 7, 13, 20, 29, 33, 36};
    for (const Cubic& cubic : cubics) {
        for (const int32_t zoom : zooms) {
            const auto& k = cubic.keisu;
            QTest::addRow("%dx^3%+dx^2%+dx%+d at %d", k[0], k[1], k[2], k[3], zoom)
                << k[0] << k[1] << k[2] << k[3] << zoom;
        }
    }
}

void FastPaintTest::culledEqualsWhole()
{
    QFETCH(int, a);
    QFETCH(int, b);
    QFETCH(int, c);
    QFETCH(int, d);
    QFETCH(int, zahyoMax);

    LessonState lesson = ConfirmedLesson(a, b, c, d, zahyoMax);
    for (const int position : kTangentPositions) {
        MoveTangentPoint(lesson, position);
        for (const Toggles toggles : kToggles) {
            lesson.SessenSu2 = toggles.secondTangent;
            lesson.HojosenAri = toggles.chord;
            for (const QPoint offset : {QPoint(0, 0), kWindowOffset}) {
                const QImage culled = Paint(lesson, CanvasMode::Culled, offset);
                const QImage whole = Paint(lesson, CanvasMode::Whole, offset);
                QVERIFY2(culled == whole,
                         QByteArray(
                             "tangent slider at " + QByteArray::number(position) +
                             ", second tangent " + QByteArray::number(toggles.secondTangent) +
                             ", chord " + QByteArray::number(toggles.chord) + ", offset " +
                             QByteArray::number(offset.x()) + ": " + FirstDifference(culled, whole))
                             .constData());
            }
        }
    }
}

void FastPaintTest::beforeTheLessonEqualsWhole()
{
    // A paint request before the first lesson reset, with no view scale yet.
    const LessonState lesson;
    QCOMPARE(Paint(lesson, CanvasMode::Culled, QPoint(0, 0)),
             Paint(lesson, CanvasMode::Whole, QPoint(0, 0)));
}

void FastPaintTest::thinLineLeavesOutItsEndPixel_data()
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
}

void FastPaintTest::thinLineLeavesOutItsEndPixel()
{
    // A 1-pixel line paints its start pixel and not its end pixel, whichever
    // way it runs: drawn the other way round it paints the same pixels with
    // the two ends traded. A line to its own start pixel paints nothing.
    QFETCH(QPoint, from);
    QFETCH(QPoint, to);
    const QColor background(0x12, 0x34, 0x56);
    const auto line = [&](CanvasMode mode, QPoint a, QPoint b) {
        QImage image(kArea, kArea, QImage::Format_RGB32);
        image.fill(background);
        QPainter painter(&image);
        PlotCanvas canvas(painter, kArea, kArea, mode);
        canvas.setPenColor(0x000000);
        canvas.moveTo(DotPoint{a.x(), a.y()});
        canvas.lineTo(DotPoint{b.x(), b.y()});
        return image;
    };
    const auto paint = [&](QImage& image, QPoint p, const QColor& color) {
        if (image.rect().contains(p))
            image.setPixelColor(p, color);
    };
    for (const CanvasMode mode : {CanvasMode::Culled, CanvasMode::Whole}) {
        QImage forward = line(mode, from, to);
        QImage backward = line(mode, to, from);
        if (forward.rect().contains(from))
            QCOMPARE(forward.pixelColor(from), QColor(Qt::black));
        if (forward.rect().contains(to))
            QCOMPARE(forward.pixelColor(to), background);
        paint(forward, to, Qt::black);
        paint(backward, from, Qt::black);
        QCOMPARE(forward, backward);

        QImage untouched(kArea, kArea, QImage::Format_RGB32);
        untouched.fill(background);
        QCOMPARE(line(mode, from, from), untouched);
    }
}

void FastPaintTest::areaFillsAsFilledInOrder_data()
{
    QTest::addColumn<int>("seed");
    for (const int seed : {1, 2, 3, 4, 5, 6})
        QTest::addRow("seed %d", seed) << seed;
}

void FastPaintTest::areaFillsAsFilledInOrder()
{
    // Rectangles like the grid's, and others that overlap each other, lay
    // over one another as if each were filled in turn.
    QFETCH(int, seed);
    constexpr int kSize = 120;
    QRandomGenerator random(static_cast<quint32>(seed));
    const auto coordinate = [&random]() { return random.bounded(-10, kSize + 10); };
    const QColor colors[] = {Qt::white, Qt::black, Qt::gray, Qt::red, Qt::blue};
    struct Fill {
        QRect rect;
        QColor color;
    };
    std::vector<Fill> fills{{QRect(0, 0, kSize, kSize), Qt::white}};
    for (int k = 0; k < 60; ++k) {
        const QColor color = colors[random.bounded(5)];
        switch (random.bounded(4)) {
        case 0: // a full column
            fills.push_back({QRect(coordinate(), -5, 1 + random.bounded(3), kSize + 10), color});
            break;
        case 1: // a full row
            fills.push_back({QRect(-5, coordinate(), kSize + 10, 1 + random.bounded(2)), color});
            break;
        default: // anything
            fills.push_back(
                {QRect(QPoint(coordinate(), coordinate()), QPoint(coordinate(), coordinate()))
                     .normalized(),
                 color});
        }
    }
    // Without the first fill no row is common to every column.
    for (const bool whole : {true, false}) {
        QImage together(kSize, kSize, QImage::Format_RGB32);
        QImage oneByOne(kSize, kSize, QImage::Format_RGB32);
        together.fill(QColor(0x12, 0x34, 0x56));
        oneByOne.fill(QColor(0x12, 0x34, 0x56));
        AreaFills areaFills(QSize(kSize, kSize));
        QPainter byOne(&oneByOne);
        byOne.setClipRect(0, 0, kSize, kSize);
        for (std::size_t i = whole ? 0 : 1; i < fills.size(); ++i) {
            areaFills.add(fills[i].rect, fills[i].color);
            byOne.fillRect(fills[i].rect, fills[i].color);
        }
        byOne.end();
        QPainter painter(&together);
        painter.setClipRect(0, 0, kSize, kSize);
        areaFills.paint(painter);
        painter.end();
        QCOMPARE(together, oneByOne);
    }
}

QTEST_MAIN(FastPaintTest)
#include "test_fast_paint.moc"
