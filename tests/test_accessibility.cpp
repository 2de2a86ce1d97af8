// What a screen reader finds in the lesson window: every control a pupil can
// reach or read has a Japanese name and description, the names tell the
// controls apart and match what the controls show, and the labels that change
// during the lesson are read with their current text.

#include "window_fixture.h"

#include "app/accessible_names.h"

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
    void togglesAreReadWithTheirStateAndPressable();
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
    QVERIFY(Name(f.LblSiki).contains(QStringLiteral("y=x^3")));
    QVERIFY(Name(f.Label2).contains(QStringLiteral("y=ax^3+bx^2+cx+d")));

    // b: "－", "３" shows "-3" under "b=" before it is confirmed.
    const QString before = Name(f.LblKeisuB);
    Click(f.SbnKeisuB);
    Click(f.BtnMinus);
    Click(f.Btn03);
    QCOMPARE(f.LblKeisuB->text(), QStringLiteral("-3"));
    QVERIFY2(Name(f.LblKeisuB).contains(QStringLiteral("-3")), qPrintable(Name(f.LblKeisuB)));
    QVERIFY(Name(f.LblKeisuB) != before);

    Click(f.BtnKettei);
    QCOMPARE(f.LblSiki->text(), QStringLiteral("y=x^3-3x^2"));
    QVERIFY2(Name(f.LblSiki).contains(QStringLiteral("y=x^3-3x^2")), qPrintable(Name(f.LblSiki)));

    // Qt tells a running screen reader of a label's new text only while the
    // label has no fixed accessible name of its own.
    for (const QLabel* label : {f.LblKeisuA, f.LblKeisuB, f.LblKeisuC, f.LblKeisuD, f.LblSiki})
        QVERIFY2(label->accessibleName().isEmpty(), qPrintable(Describe(label)));
}

void TestAccessibility::togglesAreReadWithTheirStateAndPressable()
{
    TSessen_Form& f = *form_;
    QVERIFY(Name(f.BBtnSessenSu).contains(f.BBtnSessenSu->text()));
    QVERIFY(Accessible(f.BBtnHojosen)->state().invisible);

    // A screen reader presses the button the way a click does.
    QAccessibleActionInterface* actions = Accessible(f.BBtnSessenSu)->actionInterface();
    QVERIFY(actions != nullptr);
    QVERIFY(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
    const QString oneTangent = f.BBtnSessenSu->text();
    actions->doAction(QAccessibleActionInterface::pressAction());
    QVERIFY(f.lesson().SessenSu2);
    QVERIFY(f.BBtnSessenSu->text() != oneTangent);
    QVERIFY2(Name(f.BBtnSessenSu).contains(f.BBtnSessenSu->text()),
             qPrintable(Name(f.BBtnSessenSu)));
    QVERIFY(!Accessible(f.BBtnHojosen)->state().invisible);

    Accessible(f.BBtnHojosen)
        ->actionInterface()
        ->doAction(QAccessibleActionInterface::pressAction());
    QVERIFY(f.lesson().HojosenAri);
    QVERIFY2(Name(f.BBtnHojosen).contains(QStringLiteral("補助線あり")),
             qPrintable(Name(f.BBtnHojosen)));

    // The keys keep Qt's own press action (which clicks a moment later).
    Accessible(f.SbnKeisuC)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(f.lesson().KeisuNo, 3);
    Accessible(f.Btn07)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QTRY_COMPARE(f.LblKeisuC->text(), QStringLiteral("7"));
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
    QVERIFY2(Name(f.Label2).size() > f.Label2->text().size() &&
                 Name(f.Label2).contains(f.Label2->text()),
             qPrintable(Name(f.Label2)));
    QVERIFY2(Name(f.BBtnSessenSu).size() > f.BBtnSessenSu->text().size() &&
                 Name(f.BBtnSessenSu).contains(f.BBtnSessenSu->text()),
             qPrintable(Name(f.BBtnSessenSu)));
}

QTEST_MAIN(TestAccessibility)
#include "test_accessibility.moc"
