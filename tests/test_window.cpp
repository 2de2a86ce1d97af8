// The lesson window driven as a pupil drives it: geometry and keyboard order,
// the control kinds, the lesson reset, the keypad and confirmation, the
// sliders and toggles.

#include "window_fixture.h"

#include "app/control_bindings.h"
#include "app/plot_painter.h"
#include "app/tavrine_application.h"
#include "entry/lesson_paper.h"
#include "lesson/colors.h"
#include "lesson/contrast_palette.h"
#include "lesson/tangent_step.h"

#include <QMessageBox>
#include <QPainter>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStyleOptionSlider>

#include <map>
#include <stdexcept>

using Scroll = QPair<ScrollCode, int>;
Q_DECLARE_METATYPE(ScrollCode)

namespace {
// Records every scroll notification of a bar.
struct ScrollLog {
    explicit ScrollLog(ScrollNotifyBar* bar)
    {
        QObject::connect(bar, &ScrollNotifyBar::scroll, bar, [this](ScrollCode code, int& pos) {
            events.append({code, pos});
        });
    }
    QList<Scroll> events;
};

QString Text(const QWidget* w)
{
    if (auto* label = qobject_cast<const QLabel*>(w))
        return label->text();
    if (auto* button = qobject_cast<const QAbstractButton*>(w))
        return button->text();
    if (auto* box = qobject_cast<const QGroupBox*>(w))
        return box->title();
    return {};
}

// Types keys on the window's keypad with mouse clicks: a b c d e select,
// 0..9 and - are the keypad keys, K is "決定".
void Type(TSessen_Form& f, const QString& keys)
{
    for (QChar key : keys) {
        QWidget* target = nullptr;
        if (key >= 'a' && key <= 'd')
            target = f.selectorButton(key.unicode() - 'a' + 1);
        else if (key == 'e')
            target = f.SbnSiki;
        else if (key == '-')
            target = f.BtnMinus;
        else if (key == 'K')
            target = f.BtnKettei;
        else {
            PushButton* digits[] = {f.Btn00, f.Btn01, f.Btn02, f.Btn03, f.Btn04,
                                    f.Btn05, f.Btn06, f.Btn07, f.Btn08, f.Btn09};
            target = digits[key.unicode() - '0'];
        }
        Click(target);
    }
}

int LatchedTarget(const TSessen_Form& f)
{
    int latched = 0;
    for (int n = 1; n <= 5; ++n) {
        if (f.selectorButton(n)->isChecked()) {
            if (latched != 0)
                return -1;
            latched = n;
        }
    }
    return latched;
}
} // namespace

class TestWindow : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { qRegisterMetaType<ScrollCode>(); }

    void geometry_data();
    void geometry();
    void windowFrameAndBackground();
    void japaneseFonts();
    void scrollsWhenSmaller();
    void keyboardOrder();
    void pushButtonKeys();
    void keyboardDigitsPressTheKeypad_data();
    void keyboardDigitsPressTheKeypad();
    void speedButtonGroup();
    void scrollBarKeys_data();
    void scrollBarKeys();
    void scrollBarMouse();
    void scrollHandlerMayChangePosition();
    void programSetsPositionSilently();

    void startingLesson();
    void firstFrameShowsLesson();
    void noSecondReset();

    void keypadByMouse();
    void confirmationGuard_data();
    void confirmationGuard();
    void selectionWalk();
    void equationButtonConfirms();
    void equationTextFromConfirmedIntegers_data();
    void equationTextFromConfirmedIntegers();
    void confirmationCentresTangentSlider();

    void zoomSlider();
    void tangentSliderMovesTangent();
    void tangentSliderDrag();
    void toggles();
    void highContrast();

    void errorInHandlerIsShown();
    void savingWhereNothingCanBeWritten();
    void quitButtonEndsLoop();
    void closeBoxEndsLoop();
};

void TestWindow::geometry_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("parent");
    QTest::addColumn<QRect>("rect");
    QTest::addColumn<QString>("text");
    // Every control where the table places it, showing its caption; the
    // labels the lesson fills show the reset's values.
    const std::map<std::string_view, QString> resetTexts = {{"LblSiki", "y=x^3"},
                                                            {"LblKeisuA", "1"},
                                                            {"LblKeisuB", "0"},
                                                            {"LblKeisuC", "0"},
                                                            {"LblKeisuD", "0"}};
    const char* const parents[] = {"", "GroupBox1", "GroupBox2"};
    for (const ControlRow& row : ControlTable()) {
        const auto reset = resetTexts.find(row.id);
        QTest::newRow(row.id) << QString::fromLatin1(row.id)
                              << QString::fromLatin1(parents[static_cast<int>(row.parent)])
                              << RectOf(row.place)
                              << (reset != resetTexts.end() ? reset->second
                                                            : QString::fromUtf8(row.caption));
    }
}

void TestWindow::geometry()
{
    QFETCH(QString, name);
    QFETCH(QString, parent);
    QFETCH(QRect, rect);
    QFETCH(QString, text);
    const auto form = StartedForm();
    const QMetaObject* meta = nullptr;
    Q_UNUSED(meta);
    // Every control is a public member named as in the layout.
    QWidget* widget = nullptr;
    for (QWidget* child : form->findChildren<QWidget*>()) {
        if (child->objectName() == name)
            widget = child;
    }
    QVERIFY2(widget, qPrintable(name));
    QCOMPARE(widget->geometry(), rect);
    if (parent.isEmpty())
        QCOMPARE(widget->parentWidget()->size(), TSessen_Form::kLayoutExtent);
    else
        QCOMPARE(widget->parentWidget()->objectName(), parent);
    QCOMPARE(Text(widget), text);
}

void TestWindow::windowFrameAndBackground()
{
    const auto form = StartedForm();
    QCOMPARE(form->windowTitle(), QStringLiteral("Tavrine"));
    QCOMPARE(form->frameGeometry(), QRect(0, 0, 1024, 768));
    // At the starting size the whole layout fits: no scroll bar shows.
    const auto bars = form->findChildren<QScrollBar*>();
    for (QScrollBar* bar : bars) {
        if (!qobject_cast<ScrollNotifyBar*>(bar))
            QVERIFY(!bar->isVisible());
    }
    const QImage shot = form->grab().toImage();
    QCOMPARE(shot.pixelColor(1015, 740), Rgb(Bgr::MoneyGreen));
    QCOMPARE(shot.pixelColor(4, 4), Rgb(Bgr::MoneyGreen));
    QCOMPARE(shot.pixelColor(8 + 100, 29 + 5), Rgb(Bgr::White));

    // Maximised, the layout stays put and the extra area shows the background.
    form->resize(1600, 1200);
    QTest::qWait(10);
    QCOMPARE(form->PaintBox1->mapTo(form.get(), QPoint(0, 0)), QPoint(8, 29));
    QCOMPARE(form->grab().toImage().pixelColor(1500, 1100), Rgb(Bgr::MoneyGreen));
}

void TestWindow::japaneseFonts()
{
    const auto form = StartedForm();
    // Every caption is drawn in the free face standing in for the layout's
    // Windows face, at its character height, and that face has a glyph for
    // every character shown (no boxes).
    struct Row {
        const char* name;
        const char* family;
        int pixelSize;
    };
    const Row rows[] = {
        {"Btn05", "IPAPGothic", 27},           {"BtnMinus", "IPAPGothic", 27},
        {"BtnKettei", "IPAMincho", 19},        {"BtnSyuryo", "IPAPGothic", 32},
        {"GroupBox2", "IPAPMincho", 21},       {"GroupBox1", "IPAPMincho", 21},
        {"LblKeisuA", "IPAPMincho", 21},       {"LblSiki", "IPAPMincho", 21},
        {"SbnSiki", "IPAPMincho", 21},         {"BBtnSessenSu", "IPAPMincho", 21},
        {"BBtnHojosen", "IPAPMincho", 21},     {"LblSetten", "IPAPMincho", 27},
        {"SbnKeisuA", "Liberation Serif", 32}, {"Label2", "Liberation Serif", 32},
    };
    for (const Row& row : rows) {
        auto* widget = form->findChild<QWidget*>(QLatin1String(row.name));
        QVERIFY2(widget, row.name);
        const QFontInfo info(widget->font());
        QCOMPARE(info.family(), QLatin1String(row.family));
        QCOMPARE(info.pixelSize(), row.pixelSize);
        const QFontMetrics metrics(widget->font());
        for (QChar c : Text(widget))
            QVERIFY2(metrics.inFont(c), qPrintable(QString(c) + " in " + row.name));
    }
    QVERIFY(form->SbnKeisuA->font().italic());
    QVERIFY(form->BtnKettei->font().bold());
}

void TestWindow::scrollsWhenSmaller()
{
    const auto form = StartedForm();
    auto* area = form->findChild<QScrollArea*>();
    QVERIFY(area);
    form->resize(800, 600);
    QTest::qWait(10);
    QVERIFY(area->horizontalScrollBar()->isVisible());
    QVERIFY(area->verticalScrollBar()->isVisible());
    area->horizontalScrollBar()->setValue(area->horizontalScrollBar()->maximum());
    QVERIFY(form->BtnSyuryo->mapTo(form.get(), QPoint(0, 0)).x() < 887);

    form->resize(1024, 768);
    QTest::qWait(10);
    QVERIFY(!area->horizontalScrollBar()->isVisible());
    QVERIFY(!area->verticalScrollBar()->isVisible());
    QCOMPARE(form->BtnSyuryo->mapTo(form.get(), QPoint(0, 0)), QPoint(887, 628));
}

void TestWindow::keyboardOrder()
{
    const auto form = StartedForm();
    TSessen_Form& f = *form;
    QCOMPARE(QApplication::focusWidget(), f.ScrollBar1);
    auto walk = [&](int steps) {
        QList<QWidget*> seen;
        for (int i = 0; i < steps; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            seen << QApplication::focusWidget();
        }
        return seen;
    };
    const QList<QWidget*> withoutChord{f.Btn00,     f.BtnKettei,  f.Btn01,        f.Btn03,
                                       f.Btn02,     f.Btn04,      f.BtnMinus,     f.Btn06,
                                       f.Btn05,     f.Btn07,      f.Btn09,        f.Btn08,
                                       f.BtnSyuryo, f.ScrollBar2, f.BBtnSessenSu, f.ScrollBar1};
    QCOMPARE(walk(withoutChord.size()), withoutChord);

    // With two tangents the chord button joins the chain before wrapping.
    f.press(*FindControlRow("BBtnSessenSu"));
    QList<QWidget*> withChord = withoutChord;
    withChord.insert(withChord.size() - 1, f.BBtnHojosen);
    QCOMPARE(walk(withChord.size()), withChord);
}

void TestWindow::pushButtonKeys()
{
    const auto form = StartedForm();
    TSessen_Form& f = *form;
    Type(f, "b");
    f.Btn07->setFocus();
    QTest::keyClick(f.Btn07, Qt::Key_Space);
    QCOMPARE(f.LblKeisuB->text(), QStringLiteral("7"));
    f.Btn05->setFocus();
    QTest::keyClick(f.Btn05, Qt::Key_Return);
    QCOMPARE(f.LblKeisuB->text(), QStringLiteral("5"));

    // No default button: Enter on a scroll bar presses nothing.
    f.ScrollBar2->setFocus();
    QSignalSpy kettei(f.BtnKettei, &QAbstractButton::clicked);
    QTest::keyClick(f.ScrollBar2, Qt::Key_Return);
    QTest::keyClick(f.ScrollBar2, Qt::Key_Enter, Qt::KeypadModifier);
    QTest::keyClick(f.ScrollBar2, Qt::Key_Escape);
    QCOMPARE(kettei.count(), 0);
    QCOMPARE(f.lesson().Keisu[2], 0);

    // The number pad's Enter presses the focused "決定" as the main Enter does.
    f.BtnKettei->setFocus();
    QTest::keyClick(f.BtnKettei, Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(kettei.count(), 1);
    QCOMPARE(f.lesson().Keisu[2], 5);
    QCOMPARE(f.LblSiki->text(), QStringLiteral("y=x^3+5x^2"));
}

void TestWindow::keyboardDigitsPressTheKeypad_data()
{
    QTest::addColumn<QString>("keys"); // a..e select by mouse; the rest is typed
    QTest::addColumn<bool>("numberPad");
    QTest::addColumn<QString>("focus"); // the control that has the focus
    QTest::newRow("b -3, main keys") << "b-3K" << false << "ScrollBar1";
    QTest::newRow("b -3, number pad") << "b-3K" << true << "ScrollBar2";
    QTest::newRow("c -0 4 on a key") << "c-04K" << false << "Btn08";
    QTest::newRow("a 0 then -7") << "a0-7K" << true << "BtnKettei";
    QTest::newRow("every digit on d") << "d0123456789K" << false << "BBtnSessenSu";
    QTest::newRow("equation selected") << "e5-0" << true << "BtnSyuryo";
}

void TestWindow::keyboardDigitsPressTheKeypad()
{
    QFETCH(QString, keys);
    QFETCH(bool, numberPad);
    QFETCH(QString, focus);
    // The same entry on two windows: clicked on the keypad, and typed.
    const auto clicked = StartedForm();
    Type(*clicked, keys);
    const auto typed = StartedForm();
    TSessen_Form& f = *typed;
    QSignalSpy digitClicks(f.Btn03, &QAbstractButton::clicked);
    for (QChar key : keys) {
        if ((key >= 'a' && key <= 'e') || key == 'K') {
            Type(f, key);
            continue;
        }
        QWidget* focused = f.findChild<QWidget*>(focus);
        focused->setFocus();
        const Qt::KeyboardModifiers modifiers = numberPad ? Qt::KeypadModifier : Qt::NoModifier;
        QTest::keyClick(focused, key.toLatin1(), modifiers);
        QCOMPARE(QApplication::focusWidget(), focused);
    }
    QCOMPARE(digitClicks.count(), keys.count(QLatin1Char('3')));
    for (int n = 1; n <= 4; ++n)
        QCOMPARE(f.coefficientLabel(n)->text(), clicked->coefficientLabel(n)->text());
    QCOMPARE(f.lesson().Keisu, clicked->lesson().Keisu);
    QCOMPARE(f.lesson().KeisuFugo, clicked->lesson().KeisuFugo);
    QCOMPARE(f.LblSiki->text(), clicked->LblSiki->text());

    // With Ctrl a digit is no entry.
    const QString before = f.coefficientLabel(2)->text();
    Type(f, "b");
    QTest::keyClick(&f, '4', Qt::ControlModifier);
    QCOMPARE(f.coefficientLabel(2)->text(), before);
}

void TestWindow::speedButtonGroup()
{
    const auto form = StartedForm();
    TSessen_Form& f = *form;
    for (int n = 1; n <= 5; ++n)
        QCOMPARE(f.selectorButton(n)->focusPolicy(), Qt::NoFocus);
    QCOMPARE(LatchedTarget(f), 1);

    // A click on another button latches it and raises the rest.
    Click(f.SbnKeisuC);
    QCOMPARE(LatchedTarget(f), 3);
    QCOMPARE(f.lesson().KeisuNo, 3);

    // A click on the latched button raises it, then its handler latches it
    // again: it ends latched, with the same colours.
    QSignalSpy clicks(f.SbnKeisuC, &QAbstractButton::clicked);
    Click(f.SbnKeisuC);
    QCOMPARE(clicks.count(), 1);
    QCOMPARE(LatchedTarget(f), 3);
    QCOMPARE(f.lesson().KeisuNo, 3);
    QCOMPARE(CaptionColor(f.SbnKeisuC), Rgb(Bgr::Red));
    QCOMPARE(CaptionColor(f.SbnKeisuA), Rgb(Bgr::Maroon));

    // Selecting the equation button colours it blue and every coefficient
    // button maroon.
    Click(f.SbnSiki);
    QCOMPARE(LatchedTarget(f), 5);
    QCOMPARE(CaptionColor(f.SbnSiki), Rgb(Bgr::Blue));
    for (int n = 1; n <= 4; ++n)
        QCOMPARE(CaptionColor(f.selectorButton(n)), Rgb(Bgr::Maroon));
    // Clicks on a speed button never move the keyboard focus.
    QCOMPARE(QApplication::focusWidget(), f.ScrollBar1);
}

void TestWindow::scrollBarKeys_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("expected");
    QTest::addColumn<ScrollCode>("code");
    QTest::newRow("Right") << int(Qt::Key_Right) << 50 << 51 << ScrollCode::LineDown;
    QTest::newRow("Down") << int(Qt::Key_Down) << 50 << 51 << ScrollCode::LineDown;
    QTest::newRow("Left") << int(Qt::Key_Left) << 50 << 49 << ScrollCode::LineUp;
    QTest::newRow("Up") << int(Qt::Key_Up) << 50 << 49 << ScrollCode::LineUp;
    QTest::newRow("PageDown") << int(Qt::Key_PageDown) << 50 << 51 << ScrollCode::PageDown;
    QTest::newRow("PageUp") << int(Qt::Key_PageUp) << 50 << 49 << ScrollCode::PageUp;
    QTest::newRow("Home") << int(Qt::Key_Home) << 50 << 0 << ScrollCode::Top;
    QTest::newRow("End") << int(Qt::Key_End) << 50 << 100 << ScrollCode::Bottom;
    QTest::newRow("Right at the end") << int(Qt::Key_Right) << 100 << 100 << ScrollCode::LineDown;
    QTest::newRow("Left at the start") << int(Qt::Key_Left) << 0 << 0 << ScrollCode::LineUp;
}

void TestWindow::scrollBarKeys()
{
    QFETCH(int, key);
    QFETCH(int, start);
    QFETCH(int, expected);
    QFETCH(ScrollCode, code);
    ScrollNotifyBar bar;
    bar.setValue(start);
    bar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&bar));
    ScrollLog log(&bar);
    QTest::keyClick(&bar, Qt::Key(key));
    QCOMPARE(bar.value(), expected);
    // The action with its new position, then the end of the action.
    const QList<Scroll> wanted{{code, expected}, {ScrollCode::EndScroll, expected}};
    QCOMPARE(log.events, wanted);
}

void TestWindow::scrollBarMouse()
{
    ScrollNotifyBar bar;
    bar.resize(249, 25);
    bar.setValue(50);
    bar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&bar));
    ScrollLog log(&bar);
    QCOMPARE(bar.focusPolicy(), Qt::StrongFocus);

    // Right arrow button: one step, then the end notice on release.
    QTest::mouseClick(&bar, Qt::LeftButton, {}, QPoint(bar.width() - 5, 12));
    QCOMPARE(bar.value(), 51);
    QCOMPARE(log.events, (QList<Scroll>{{ScrollCode::LineDown, 51}, {ScrollCode::EndScroll, 51}}));

    // A click in the trough steps by one position too.
    log.events.clear();
    QTest::mouseClick(&bar, Qt::LeftButton, {}, QPoint(30, 12));
    QCOMPARE(bar.value(), 50);
    QCOMPARE(log.events, (QList<Scroll>{{ScrollCode::PageUp, 50}, {ScrollCode::EndScroll, 50}}));

    // Dragging the thumb notifies every movement, the release and the end.
    log.events.clear();
    QStyleOptionSlider option;
    option.initFrom(&bar);
    option.orientation = Qt::Horizontal;
    option.minimum = 0;
    option.maximum = 100;
    option.sliderPosition = option.sliderValue = 50;
    option.pageStep = 1;
    option.singleStep = 1;
    const QRect thumb = bar.style()->subControlRect(QStyle::CC_ScrollBar, &option,
                                                    QStyle::SC_ScrollBarSlider, &bar);
    const QPoint grip = thumb.center();
    QTest::mousePress(&bar, Qt::LeftButton, {}, grip);
    QTest::mouseMove(&bar, grip + QPoint(20, 0));
    QTest::mouseMove(&bar, grip + QPoint(40, 0));
    QTest::mouseRelease(&bar, Qt::LeftButton, {}, grip + QPoint(40, 0));
    QVERIFY(bar.value() > 50);
    QVERIFY(log.events.size() >= 4);
    QCOMPARE(log.events[0].first, ScrollCode::Track);
    QVERIFY(log.events[0].second > 50);
    QCOMPARE(log.events[1].first, ScrollCode::Track);
    QVERIFY(log.events[1].second > log.events[0].second);
    QCOMPARE(log.events[log.events.size() - 2], (Scroll{ScrollCode::Position, bar.value()}));
    QCOMPARE(log.events.last(), (Scroll{ScrollCode::EndScroll, bar.value()}));
}

void TestWindow::scrollHandlerMayChangePosition()
{
    ScrollNotifyBar bar;
    bar.setValue(50);
    bar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&bar));
    QObject::connect(&bar, &ScrollNotifyBar::scroll, &bar, [](ScrollCode, int& pos) {
        if (pos > 60)
            pos = 60;
    });
    QTest::keyClick(&bar, Qt::Key_End);
    QCOMPARE(bar.value(), 60);
}

void TestWindow::programSetsPositionSilently()
{
    ScrollNotifyBar bar;
    ScrollLog log(&bar);
    bar.setValue(10);
    QCOMPARE(bar.minimum(), 0);
    QCOMPARE(bar.maximum(), 100);
    QCOMPARE(bar.singleStep(), 1);
    QCOMPARE(bar.pageStep(), 1);
    QVERIFY(log.events.isEmpty());
}

void TestWindow::startingLesson()
{
    const auto form = StartedForm();
    const TSessen_Form& f = *form;
    const LessonState& s = f.lesson();
    QCOMPARE(s.ZahyoMax, 20);
    QCOMPARE(s.Keisu[1], 1);
    QCOMPARE(s.Keisu[2], 0);
    QCOMPARE(s.Keisu[3], 0);
    QCOMPARE(s.Keisu[4], 0);
    QCOMPARE(s.KeisuNo, 1);
    for (int n = 1; n <= 4; ++n)
        QVERIFY(s.KeisuFugo[n].empty());
    QVERIFY(!s.SessenSu2);
    QVERIFY(!s.HojosenAri);
    QCOMPARE(s.TenvoriPt, (TZahyoR{0.0f, 0.0f}));
    QCOMPARE(s.SettenPt, (TZahyoR{0.0f, 0.0f}));

    QCOMPARE(f.LblSiki->text(), QStringLiteral("y=x^3"));
    QCOMPARE(LatchedTarget(f), 1);
    const uint32_t colors[] = {Bgr::Red, Bgr::Maroon, Bgr::Maroon, Bgr::Maroon, Bgr::Black};
    for (int n = 1; n <= 5; ++n)
        QCOMPARE(CaptionColor(f.selectorButton(n)), Rgb(colors[n - 1]));
    QCOMPARE(f.ScrollBar1->value(), 51);
    QCOMPARE(f.ScrollBar2->value(), 50);
    // The reset writes the plain digit 1; the toggle later writes "１".
    QCOMPARE(f.BBtnSessenSu->text(), QString::fromUtf8(kOneTangentAtReset));
    QCOMPARE(CaptionColor(f.BBtnSessenSu), Rgb(Bgr::Blue));
    QVERIFY(!f.BBtnHojosen->isVisible());
    QCOMPARE(f.BBtnHojosen->text(), QString::fromUtf8(kChordOff));
    QCOMPARE(CaptionColor(f.BBtnHojosen), Rgb(Bgr::Blue));
}

void TestWindow::firstFrameShowsLesson()
{
    TSessen_Form form;
    QList<int> scales;
    connect(form.PaintBox1, &PaintBox::painted, &form,
            [&] { scales << form.lesson().ZahyoMax * form.lesson().Keisu[1]; });
    // Before the first activation the plot paints without a lesson and
    // without failing.
    QImage empty(660, 660, QImage::Format_RGB32);
    {
        QPainter painter(&empty);
        PaintPlot(painter, form.lesson(), 660, 660);
    }
    QCOMPARE(empty.pixelColor(330, 330), Rgb(Bgr::White));
    QCOMPARE(empty.pixelColor(0, 330), Rgb(Bgr::Silver));

    form.show();
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QVERIFY(!scales.isEmpty());
    QCOMPARE(scales.first(), 20); // y = x^3 at view scale 20 from the first frame on

    const QImage plot = PlotPicture(form);
    QCOMPARE(plot.pixelColor(33, 100), Rgb(Bgr::Silver)); // grid column x = -9
    QCOMPARE(plot.pixelColor(363, 297), Rgb(Bgr::Red));   // the curve through (1, 1)
    QCOMPARE(plot.pixelColor(500, 330), Rgb(Bgr::Blue));  // tangent on the x axis
}

void TestWindow::noSecondReset()
{
    const auto form = StartedForm();
    TSessen_Form& f = *form;
    Type(f, "-5");
    QWidget other;
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    f.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&f));
    QCOMPARE(f.LblKeisuA->text(), QStringLiteral("-5"));
    QCOMPARE(f.lesson().KeisuFugo[1], std::string("-"));
    QCOMPARE(f.lesson().KeisuNo, 1);
}

void TestWindow::keypadByMouse()
{
    const auto form = StartedForm();
    TSessen_Form& f = *form;
    Type(f, "b-3K");
    QCOMPARE(f.LblKeisuB->text(), QStringLiteral("-3"));
    QCOMPARE(f.LblSiki->text(), QStringLiteral("y=x^3-3x^2"));
    QCOMPARE(f.lesson().Keisu[2], -3);
    QCOMPARE(f.lesson().KeisuNo, 3);
    QCOMPARE(LatchedTarget(f), 3);
    QCOMPARE(f.lesson().TenvoriPt, (TZahyoR{1.0f, -2.0f}));
    QCOMPARE(f.lesson().SettenPt, (TZahyoR{1.0f, -2.0f}));
    // The lime dot now sits on the pixel of (1, -2), partly under the tangent.
    const QImage plot = PlotPicture(f);
    int lime = 0;
    for (int y = 392; y <= 400; ++y) {
        for (int x = 359; x <= 367; ++x)
            lime += plot.pixelColor(x, y) == Rgb(Bgr::Lime) ? 1 : 0;
    }
    QVERIFY(lime >= 8);
    QVERIFY(!HasColor(plot.copy(0, 0, 340, 660), Rgb(Bgr::Lime)));
}

void TestWindow::confirmationGuard_data()
{
    QTest::addColumn<QString>("keys");
    QTest::newRow("a") << "a-";
    QTest::newRow("b") << "b-";
    QTest::newRow("c") << "c-";
    QTest::newRow("d, with b selected") << "d-b";
    QTest::newRow("c, with the equation selected") << "c-e";
}

void TestWindow::confirmationGuard()
{
    QFETCH(QString, keys);
    const auto form = StartedForm();
    TSessen_Form& f = *form;
    Type(f, "b2d-3");
    Type(f, keys);
    const LessonState before = f.lesson();
    const QString equation = f.LblSiki->text();
    QSignalSpy paints(f.PaintBox1, &PaintBox::painted);
    Type(f, "K");
    QCOMPARE(paints.count(), 0);
    QCOMPARE(f.LblSiki->text(), equation);
    QCOMPARE(f.lesson().KeisuNo, before.KeisuNo);
    QCOMPARE(f.lesson().Keisu, before.Keisu);
    // Refused, but the pending signs are gone all the same.
    for (int n = 1; n <= 4; ++n)
        QVERIFY(f.lesson().KeisuFugo[n].empty());
    const int target = f.lesson().KeisuNo;
    if (target <= 4) {
        Type(f, "5");
        QCOMPARE(f.coefficientLabel(target)->text(), QStringLiteral("5"));
    }
}

void TestWindow::selectionWalk()
{
    const auto form = StartedForm();
    TSessen_Form& f = *form;
    QList<int> walk;
    for (int i = 0; i < 5; ++i) {
        Type(f, "K");
        walk << f.lesson().KeisuNo;
        QCOMPARE(LatchedTarget(f), f.lesson().KeisuNo);
    }
    QCOMPARE(walk, (QList<int>{2, 3, 4, 1, 2}));
    QCOMPARE(f.LblSiki->text(), QStringLiteral("y=x^3"));
}

void TestWindow::equationButtonConfirms()
{
    const auto form = StartedForm();
    TSessen_Form& f = *form;
    Type(f, "b-3Kea5");
    f.ScrollBar2->setFocus();
    QTest::keyClick(f.ScrollBar2, Qt::Key_Right);
    QVERIFY(!(f.lesson().SettenPt == f.lesson().TenvoriPt));
    Type(f, "eK");
    QCOMPARE(f.lesson().KeisuNo, 2);
    QCOMPARE(f.lesson().Keisu[1], 1); // a's label shows 5, but a was not confirmed
    QCOMPARE(f.LblSiki->text(), QStringLiteral("y=x^3-3x^2"));
    QCOMPARE(f.lesson().SettenPt, f.lesson().TenvoriPt);
    QCOMPARE(f.ScrollBar2->value(), 50);
}

void TestWindow::equationTextFromConfirmedIntegers_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("text");
    QTest::newRow("typed labels") << "2K-3K1K-4K"
                                  << "y=2x^3-3x^2+x-4";
    QTest::newRow("unit coefficients") << "-1K1K-1K1K"
                                       << "y=-x^3+x^2-x+1";
    QTest::newRow("longest") << "-9K-9K-9K-9K"
                             << "y=-9x^3-9x^2-9x-9";
    QTest::newRow("b typed but not confirmed") << "K2Kb-3cK"
                                               << "y=x^3+2x^2";
    QTest::newRow("b zero, typed -3") << "Kb-3cK"
                                      << "y=x^3";
    QTest::newRow("a typed 5 after confirming 2") << "2Ka5bK"
                                                  << "y=2x^3";
    QTest::newRow("b one, typed 7") << "K1Kb7eK"
                                    << "y=x^3+x^2";
}

void TestWindow::equationTextFromConfirmedIntegers()
{
    QFETCH(QString, keys);
    QFETCH(QString, text);
    const auto form = StartedForm();
    Type(*form, keys);
    QCOMPARE(form->LblSiki->text(), text);
}

void TestWindow::confirmationCentresTangentSlider()
{
    const auto form = StartedForm();
    TSessen_Form& f = *form;
    f.ScrollBar2->setFocus();
    for (int i = 0; i < 30; ++i)
        QTest::keyClick(f.ScrollBar2, Qt::Key_Right);
    QCOMPARE(f.ScrollBar2->value(), 80);
    ScrollLog log(f.ScrollBar2);
    QSignalSpy paints(f.PaintBox1, &PaintBox::painted);
    Type(f, "K");
    QCOMPARE(f.ScrollBar2->value(), 50);
    QVERIFY(log.events.isEmpty());
    QCOMPARE(paints.count(), 1);
    QCOMPARE(f.lesson().SettenPt, f.lesson().TenvoriPt);
}

void TestWindow::zoomSlider()
{
    const auto form = StartedForm();
    TSessen_Form& f = *form;
    f.ScrollBar1->setFocus();
    QSignalSpy paints(f.PaintBox1, &PaintBox::painted);
    QTest::keyClick(f.ScrollBar1, Qt::Key_Right);
    QCOMPARE(f.ScrollBar1->value(), 52);
    QCOMPARE(f.lesson().ZahyoMax, 19);
    QVERIFY(paints.count() >= 1);
    // At view scale 19 the grid columns fall every 660/19 pixels.
    const QImage plot = PlotPicture(f);
    QCOMPARE(plot.pixelColor(17, 100), Rgb(Bgr::Silver));  // x = -9: 330 - 9 * 34.74
    QCOMPARE(plot.pixelColor(365, 100), Rgb(Bgr::Silver)); // x = 1
    QCOMPARE(plot.pixelColor(363, 100), Rgb(Bgr::White));  // where x = 1 was at scale 20
    QCOMPARE(plot.pixelColor(33, 100), Rgb(Bgr::White));

    paints.clear();
    QTest::keyClick(f.ScrollBar1, Qt::Key_Left);
    QTest::keyClick(f.ScrollBar1, Qt::Key_Left);
    QCOMPARE(f.ScrollBar1->value(), 50);
    QCOMPARE(f.lesson().ZahyoMax, 20);
    QVERIFY(paints.count() >= 2); // every notification repaints, also without a change
    QTest::keyClick(f.ScrollBar1, Qt::Key_Home);
    QCOMPARE(f.lesson().ZahyoMax, 36);
    QTest::keyClick(f.ScrollBar1, Qt::Key_End);
    QCOMPARE(f.lesson().ZahyoMax, 4);
}

void TestWindow::tangentSliderMovesTangent()
{
    const auto form = StartedForm();
    TSessen_Form& f = *form;
    QCOMPARE(PlotPicture(f).pixelColor(600, 330), Rgb(Bgr::Blue));
    f.ScrollBar2->setFocus();
    for (int i = 0; i < 30; ++i)
        QTest::keyClick(f.ScrollBar2, Qt::Key_Right);
    QCOMPARE(f.lesson().SettenPt, (TZahyoR{2.0f, 8.0f}));
    const QImage plot = PlotPicture(f);
    QVERIFY(plot.pixelColor(600, 330) != Rgb(Bgr::Blue));
    // The tangent at (2, 8) with slope 12 crosses row 66 at column 396 and
    // meets the x axis at x = 4/3, column 374.
    bool blueNear = false;
    for (int dx = -1; dx <= 1; ++dx)
        blueNear |= plot.pixelColor(374 + dx, 330) == Rgb(Bgr::Blue);
    QVERIFY(blueNear);
}

void TestWindow::tangentSliderDrag()
{
    const auto form = StartedForm();
    TSessen_Form& f = *form;
    QSignalSpy paints(f.PaintBox1, &PaintBox::painted);
    QStyleOptionSlider option;
    option.initFrom(f.ScrollBar2);
    option.orientation = Qt::Horizontal;
    option.maximum = 100;
    option.sliderPosition = option.sliderValue = 50;
    option.pageStep = option.singleStep = 1;
    const QPoint grip = f.ScrollBar2->style()
                            ->subControlRect(QStyle::CC_ScrollBar, &option,
                                             QStyle::SC_ScrollBarSlider, f.ScrollBar2)
                            .center();
    QTest::mousePress(f.ScrollBar2, Qt::LeftButton, {}, grip);
    for (int dx = 10; dx <= 60; dx += 10)
        QTest::mouseMove(f.ScrollBar2, grip + QPoint(dx, 0));
    QTest::mouseRelease(f.ScrollBar2, Qt::LeftButton, {}, grip + QPoint(60, 0));
    QVERIFY(f.ScrollBar2->value() > 50);
    // Each step of the drag repainted the plot, and the tangent point
    // follows the slider.
    QVERIFY(paints.count() >= 6);
    LessonState expected = f.lesson();
    MoveTangentPoint(expected, f.ScrollBar2->value());
    QCOMPARE(f.lesson().SettenPt, expected.SettenPt);
    QVERIFY(f.lesson().SettenPt.x > 0.0f);
}

void TestWindow::toggles()
{
    const auto form = StartedForm();
    TSessen_Form& f = *form;
    QSignalSpy paints(f.PaintBox1, &PaintBox::painted);
    const QColor purple = Rgb(Bgr::Purple), blue = Rgb(Bgr::Blue);
    // Each click repaints before it returns, without waiting for the event
    // loop.
    auto clickRepaints = [&](QAbstractButton* button) {
        const qsizetype before = paints.count();
        button->click();
        return paints.count() > before;
    };

    QVERIFY(clickRepaints(f.BBtnSessenSu)); // (off, off) -> (on, off)
    QVERIFY(f.lesson().SessenSu2 && !f.lesson().HojosenAri);
    QCOMPARE(f.BBtnSessenSu->text(), QString::fromUtf8(kTwoTangents));
    QCOMPARE(CaptionColor(f.BBtnSessenSu), purple);
    QVERIFY(f.BBtnHojosen->isVisible());
    QCOMPARE(f.BBtnHojosen->text(), QString::fromUtf8(kChordOff));
    QCOMPARE(CaptionColor(f.BBtnHojosen), blue);
    QCOMPARE(PlotPicture(f).pixelColor(600, 330), purple); // purple over blue

    QVERIFY(clickRepaints(f.BBtnHojosen)); // (on, off) -> (on, on)
    QVERIFY(f.lesson().HojosenAri);
    QCOMPARE(f.BBtnHojosen->text(), QString::fromUtf8(kChordOn));
    QCOMPARE(CaptionColor(f.BBtnHojosen), purple);

    QVERIFY(clickRepaints(f.BBtnHojosen)); // (on, on) -> (on, off)
    QVERIFY(!f.lesson().HojosenAri);
    QCOMPARE(f.BBtnHojosen->text(), QString::fromUtf8(kChordOff));
    QCOMPARE(CaptionColor(f.BBtnHojosen), blue);

    QVERIFY(clickRepaints(f.BBtnHojosen));
    QVERIFY(clickRepaints(f.BBtnSessenSu)); // (on, on) -> (off, off)
    QVERIFY(!f.lesson().SessenSu2 && !f.lesson().HojosenAri);
    QCOMPARE(f.BBtnSessenSu->text(), QString::fromUtf8(kOneTangent));
    QCOMPARE(CaptionColor(f.BBtnSessenSu), blue);
    QVERIFY(!f.BBtnHojosen->isVisible());
    QCOMPARE(f.BBtnHojosen->text(), QString::fromUtf8(kChordOff));
    QCOMPARE(CaptionColor(f.BBtnHojosen), blue);
    QCOMPARE(PlotPicture(f).pixelColor(600, 330), blue);

    // A hidden button takes no click.
    Click(f.BBtnHojosen);
    QVERIFY(!f.lesson().HojosenAri);

    // On again: the chord button comes back off.
    Click(f.BBtnSessenSu);
    QVERIFY(f.BBtnHojosen->isVisible());
    QCOMPARE(f.BBtnHojosen->text(), QString::fromUtf8(kChordOff));
    QVERIFY(!f.lesson().HojosenAri);
}

// The window in the high-contrast palette: wherever the palette darkens a
// caption or a pen, not one pixel of the lesson's colour is left and the
// palette's own is there; the labels stand on the lesson's tooltip yellow;
// switching back gives the very same window.
void TestWindow::highContrast()
{
    const auto form = StartedForm();
    TSessen_Form& f = *form;
    Type(f, "b3K"); // "c=" latched, in red
    Click(f.BBtnSessenSu);
    Click(f.BBtnHojosen); // every pen of the plot in use
    const auto picture = [&f] { return f.grab().toImage().convertToFormat(QImage::Format_RGB32); };
    const QImage lesson = picture();
    f.setHighContrast(true);
    const QImage high = picture();

    const auto has = [&f](const QImage& image, const QWidget* w, uint32_t bgr) {
        return HasColor(image.copy(QRect(w->mapTo(&f, QPoint(0, 0)), w->size())), Rgb(bgr));
    };
    int darkened = 0;
    for (const ControlRow& row : ControlTable()) {
        const QWidget* w = ControlOf(f, row);
        const uint32_t shown = row.id == std::string_view("SbnKeisuC")
                                   ? Bgr::Red
                                   : row.captionColor.value_or(Bgr::Black);
        const uint32_t darker = HighContrastColor(shown, ColorUse::Caption);
        if (row.font && darker != shown) {
            QVERIFY2(has(lesson, w, shown) && !has(high, w, shown) && has(high, w, darker), row.id);
            ++darkened;
        }
        if (row.background == Background::TooltipBackground)
            QCOMPARE(high.pixelColor(w->mapTo(&f, QPoint(1, 1))), Rgb(Bgr::TooltipYellow));
    }
    QCOMPARE(darkened, 8); // GroupBox2, the six labels in it and "c="
    for (const ContrastColor& pen : kContrastPalette) {
        if (pen.plot != pen.lesson) {
            QVERIFY(has(lesson, f.PaintBox1, pen.lesson) && !has(high, f.PaintBox1, pen.lesson));
            QVERIFY(has(high, f.PaintBox1, pen.plot));
        }
    }
    f.setHighContrast(false);
    QCOMPARE(picture(), lesson);
}

namespace {
// The text of the message box that `act` brings up, accepted as it comes.
template <typename Act> QString MessageShownBy(Act act)
{
    QString shown;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, &closer, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            shown = box->text();
            box->accept();
        }
    });
    closer.start(10);
    act();
    return shown;
}
} // namespace

void TestWindow::errorInHandlerIsShown()
{
    const auto form = StartedForm();
    QPushButton faulty("faulty");
    connect(&faulty, &QPushButton::clicked, &faulty,
            [] { throw std::runtime_error("計算できません"); });
    faulty.show();
    QVERIFY(QTest::qWaitForWindowExposed(&faulty));
    const QString shown = MessageShownBy([&] { QTest::mouseClick(&faulty, Qt::LeftButton); });
    QCOMPARE(shown, QStringLiteral("計算できません"));
    // The loop carries on: the window still answers.
    Type(*form, "b");
    QCOMPARE(form->lesson().KeisuNo, 2);
}

// A folder that cannot be written: a message shown until it is read, the
// same said, no file, and the lesson as it was. Even root cannot add a file
// to /proc.
void TestWindow::savingWhereNothingCanBeWritten()
{
    const auto form = StartedForm();
    TSessen_Form& f = *form;
    Type(f, "b");
    const LessonView before = f.view();
    const QString path = QStringLiteral("/proc/tavrine/y=x^3.svg");
    const QString shown = MessageShownBy([&] { f.savePlotTo(path); });
    const std::string_view pattern = Translated(kSaveFailed);
    const QString failed = QString::fromUtf8(pattern.data(), static_cast<qsizetype>(pattern.size()))
                               .section(QStringLiteral("{1}"), 0, 0);
    QVERIFY2(shown.startsWith(failed), qPrintable(shown));
    QCOMPARE(f.announcer()->message(), shown);
    QVERIFY(!QFile::exists(path));
    QCOMPARE(f.lesson().KeisuNo, 2);
    QCOMPARE(f.view().equationText, before.equationText);
    QCOMPARE(f.view().coefficientLabels, before.coefficientLabels);
}

void TestWindow::quitButtonEndsLoop()
{
    const auto form = StartedForm();
    QTimer::singleShot(0, form.get(), [&] { Click(form->BtnSyuryo); });
    QTimer::singleShot(5000, form.get(), [] { QApplication::exit(99); });
    QCOMPARE(QApplication::exec(), 0);
}

void TestWindow::closeBoxEndsLoop()
{
    const auto form = StartedForm();
    QTimer::singleShot(0, form.get(), [&] { form->close(); });
    QTimer::singleShot(5000, form.get(), [] { QApplication::exit(99); });
    QCOMPARE(QApplication::exec(), 0);
}

int main(int argc, char** argv)
{
    TavrineApplication app(argc, argv);
    TestWindow test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "test_window.moc"
