// The far ends of what a pupil can set: coefficients of magnitude 9, the
// closest and the farthest zoom, the tangent slider at its ends, both toggles
// on. Every pixel coordinate the plot computes must stay far inside the range
// that Roundoff turns into whole pixels exactly; the sanitizer build runs
// these same paths and fails on any out-of-range conversion.

#include "coordinate_recorder.h"
#include "window_fixture.h"

#include "lesson/curve.h"
#include "lesson/tangent_step.h"
#include "plot/mapping.h"

#include <array>
#include <cmath>

namespace {

// The coordinates of the plot stay below this magnitude; Roundoff keeps the
// low 32 bits of a 64-bit truncation, so anything below 2^31 is exact.
constexpr double kCoordinateBound = 8.0e6;

using Coefficients = std::array<int, 4>;

void Press(QAbstractButton* button)
{
    QTest::mouseClick(button, Qt::LeftButton);
}

// Types a, b, c, d on the keypad and confirms each one.
void Enter(TSessen_Form& f, const Coefficients& k)
{
    PushButton* const digits[] = {f.Btn00, f.Btn01, f.Btn02, f.Btn03, f.Btn04,
                                  f.Btn05, f.Btn06, f.Btn07, f.Btn08, f.Btn09};
    for (int n = 1; n <= 4; ++n) {
        const int value = k[static_cast<std::size_t>(n - 1)];
        Press(f.selectorButton(n));
        if (value < 0)
            Press(f.BtnMinus);
        Press(digits[std::abs(value)]);
        Press(f.BtnKettei);
    }
}

void Key(ScrollNotifyBar* bar, Qt::Key key)
{
    bar->setFocus();
    QTest::keyClick(bar, key);
}

// The coefficient sets with the largest values, slopes and reach: all of
// magnitude 9 in every sign pattern, and a = ±1 with |b| = 9, whose
// inflection point lies at x = ±3 so that the tangent slider reaches x = ±7.
std::vector<LessonState> ExtremeLessons()
{
    std::vector<LessonState> lessons;
    for (int a : {-9, -1, 1, 9}) {
        for (int signs = 0; signs < 8; ++signs) {
            LessonState s;
            s.Keisu[1] = a;
            for (int n = 2; n <= 4; ++n)
                s.Keisu[n] = (signs >> (n - 2)) & 1 ? -9 : 9;
            Kyokusen_Update(s);
            lessons.push_back(s);
        }
    }
    return lessons;
}

// Rounds a pixel position that is known to be small, as a check of Roundoff.
int64_t Nearest(float value)
{
    return static_cast<int64_t>(std::llround(static_cast<double>(value)));
}

} // namespace

class TestExtremes : public QObject {
    Q_OBJECT
private slots:
    void windowAtTheEnds_data();
    void windowAtTheEnds();
    void everyReachablePixelIsExact();
};

void TestExtremes::windowAtTheEnds_data()
{
    QTest::addColumn<Coefficients>("coefficients");
    QTest::addColumn<int>("tangentZoomKey");
    QTest::addColumn<int>("tangentKey");
    QTest::addColumn<int>("zoomKey");
    const std::pair<const char*, Coefficients> sets[] = {{"all 9", {9, 9, 9, 9}},
                                                         {"all -9", {-9, -9, -9, -9}},
                                                         {"inflection at 3", {1, -9, 9, -9}},
                                                         {"inflection at -3", {-1, -9, -9, 9}}};
    // Home puts a slider at 0 (zoom 36), End at 100 (zoom 4).
    const std::pair<const char*, int> ends[] = {{"Home", Qt::Key_Home}, {"End", Qt::Key_End}};
    for (const auto& [set, k] : sets) {
        for (const auto& [tangentZoomName, tangentZoom] : ends) {
            for (const auto& [tangentName, tangent] : ends) {
                for (const auto& [zoomName, zoom] : ends) {
                    QTest::addRow("%s, tangent %s at zoom %s, then zoom %s", set, tangentName,
                                  tangentZoomName, zoomName)
                        << k << tangentZoom << tangent << zoom;
                }
            }
        }
    }
}

void TestExtremes::windowAtTheEnds()
{
    QFETCH(Coefficients, coefficients);
    QFETCH(int, tangentZoomKey);
    QFETCH(int, tangentKey);
    QFETCH(int, zoomKey);
    const auto form = StartedForm();
    TSessen_Form& f = *form;
    Enter(f, coefficients);
    for (int n = 1; n <= 4; ++n)
        QCOMPARE(f.lesson().Keisu[n], coefficients[static_cast<std::size_t>(n - 1)]);
    Press(f.BBtnSessenSu);
    Press(f.BBtnHojosen);
    QVERIFY(f.lesson().SessenSu2 && f.lesson().HojosenAri);

    Key(f.ScrollBar1, Qt::Key(tangentZoomKey));
    Key(f.ScrollBar2, Qt::Key(tangentKey));
    Key(f.ScrollBar1, Qt::Key(zoomKey));
    const LessonState& s = f.lesson();
    QCOMPARE(s.ZahyoMax, zoomKey == Qt::Key_Home ? 36 : 4);
    QCOMPARE(s.SettenPt.y, static_cast<float>(Fx(s, s.SettenPt.x)));
    QVERIFY(std::fabs(s.SettenPt.x - s.TenvoriPt.x) <= 4.0f);

    const double farthest = FarthestPlotCoordinate(s);
    QVERIFY2(farthest < kCoordinateBound, qPrintable(QString::number(farthest)));
    QImage image(660, 660, QImage::Format_RGB32);
    QPainter painter(&image);
    PaintPlot(painter, s, 660, 660);
    painter.end();
    // The picture is the one the window shows.
    QCOMPARE(PlotPicture(f), image);
}

void TestExtremes::everyReachablePixelIsExact()
{
    // Every end point the plot can map, for the extreme lessons at every zoom:
    // the 1000 curve points, and both ends of the tangent at every point the
    // tangent slider can reach at any zoom (the symmetric point of position p
    // is the point of position 100 - p). Each must round to the nearest whole
    // pixel, which it only does while Roundoff stays inside its exact range.
    double farthest = 0;
    int64_t mapped = 0;
    const auto check = [&](const ZahyoMapping& mapping, float x, float y) {
        const TZahyoR dot = mapping.ZahyotoDot(ZahyoR(x, y));
        const DotPoint p = ZahyoRtoPoint(dot);
        ++mapped;
        farthest = std::max({farthest, std::fabs(double(dot.x)), std::fabs(double(dot.y))});
        return std::fabs(dot.x) < kCoordinateBound && std::fabs(dot.y) < kCoordinateBound &&
               p.x == Nearest(dot.x) && p.y == Nearest(dot.y);
    };
    for (LessonState s : ExtremeLessons()) {
        const auto name = [&s] {
            return QString("y = %1x^3 + %2x^2 + %3x + %4")
                .arg(s.Keisu[1])
                .arg(s.Keisu[2])
                .arg(s.Keisu[3])
                .arg(s.Keisu[4]);
        };
        for (int32_t zoom = 4; zoom <= 36; ++zoom) {
            const ZahyoMapping mapping(zoom, 660, 660);
            const float step = static_cast<float>(Extended(2 * zoom) / Extended(1000));
            float x = static_cast<float>(-zoom);
            for (int k = 0; k < 1000; ++k) {
                x = static_cast<float>(Extended(x) + Extended(step));
                if (!check(mapping, x, static_cast<float>(Fx(s, x))))
                    QFAIL(qPrintable(QString("%1 at %2, x = %3").arg(name()).arg(zoom).arg(x)));
            }
        }
        for (int32_t tangentZoom = 4; tangentZoom <= 36; ++tangentZoom) {
            s.ZahyoMax = tangentZoom;
            for (int position = 0; position <= 100; ++position) {
                MoveTangentPoint(s, position);
                const float x0 = s.SettenPt.x;
                const float y0 = s.SettenPt.y;
                const Extended slope = Dfx(s, x0);
                for (int32_t zoom = 4; zoom <= 36; ++zoom) {
                    const ZahyoMapping mapping(zoom, 660, 660);
                    for (int side : {-1, 1}) {
                        const int32_t end = side * zoom;
                        const float y = static_cast<float>(Extended(y0) +
                                                           slope * (Extended(end) - Extended(x0)));
                        if (!check(mapping, static_cast<float>(end), y))
                            QFAIL(qPrintable(QString("%1, tangent at %2 (zoom %3) seen at %4")
                                                 .arg(name())
                                                 .arg(x0)
                                                 .arg(tangentZoom)
                                                 .arg(zoom)));
                    }
                }
            }
        }
    }
    qInfo("%lld end points mapped, the farthest %.0f pixels from the origin",
          static_cast<long long>(mapped), farthest);
}

QTEST_MAIN(TestExtremes)
#include "test_extremes.moc"
