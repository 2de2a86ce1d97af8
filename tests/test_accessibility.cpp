// What a screen reader finds in the lesson window: every control a pupil can
// reach or read has a Japanese name and description, the names tell the
// controls apart and match what the controls show, and the labels that change
// during the lesson are read with their current text. A screen reader's
// actions do what the pupil's own do, the plot is read, and every change is
// said.

#include "window_fixture.h"

#include "app/accessible_names.h"
#include "lesson/tangent_step.h"
#include "plot/mapping.h"
#include "reading_said.h"
#include "sound/lesson_sound.h"

#include <QAbstractSlider>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QScrollBar>

#include <memory>

namespace {
QAccessibleInterface* Accessible(QWidget* widget)
{
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(widget);
    if (iface == nullptr)
        qFatal("no accessibility interface for %s", widget->metaObject()->className());
    return iface;
}

QString Name(QWidget* widget)
{
    return Accessible(widget)->text(QAccessible::Name);
}
QString Description(QWidget* widget)
{
    return Accessible(widget)->text(QAccessible::Description);
}

bool HasJapanese(const QString& text)
{
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if ((u >= 0x3040 && u <= 0x30FF) || (u >= 0x4E00 && u <= 0x9FFF))
            return true;
    }
    return false;
}

// A pupil can move the focus to it, click it, or read it.
bool Reachable(const QWidget* w)
{
    return w->focusPolicy() != Qt::NoFocus || qobject_cast<const QAbstractButton*>(w) != nullptr ||
           qobject_cast<const QAbstractSlider*>(w) != nullptr ||
           qobject_cast<const QLabel*>(w) != nullptr ||
           qobject_cast<const QGroupBox*>(w) != nullptr ||
           qobject_cast<const PaintBox*>(w) != nullptr;
}

QList<QWidget*> ReachableWidgets(TSessen_Form& form)
{
    QList<QWidget*> found{&form};
    for (QWidget* w : form.findChildren<QWidget*>()) {
        if (Reachable(w))
            found.append(w);
    }
    return found;
}

// What a caption says, as words to compare with a name: full-width letters
// folded to ASCII, spaces and the "=" of "a=" dropped.
QString CaptionWords(const QString& caption)
{
    QString words = caption.normalized(QString::NormalizationForm_KC);
    words.remove(QLatin1Char(' '));
    words.remove(QLatin1Char('='));
    return words;
}

QString Describe(const QWidget* w)
{
    return QStringLiteral("%1 \"%2\"")
        .arg(QLatin1String(w->metaObject()->className()), w->objectName());
}

// Interfaces that know nothing of the program's names, for chosen widgets.
struct PlainInterfaces {
    static inline QList<QObject*> targets;
    static QAccessibleInterface* make(const QString&, QObject* object)
    {
        if (!targets.contains(object))
            return nullptr;
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::StaticText);
    }
};
} // namespace

class TestAccessibility : public QObject {
    Q_OBJECT
private slots:
    void init() { form_ = StartedForm(); }
    void cleanup() { form_.reset(); }

    void everyReachableControlHasAJapaneseNameAndDescription();
    void everyControlOfTheLayoutIsWalked();
    void namesTellTheControlsApart();
    void buttonNamesSayWhatTheButtonsShow();
    void coefficientLabelsNameTheirCoefficient();
    void labelsAreReadWithTheirCurrentText();
    void togglesAndSelectorsActAsAClick();
    void slidersMovedByAScreenReaderRunTheirHandler_data();
    void slidersMovedByAScreenReaderRunTheirHandler();
    void plotIsReadAndChangesAreSpoken_data();
    void plotIsReadAndChangesAreSpoken();
    void rolesAndLabels();
    void plotIsHeardFromItsActionsAndTheKeys();
    void namesHoldWhenAScreenReaderWasFirst();

private:
    std::unique_ptr<TSessen_Form> form_;
};

void TestAccessibility::everyReachableControlHasAJapaneseNameAndDescription()
{
    for (QWidget* w : ReachableWidgets(*form_)) {
        const QString name = Name(w);
        const QString description = Description(w);
        QVERIFY2(!name.trimmed().isEmpty(), qPrintable(Describe(w) + " has no accessible name"));
        QVERIFY2(!description.trimmed().isEmpty(),
                 qPrintable(Describe(w) + " has no accessible description"));
        QVERIFY2(HasJapanese(name + description),
                 qPrintable(Describe(w) + " is described in no Japanese: " + name));
    }
}

void TestAccessibility::everyControlOfTheLayoutIsWalked()
{
    // The walk above must not miss a control the layout has, nor the scroll
    // bars that appear when the window is made smaller.
    TSessen_Form& f = *form_;
    const QList<QWidget*> walked = ReachableWidgets(f);
    const QWidget* const layout[] = {
        f.PaintBox1,  f.LblSetten,    f.ScrollBar1,  f.GroupBox1, f.GroupBox2, f.BtnSyuryo,
        f.ScrollBar2, f.BBtnSessenSu, f.BBtnHojosen, f.Btn00,     f.BtnKettei, f.Btn01,
        f.Btn02,      f.Btn03,        f.Btn04,       f.Btn05,     f.Btn06,     f.Btn07,
        f.Btn08,      f.Btn09,        f.BtnMinus,    f.SbnSiki,   f.LblSiki,   f.SbnKeisuA,
        f.SbnKeisuB,  f.SbnKeisuC,    f.SbnKeisuD,   f.LblKeisuA, f.LblKeisuB, f.LblKeisuC,
        f.LblKeisuD,  f.Label2};
    QCOMPARE(std::size(layout), std::size_t{32});
    for (const QWidget* w : layout)
        QVERIFY2(walked.contains(w), qPrintable(Describe(w)));
    int windowScrollBars = 0;
    for (const QScrollBar* bar : f.findChildren<QScrollBar*>())
        windowScrollBars += qobject_cast<const ScrollNotifyBar*>(bar) == nullptr ? 1 : 0;
    QCOMPARE(windowScrollBars, 2);
}

void TestAccessibility::namesTellTheControlsApart()
{
    QHash<QString, QWidget*> byName;
    for (QWidget* w : ReachableWidgets(*form_)) {
        const QString name = Name(w);
        if (byName.contains(name)) {
            QFAIL(qPrintable(QStringLiteral("%1 and %2 are both called %3")
                                 .arg(Describe(byName.value(name)), Describe(w), name)));
        }
        byName.insert(name, w);
    }
}

void TestAccessibility::buttonNamesSayWhatTheButtonsShow()
{
    // A pupil who hears a key's name and one who reads its caption must mean
    // the same key. The minus key shows a sign, which is read as its word.
    const QHash<QString, QString> spokenSigns{{QStringLiteral("－"), QStringLiteral("マイナス")}};
    int buttons = 0;
    for (QAbstractButton* button : form_->findChildren<QAbstractButton*>()) {
        const QString words = spokenSigns.value(button->text(), CaptionWords(button->text()));
        QVERIFY2(CaptionWords(Name(button)).contains(words),
                 qPrintable(Describe(button) + ": \"" + Name(button) + "\" does not say \"" +
                            words + "\""));
        ++buttons;
    }
    QCOMPARE(buttons, 12 + 5 + 3);
}

void TestAccessibility::coefficientLabelsNameTheirCoefficient()
{
    // The label under "b=" is read as coefficient b, and so on.
    for (int n = 1; n <= 4; ++n) {
        const QString letter = CaptionWords(form_->selectorButton(n)->text());
        QCOMPARE(letter.size(), 1);
        QLabel* label = form_->coefficientLabel(n);
        QVERIFY2(Name(label).contains(letter), qPrintable(Name(label)));
        for (int other = 1; other <= 4; ++other) {
            if (other != n) {
                const QString otherLetter = CaptionWords(form_->selectorButton(other)->text());
                QVERIFY2(!Name(label).contains(otherLetter), qPrintable(Name(label)));
            }
        }
    }
}

void TestAccessibility::labelsAreReadWithTheirCurrentText()
{
    TSessen_Form& f = *form_;
    QVERIFY(Name(f.LblKeisuA).contains(QStringLiteral("1")));
    QVERIFY(Name(f.LblSiki).contains(QStringLiteral("y イコール x の 3 乗")));
    QVERIFY(Name(f.Label2).contains(
        QStringLiteral("y イコール a x の 3 乗 プラス b x の 2 乗 プラス c x プラス d")));

    // b: "－", "３" shows "-3" under "b=" before it is confirmed.
    const QString before = Name(f.LblKeisuB);
    Click(f.SbnKeisuB);
    Click(f.BtnMinus);
    Click(f.Btn03);
    QCOMPARE(f.LblKeisuB->text(), QStringLiteral("-3"));
    QVERIFY2(Name(f.LblKeisuB).contains(QStringLiteral("マイナス 3")),
             qPrintable(Name(f.LblKeisuB)));
    QVERIFY(Name(f.LblKeisuB) != before);

    Click(f.BtnKettei);
    QCOMPARE(f.LblSiki->text(), QStringLiteral("y=x^3-3x^2"));
    QVERIFY(f.SbnSiki->accessibleDescription().endsWith(
        QStringLiteral("y イコール x の 3 乗 マイナス 3 x の 2 乗")));
    QVERIFY2(Name(f.LblSiki).contains(QStringLiteral("y イコール x の 3 乗 マイナス 3 x の 2 乗")),
             qPrintable(Name(f.LblSiki)));

    // Qt tells a running screen reader of a label's new text only while the
    // label has no fixed accessible name of its own.
    for (const QLabel* label : {f.LblKeisuA, f.LblKeisuB, f.LblKeisuC, f.LblKeisuD, f.LblSiki})
        QVERIFY2(label->accessibleName().isEmpty(), qPrintable(Describe(label)));
}

void TestAccessibility::togglesAndSelectorsActAsAClick()
{
    TSessen_Form& f = *form_;
    // The toggles tell their state, not only in their caption.
    QCOMPARE(Accessible(f.BBtnSessenSu)->role(), QAccessible::CheckBox);
    QVERIFY(!Accessible(f.BBtnSessenSu)->state().checked);
    // The chord's toggle is hidden: it offers nothing, and its press does nothing.
    QVERIFY(Accessible(f.BBtnHojosen)->state().invisible);
    QVERIFY(Accessible(f.BBtnHojosen)->actionInterface()->actionNames().isEmpty());
    Accessible(f.BBtnHojosen)
        ->actionInterface()
        ->doAction(QAccessibleActionInterface::pressAction());
    QVERIFY(!f.lesson().HojosenAri);

    const QString oneTangent = f.BBtnSessenSu->text();
    Accessible(f.BBtnSessenSu)
        ->actionInterface()
        ->doAction(QAccessibleActionInterface::pressAction());
    QVERIFY(f.lesson().SessenSu2);
    QVERIFY(Accessible(f.BBtnSessenSu)->state().checked);
    QVERIFY(f.BBtnSessenSu->text() != oneTangent);
    QVERIFY2(Name(f.BBtnSessenSu).contains(f.BBtnSessenSu->text()),
             qPrintable(Name(f.BBtnSessenSu)));
    QVERIFY(!Accessible(f.BBtnHojosen)->state().invisible);
    Accessible(f.BBtnHojosen)
        ->actionInterface()
        ->doAction(QAccessibleActionInterface::pressAction());
    QVERIFY(f.lesson().HojosenAri);
    QVERIFY(Accessible(f.BBtnHojosen)->state().checked);

    // A selector's toggle moves the lesson's selection with its latch: the
    // next key goes where the latch shows.
    QAccessibleActionInterface* selectB = Accessible(f.SbnKeisuB)->actionInterface();
    QCOMPARE(selectB->actionNames().value(0), QAccessibleActionInterface::toggleAction());
    selectB->doAction(QAccessibleActionInterface::toggleAction());
    QCOMPARE(f.lesson().KeisuNo, 2);
    QVERIFY(Accessible(f.SbnKeisuB)->state().checked);
    QVERIFY(!Accessible(f.SbnKeisuA)->state().checked);
    Accessible(f.Btn07)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(f.LblKeisuB->text(), QStringLiteral("7"));
    QCOMPARE(f.LblKeisuA->text(), QStringLiteral("1"));
}

void TestAccessibility::slidersMovedByAScreenReaderRunTheirHandler_data()
{
    QTest::addColumn<QString>("slider");
    QTest::addColumn<QString>("action"); // an action's name, or "value"
    QTest::addColumn<int>("position");
    QTest::newRow("zoom set") << "ScrollBar1"
                              << "value" << 70;
    QTest::newRow("zoom increase")
        << "ScrollBar1" << QAccessibleActionInterface::increaseAction() << 52;
    QTest::newRow("zoom decrease")
        << "ScrollBar1" << QAccessibleActionInterface::decreaseAction() << 50;
    QTest::newRow("tangent set") << "ScrollBar2"
                                 << "value" << 80;
    QTest::newRow("tangent increase")
        << "ScrollBar2" << QAccessibleActionInterface::increaseAction() << 51;
    QTest::newRow("tangent decrease")
        << "ScrollBar2" << QAccessibleActionInterface::decreaseAction() << 49;
}

void TestAccessibility::slidersMovedByAScreenReaderRunTheirHandler()
{
    QFETCH(QString, slider);
    QFETCH(QString, action);
    QFETCH(int, position);
    TSessen_Form& f = *form_;
    auto* bar = f.findChild<ScrollNotifyBar*>(slider);
    QList<ScrollCode> codes;
    QObject::connect(bar, &ScrollNotifyBar::scroll, bar,
                     [&codes](ScrollCode code, int&) { codes.append(code); });
    QAccessibleInterface* iface = Accessible(bar);
    QCOMPARE(iface->role(), QAccessible::ScrollBar);
    if (action == QLatin1String("value"))
        iface->valueInterface()->setCurrentValue(position);
    else
        iface->actionInterface()->doAction(action);

    QCOMPARE(bar->value(), position);
    QCOMPARE(iface->valueInterface()->currentValue().toInt(), position);
    // The handler ran with the move and then with the end of the scroll, as
    // for a key press and its release.
    QCOMPARE(codes.size(), 2);
    QCOMPARE(codes.last(), ScrollCode::EndScroll);
    LessonState expected = f.lesson();
    if (bar == f.ScrollBar1) {
        QCOMPARE(f.lesson().ZahyoMax, PositiontoZahyoMax(position));
    } else {
        MoveTangentPoint(expected, position);
        QCOMPARE(f.lesson().SettenPt, expected.SettenPt);
        QVERIFY(f.lesson().SettenPt != f.lesson().TenvoriPt);
    }
    QVERIFY2(!f.announcer()->message().isEmpty(), "the slider at rest said nothing");
}

void TestAccessibility::plotIsReadAndChangesAreSpoken_data()
{
    QTest::addColumn<QString>("keys"); // a..d select, K "決定", T and H the toggles, Z zoom in
    QTest::addColumn<QString>("described");
    QTest::addColumn<QString>("spoken");
    QTest::newRow("start") << ""
                           << Said(kCurveReading, "y=x^3") + Said(kRangeReading, "-10", "10") +
                                  Said(kInflectionReading, "(0, 0)") +
                                  Said(kTangentReading, "(0, 0)", "0", "y=0")
                           << "";
    QTest::newRow("b=-3 confirmed") << "b-3K" << Said(kCurveReading, "y=x^3-3x^2")
                                    << Said(kConfirmedReading) + Said(kCurveReading, "y=x^3-3x^2");
    QTest::newRow("second tangent")
        << "T" << Said(kSecondTangentReading, "(0, 0)", "y=0") << Said(kTwoTangentsReading);
    QTest::newRow("chord") << "TH" << Said(kChordReading, "(0, 0)", "(0, 0)") << Said(kChordOn);
    QTest::newRow("zoom in") << "Z" << Said(kRangeReading, "-9.5", "9.5")
                             << Said(kRangeReading, "-9.5", "9.5");
    QTest::newRow("refused") << "b-K" << Said(kCurveReading, "y=x^3")
                             << QString::fromUtf8(kConfirmationRefused);
}

void TestAccessibility::plotIsReadAndChangesAreSpoken()
{
    QFETCH(QString, keys);
    QFETCH(QString, described);
    QFETCH(QString, spoken);
    TSessen_Form& f = *form_;
    QCOMPARE(Accessible(f.PaintBox1)->role(), QAccessible::Graphic);
    for (QChar key : keys) {
        QAbstractButton* button = nullptr;
        if (key >= 'a' && key <= 'd')
            button = f.selectorButton(key.unicode() - 'a' + 1);
        else if (key == 'K')
            button = f.BtnKettei;
        else if (key == 'T')
            button = f.BBtnSessenSu;
        else if (key == 'H')
            button = f.BBtnHojosen;
        else if (key == '-')
            button = f.BtnMinus;
        else if (key == 'Z')
            QTest::keyClick(f.ScrollBar1, Qt::Key_Right);
        else
            button = f.findChild<QAbstractButton*>(QStringLiteral("Btn0") + key);
        if (button != nullptr)
            Click(button);
    }
    QVERIFY2(Description(f.PaintBox1).contains(described), qPrintable(Description(f.PaintBox1)));
    const QString said = f.announcer()->message();
    QVERIFY2(spoken.isEmpty() ? said.isEmpty() : said.startsWith(spoken), qPrintable(said));
}

void TestAccessibility::rolesAndLabels()
{
    TSessen_Form& f = *form_;
    QCOMPARE(Accessible(&f)->role(), QAccessible::Window);
    auto labelledBy = [](QWidget* w) {
        QList<QObject*> labels;
        for (const auto& [iface, relation] : Accessible(w)->relations(QAccessible::Label))
            labels << iface->object();
        return labels;
    };
    auto labels = [](QWidget* w) {
        QList<QObject*> targets;
        for (const auto& [iface, relation] : Accessible(w)->relations(QAccessible::Labelled))
            targets << iface->object();
        return targets;
    };
    QVERIFY(labelledBy(f.ScrollBar2).contains(f.LblSetten));
    QVERIFY(labels(f.LblSetten).contains(f.ScrollBar2));
    for (int n = 1; n <= 4; ++n) {
        QVERIFY(labelledBy(f.selectorButton(n)).contains(f.coefficientLabel(n)));
        QVERIFY(labels(f.coefficientLabel(n)).contains(f.selectorButton(n)));
        QVERIFY(!labelledBy(f.selectorButton(n % 4 + 1)).contains(f.coefficientLabel(n)));
    }
}

void TestAccessibility::namesHoldWhenAScreenReaderWasFirst()
{
    // A screen reader that runs while the window is built makes Qt create the
    // controls' interfaces as their texts are set, before they are named.
    // Stand in for it with a factory that gives the toggle and the template a
    // plain interface, as Qt would have; naming the controls replaces them.
    TSessen_Form& f = *form_;
    for (QWidget* w : {static_cast<QWidget*>(f.BBtnSessenSu), static_cast<QWidget*>(f.Label2)})
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(Accessible(w)));
    QAccessible::installFactory(&PlainInterfaces::make);
    PlainInterfaces::targets = {f.BBtnSessenSu, f.Label2};
    QVERIFY(!Name(f.Label2).contains(f.Label2->text()));
    QVERIFY(!Name(f.BBtnSessenSu).contains(f.BBtnSessenSu->text()));
    QAccessible::removeFactory(&PlainInterfaces::make);

    NameControlsForScreenReaders(f);
    // The template's name reads its equation in words.
    QVERIFY2(Name(f.Label2).size() > f.Label2->text().size() &&
                 Name(f.Label2).contains(QStringLiteral("a x の 3 乗")),
             qPrintable(Name(f.Label2)));
    QVERIFY2(Name(f.BBtnSessenSu).size() > f.BBtnSessenSu->text().size() &&
                 Name(f.BBtnSessenSu).contains(f.BBtnSessenSu->text()),
             qPrintable(Name(f.BBtnSessenSu)));
}

// The plot's two actions and the sound's keys, on a machine without an audio
// device (the tests' environment names a sound server that is not there).
void TestAccessibility::plotIsHeardFromItsActionsAndTheKeys()
{
    TSessen_Form& f = *form_;
    QAccessibleActionInterface* actions = Accessible(f.PaintBox1)->actionInterface();
    const QStringList names{QString::fromUtf8(kHearCurveAction),
                            QString::fromUtf8(kHearTangentAction)};
    QCOMPARE(actions->actionNames().mid(0, 2), names);
    const auto said = [&f] { return f.announcer()->message().toStdString(); };
    QTest::keyClick(f.ScrollBar2, Qt::Key_H); // from wherever the focus is
    QCOMPARE(said(), std::string(kSoundIsOff));
    QTest::keyClick(f.Btn05, Qt::Key_T, Qt::AltModifier);
    QCOMPARE(said(), std::string(kSoundOn).append(SentenceEnd()) + kNoAudioDevice);
    QTest::keyClick(f.ScrollBar1, Qt::Key_T, Qt::AltModifier);
    QCOMPARE(said(), std::string(kSoundOff));
    actions->doAction(names[0]); // switches the sound on: H no longer says it is off
    QTest::keyClick(f.ScrollBar1, Qt::Key_H, Qt::ShiftModifier);
    QCOMPARE(said(), std::string(kSoundOff));
    QTest::keyClick(f.ScrollBar1, Qt::Key_7); // the keypad's keys keep their meaning
    QCOMPARE(f.LblKeisuA->text(), QStringLiteral("7"));
    f.setPresenting(true);
    QTest::keyClick(f.ScrollBar1, Qt::Key_Escape); // stops the sound, leaves presentation mode
    QVERIFY(!f.presenting());
}

QTEST_MAIN(TestAccessibility)
#include "test_accessibility.moc"
