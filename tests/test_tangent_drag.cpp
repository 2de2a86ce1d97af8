// The tangent point grabbed on the plot and dragged along the curve, with the
// mouse and with fingers: it moves the tangent slider as a drag of its thumb
// does, and nothing else on the plot reacts.

#include "window_fixture.h"

#include "lesson/tangent_step.h"

#include <QPointingDevice>

namespace {
// The starting lesson y = x^3 has its tangent point on the centre pixel.
const QPoint kCentre(330, 330);

struct Drag {
    int zoomPosition;
    int column;   // where the pointer is let go
    int position; // where the tangent slider ends
    float x;      // the tangent point's x there
};

// Every position the tangent slider shows, in order, and how many times the
// plot was painted meanwhile.
class Notices : public QObject {
public:
    explicit Notices(TSessen_Form& f)
    {
        connect(f.ScrollBar2, &QAbstractSlider::valueChanged, this,
                [this](int position) { seen.append(position); });
        connect(f.PaintBox1, &PaintBox::painted, this, [this] { ++paints; });
    }
    QList<int> seen;
    int paints = 0;
};

void SetZoom(TSessen_Form& f, int zoomPosition)
{
    f.ScrollBar1->setValue(zoomPosition);
    f.scroll(*FindControlRow("ScrollBar1"), ScrollCode::EndScroll, zoomPosition);
}

void CheckDragEnd(TSessen_Form& f, const Notices& notices, int position, float x)
{
    QCOMPARE(f.ScrollBar2->value(), position);
    QCOMPARE(f.lesson().SettenPt.x, x);
    // The point the slider's own handler puts there.
    LessonState expected = f.lesson();
    MoveTangentPoint(expected, position);
    QCOMPARE(f.lesson().SettenPt, expected.SettenPt);
    // The slider stepped with the point, the plot followed each step, and
    // the point's place was said once it came to rest, as when the slider's
    // own thumb is let go.
    QVERIFY(notices.seen.size() >= 2);
    QCOMPARE(notices.seen.last(), position);
    QVERIFY(notices.paints >= notices.seen.size());
    QCOMPARE(f.announcer()->message().toStdString(),
             ChangeAnnouncement(f.lesson(), LessonChange::TangentPoint));
}
} // namespace

class TangentDragTest : public QObject {
    Q_OBJECT
private slots:
    void init() { form_ = StartedForm(); }
    void cleanup() { form_.reset(); }

    void mouseDrag_data();
    void mouseDrag();
    void touchDrag_data() { mouseDrag_data(); }
    void touchDrag();
    void pressAwayFromThePointDoesNothing();
    void hiddenPointCannotBeGrabbed();
    void handCursors();

private:
    std::unique_ptr<TSessen_Form> form_;
};

void TangentDragTest::mouseDrag_data()
{
    QTest::addColumn<int>("zoomPosition");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("position");
    QTest::addColumn<float>("x");

    // At the starting zoom 20 (33 pixels a unit, 1/15 unit a step) column 396
    // is x = 2, position 80; at zoom 36 (18.33 pixels a unit, 0.08 a step)
    // column 352 is x = 1.2, position 65.
    QTest::newRow("zoom 20") << 51 << 396 << 80 << 2.0f;
    QTest::newRow("zoom 36") << 0 << 352 << 65 << 1.2f;
    // Past the plot's edges the point stops at the slider's ends.
    QTest::newRow("past the right edge") << 51 << 700 << 100 << 10.0f / 3;
    QTest::newRow("past the left edge") << 51 << -40 << 0 << -10.0f / 3;
}

// Grabbed a few pixels off the point, dragged halfway and on to the column.
QList<int> MouseDrag(TSessen_Form& f, int column, Notices& notices)
{
    QTest::mousePress(f.PaintBox1, Qt::LeftButton, {}, kCentre + QPoint(6, -9));
    QTest::mouseMove(f.PaintBox1, QPoint((kCentre.x() + column) / 2, 200));
    QTest::mouseMove(f.PaintBox1, QPoint(column, 500));
    QTest::mouseRelease(f.PaintBox1, Qt::LeftButton, {}, QPoint(column, 500));
    return notices.seen;
}

void TangentDragTest::mouseDrag()
{
    QFETCH(int, zoomPosition);
    QFETCH(int, column);
    QFETCH(int, position);
    QFETCH(float, x);
    TSessen_Form& f = *form_;
    SetZoom(f, zoomPosition);
    Notices notices(f);
    MouseDrag(f, column, notices);
    CheckDragEnd(f, notices, position, x);
}

void TangentDragTest::touchDrag()
{
    QFETCH(int, zoomPosition);
    QFETCH(int, column);
    QFETCH(int, position);
    QFETCH(float, x);
    SetZoom(*form_, zoomPosition);
    Notices mouse(*form_);
    const QList<int> byMouse = MouseDrag(*form_, column, mouse);

    // The same drag with one finger on a fresh window, while a second finger
    // comes down elsewhere on the plot, moves and lifts: the second finger
    // changes nothing.
    form_ = StartedForm();
    TSessen_Form& f = *form_;
    SetZoom(f, zoomPosition);
    Notices notices(f);
    QPointingDevice* screen = QTest::createTouchDevice();
    QWidget* box = f.PaintBox1;
    QTest::touchEvent(box, screen).press(0, kCentre + QPoint(6, -9), box);
    QTest::touchEvent(box, screen)
        .move(0, QPoint((kCentre.x() + column) / 2, 200), box)
        .press(1, QPoint(100, 600), box);
    QTest::touchEvent(box, screen).stationary(0).move(1, QPoint(600, 100), box);
    QTest::touchEvent(box, screen).stationary(0).release(1, QPoint(600, 100), box);
    QTest::touchEvent(box, screen).move(0, QPoint(column, 500), box);
    QTest::touchEvent(box, screen).release(0, QPoint(column, 500), box);
    QCOMPARE(notices.seen, byMouse);
    CheckDragEnd(f, notices, position, x);
}

void TangentDragTest::pressAwayFromThePointDoesNothing()
{
    TSessen_Form& f = *form_;
    const LessonState before = f.lesson();
    Notices notices(f);
    // 30 pixels from the point, then dragged far.
    QTest::mousePress(f.PaintBox1, Qt::LeftButton, {}, kCentre + QPoint(0, 30));
    QTest::mouseMove(f.PaintBox1, QPoint(500, 400));
    QTest::mouseRelease(f.PaintBox1, Qt::LeftButton, {}, QPoint(500, 400));
    QVERIFY(notices.seen.isEmpty());
    QCOMPARE(f.ScrollBar2->value(), 50);
    QCOMPARE(f.lesson().SettenPt, before.SettenPt);
}

void TangentDragTest::hiddenPointCannotBeGrabbed()
{
    // y = x^3 at zoom 20, slider at 91: the point (3.07, 28.9) lies above the
    // view, so the tangent lines are hidden. Its column is 431.
    TSessen_Form& f = *form_;
    int position = 91;
    f.ScrollBar2->setValue(position);
    f.scroll(*FindControlRow("ScrollBar2"), ScrollCode::EndScroll, position);
    Notices notices(f);
    for (const QPoint at : {QPoint(431, 0), QPoint(431, 5)}) {
        QTest::mousePress(f.PaintBox1, Qt::LeftButton, {}, at);
        QTest::mouseMove(f.PaintBox1, kCentre);
        QTest::mouseRelease(f.PaintBox1, Qt::LeftButton, {}, kCentre);
    }
    QVERIFY(notices.seen.isEmpty());
    QCOMPARE(f.ScrollBar2->value(), 91);
}

void TangentDragTest::handCursors()
{
    TSessen_Form& f = *form_;
    QTest::mouseMove(f.PaintBox1, QPoint(100, 100));
    QCOMPARE(f.PaintBox1->cursor().shape(), Qt::ArrowCursor);
    QTest::mouseMove(f.PaintBox1, kCentre + QPoint(3, 3));
    QCOMPARE(f.PaintBox1->cursor().shape(), Qt::OpenHandCursor);
    QTest::mousePress(f.PaintBox1, Qt::LeftButton, {}, kCentre + QPoint(3, 3));
    QCOMPARE(f.PaintBox1->cursor().shape(), Qt::ClosedHandCursor);
    QTest::mouseMove(f.PaintBox1, QPoint(200, 330));
    QCOMPARE(f.PaintBox1->cursor().shape(), Qt::ClosedHandCursor);
    QTest::mouseRelease(f.PaintBox1, Qt::LeftButton, {}, QPoint(200, 330));
    QCOMPARE(f.PaintBox1->cursor().shape(), Qt::ArrowCursor);
}

QTEST_MAIN(TangentDragTest)
#include "test_tangent_drag.moc"
