// Presentation mode: the whole lesson drawn larger by a factor, every control
// at its place times the factor with its font grown as much, and the plot
// drawn at that size rather than stretched; F11 switches it and Escape leaves
// it. Run at the screen's own scale 1 and 2: the two factors multiply.

#include "window_fixture.h"

#include "app/control_bindings.h"
#include "app/plot_painter.h"
#include "lesson/tangent_step.h"

#include <QPainter>

#include <cmath>

namespace {
// The factors of a 1920 x 1080 and a 3840 x 2160 screen.
constexpr qreal kFactors[] = {1.40625, 2.8125};

struct Snapshot {
    QList<QRect> places;
    QList<int> fontSizes;
    friend bool operator==(const Snapshot&, const Snapshot&) = default;
};

Snapshot TakeSnapshot(const TSessen_Form& form)
{
    Snapshot snapshot;
    for (const ControlRow& row : ControlTable()) {
        const QWidget* control = ControlOf(form, row);
        snapshot.places << control->geometry();
        snapshot.fontSizes << control->font().pixelSize();
    }
    return snapshot;
}

// The controls in the order Tab visits them.
QList<QWidget*> TabChain(QWidget* first)
{
    QList<QWidget*> chain{first};
    for (QWidget* w = first->nextInFocusChain(); w != first && chain.size() < 200;
         w = w->nextInFocusChain()) {
        if (w->focusPolicy() & Qt::TabFocus && w->isVisibleTo(first->window()))
            chain << w;
    }
    return chain;
}
} // namespace

class PresentationTest : public QObject {
    Q_OBJECT
private slots:
    void init() { form_ = StartedForm(); }
    void cleanup() { form_.reset(); }

    void everythingGrows_data();
    void everythingGrows();
    void f11AndEscape();

private:
    std::unique_ptr<TSessen_Form> form_;
};

void PresentationTest::everythingGrows_data()
{
    QTest::addColumn<qreal>("factor");
    for (const qreal factor : kFactors)
        QTest::addRow("%g", factor) << factor;
}

void PresentationTest::everythingGrows()
{
    QFETCH(qreal, factor);
    TSessen_Form& f = *form_;
    // A lesson with something on every layer.
    f.press(*FindControlRow("BBtnSessenSu"));
    f.press(*FindControlRow("BBtnHojosen"));
    int position = 80;
    f.ScrollBar2->setValue(position);
    f.scroll(*FindControlRow("ScrollBar2"), ScrollCode::EndScroll, position);
    const LessonState lesson = f.lesson();
    const Snapshot before = TakeSnapshot(f);
    const QList<QWidget*> tabs = TabChain(f.ScrollBar1);

    f.setLayoutScale(factor);
    const auto rows = ControlTable();
    for (std::size_t k = 0; k < rows.size(); ++k) {
        const QRect place = ControlOf(f, rows[k])->geometry();
        const QRect layout = RectOf(rows[k].place);
        for (const auto& [scaled, own] : {std::pair{place.left(), layout.left()},
                                          {place.top(), layout.top()},
                                          {place.right() + 1, layout.right() + 1},
                                          {place.bottom() + 1, layout.bottom() + 1}}) {
            QVERIFY2(
                std::abs(scaled - own * factor) <= 0.5,
                qPrintable(QStringLiteral("%1 at %2").arg(QLatin1String(rows[k].id)).arg(scaled)));
        }
        if (rows[k].font) {
            const int size = before.fontSizes[static_cast<qsizetype>(k)];
            QCOMPARE(ControlOf(f, rows[k])->font().pixelSize(), qRound(size * factor));
        }
    }
    QCOMPARE(TabChain(f.ScrollBar1), tabs);
    QCOMPARE(f.lesson().SettenPt, lesson.SettenPt);
    QCOMPARE(f.lesson().ZahyoMax, lesson.ZahyoMax);

    // The plot as the window shows it is the lesson's geometry drawn at the
    // factor, at the screen's resolution: not an enlarged 660 x 660 picture.
    const QImage shown = f.PaintBox1->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QImage direct(shown.size(), QImage::Format_RGB32);
    direct.setDevicePixelRatio(shown.devicePixelRatio());
    direct.fill(Qt::black);
    {
        QPainter painter(&direct);
        painter.scale(factor, factor);
        PaintPlot(painter, lesson, 660, 660);
    }
    QCOMPARE(shown.size(), (QSizeF(f.PaintBox1->size()) * f.devicePixelRatioF()).toSize());
    QVERIFY(shown == direct);

    // And back: every control where it was.
    f.setLayoutScale(1);
    QVERIFY(TakeSnapshot(f) == before);
}

void PresentationTest::f11AndEscape()
{
    TSessen_Form& f = *form_;
    const Snapshot before = TakeSnapshot(f);
    QTest::keyClick(f.ScrollBar2, Qt::Key_Escape);
    QVERIFY(!f.presenting());

    QTest::keyClick(f.BtnKettei, Qt::Key_F11);
    QVERIFY(f.presenting());
    QVERIFY(f.windowState() & Qt::WindowFullScreen);
    const QSize screen = f.screen()->geometry().size();
    const qreal factor = std::min(screen.width() / 1024.0, screen.height() / 768.0);
    QCOMPARE(f.layoutScale(), factor);
    QCOMPARE(f.PaintBox1->width(), qRound(668 * factor) - qRound(8 * factor));
    // Escape leaves it and does nothing else: no key is pressed, the lesson
    // stays.
    const LessonState lesson = f.lesson();
    QTest::keyClick(f.BtnKettei, Qt::Key_Escape);
    QVERIFY(!f.presenting());
    QVERIFY(!(f.windowState() & Qt::WindowFullScreen));
    QCOMPARE(f.lesson().Keisu, lesson.Keisu);
    QCOMPARE(f.lesson().KeisuNo, lesson.KeisuNo);
    QVERIFY(TakeSnapshot(f) == before);

    QTest::keyClick(f.ScrollBar1, Qt::Key_F11);
    QVERIFY(f.presenting());
    QTest::keyClick(f.ScrollBar1, Qt::Key_F11);
    QVERIFY(!f.presenting());
    QVERIFY(TakeSnapshot(f) == before);
}

QTEST_MAIN(PresentationTest)
#include "test_presentation.moc"
