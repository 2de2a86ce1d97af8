// Every row of the key table pressed on the window, as Qt delivers the key:
// the window turns it into the row's key and does what the row says, from
// wherever the focus is (a slider's keys on the focused slider).

#include "window_fixture.h"

#include "app/key_names.h"
#include "app/share_view.h"
#include "controls/key_table.h"
#include "entry/lesson_paper.h"
#include "lesson/catalogue.h"
#include "plot/plot_description.h"
#include "sound/lesson_sound.h"

#include <QClipboard>
#include <QMimeData>
#include <QTimer>

#include <optional>

namespace {
// The Qt key that the window names as the row's key: every key the table
// has must be one Qt can deliver.
int QtKeyOf(const KeyRow& row)
{
    const auto named = [&row](int key) {
        const QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
        return KeyName(event) == row.key;
    };
    for (int key = Qt::Key_Space; key <= Qt::Key_AsciiTilde; ++key) {
        if (named(key))
            return key;
    }
    for (int key = Qt::Key_Escape; key <= Qt::Key_F35; ++key) {
        if (named(key))
            return key;
    }
    return 0;
}

Qt::KeyboardModifiers QtModifiers(uint8_t modifiers)
{
    Qt::KeyboardModifiers qt;
    const std::pair<Modifier, Qt::KeyboardModifier> bits[] = {{kShift, Qt::ShiftModifier},
                                                              {kControl, Qt::ControlModifier},
                                                              {kAlt, Qt::AltModifier},
                                                              {kMeta, Qt::MetaModifier}};
    for (const auto& [bit, qtBit] : bits) {
        if (modifiers & bit)
            qt |= qtBit;
    }
    return qt;
}

QString Said(const TSessen_Form& f)
{
    return f.announcer()->message();
}

QString Text(const char* japanese)
{
    return QString::fromStdString(std::string(Translated(japanese)));
}
} // namespace

class TestKeys : public QObject {
    Q_OBJECT
private slots:
    void everyKeyOfTheTable_data();
    void everyKeyOfTheTable();
};

void TestKeys::everyKeyOfTheTable_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("withOptional"); // also holding what may be held
    for (const KeyRow& row : KeyTable()) {
        const int index = static_cast<int>(&row - KeyTable().data());
        QTest::addRow("%s", row.name) << index << false;
        if (row.mayBeHeld != kNoModifier && row.mayBeHeld != kAnyModifier)
            QTest::addRow("%s with what may be held", row.name) << index << true;
    }
}

void TestKeys::everyKeyOfTheTable()
{
    QFETCH(int, row);
    QFETCH(bool, withOptional);
    const KeyRow& key = KeyTable()[static_cast<std::size_t>(row)];
    const int qtKey = QtKeyOf(key);
    QVERIFY2(qtKey != 0, "the window never names a key so");
    const Qt::KeyboardModifiers modifiers =
        QtModifiers(key.modifiers | (withOptional ? key.mayBeHeld : uint8_t{kNoModifier}));

    const auto form = StartedForm();
    TSessen_Form& f = *form;
    // A slider's keys on the focused tangent slider, the others from a key
    // of the keypad, which takes none of them.
    QWidget* focus = key.focus == KeyFocus::Slider ? static_cast<QWidget*>(f.ScrollBar2) : f.Btn08;
    focus->setFocus();
    const bool presentingBefore = key.command == KeyCommand::StopSound;
    f.setPresenting(presentingBefore);
    QAbstractButton* pressed =
        key.control ? qobject_cast<QAbstractButton*>(f.findChild<QWidget*>(key.control)) : nullptr;
    std::optional<QSignalSpy> clicks;
    if (pressed)
        clicks.emplace(pressed, &QAbstractButton::clicked);

    // Saving and printing ask first, in a dialog of their own: taken as it
    // comes up, and cancelled.
    QString asked;
    QTimer dialogs;
    if (key.command == KeyCommand::SavePlot || key.command == KeyCommand::PrintPlot) {
        dialogs.callOnTimeout([&asked] {
            if (QWidget* dialog = QApplication::activeModalWidget()) {
                asked = QString::fromLatin1(dialog->metaObject()->className());
                dialog->close();
            }
        });
        dialogs.start(10);
    }

    QTest::keyClick(focus, static_cast<Qt::Key>(qtKey), modifiers);

    switch (key.command) {
    case KeyCommand::PressControl:
        QVERIFY(clicks.has_value());
        QCOMPARE(clicks->count(), 1);
        break;
    case KeyCommand::SoundOnOff:
        // No audio device in the tests: switched on, and that said too.
        QVERIFY(Said(f).startsWith(Text(kSoundOn)));
        break;
    case KeyCommand::HearCurve:
    case KeyCommand::HearTangent:
    case KeyCommand::HearSlope:
        QCOMPARE(Said(f), Text(kSoundIsOff));
        break;
    case KeyCommand::SlopeCurve:
        // Drawn and read at once.
        QVERIFY(f.lesson().DoukansuAri);
        QVERIFY(Said(f).startsWith(Text(kSlopeCurveShownReading)));
        QCOMPARE(f.PaintBox1->accessibleDescription(),
                 QString::fromStdString(PlotDescription(f.lesson())));
        break;
    case KeyCommand::StopSound:
        QVERIFY(!f.presenting());
        break;
    case KeyCommand::Presentation:
        QVERIFY(f.presenting());
        break;
    case KeyCommand::Share: {
        // Over the lesson with the focus in it; a keypad key behind it does
        // nothing, and Escape closes it, giving the focus back.
        QVERIFY(f.shareView()->isVisible());
        QVERIFY(f.shareView()->isAncestorOf(QApplication::focusWidget()));
        QSignalSpy seven(f.Btn07, &QAbstractButton::clicked);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_7);
        QCOMPARE(seven.count(), 0);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(!f.shareView()->isVisible());
        QCOMPARE(QApplication::focusWidget(), focus);
        break;
    }
    case KeyCommand::CopyPlot: {
        // The picture in both kinds and the equations as text, and that said.
        const QMimeData* copied = QGuiApplication::clipboard()->mimeData();
        QVERIFY(copied->hasImage());
        QVERIFY(copied->data(QStringLiteral("image/svg+xml")).startsWith("<?xml"));
        QCOMPARE(copied->text().section(QLatin1Char('\n'), 0, 0),
                 QString::fromStdString(f.view().equationText));
        QCOMPARE(Said(f), Text(kPlotCopied));
        break;
    }
    case KeyCommand::SavePlot:
        QCOMPARE(asked, QStringLiteral("QFileDialog"));
        break;
    case KeyCommand::PrintPlot:
        QCOMPARE(asked, QStringLiteral("QPrintDialog"));
        break;
    case KeyCommand::TouchPaper:
        QVERIFY(f.view().touchPaperOn);
        QCOMPARE(Said(f), Text(kTouchPaperOn));
        break;
    case KeyCommand::SliderLine:
    case KeyCommand::SliderPage:
        QCOMPARE(f.ScrollBar2->value(), 50 + key.step);
        break;
    case KeyCommand::SliderToStart:
        QCOMPARE(f.ScrollBar2->value(), 0);
        break;
    case KeyCommand::SliderToEnd:
        QCOMPARE(f.ScrollBar2->value(), 100);
        break;
    }
    f.setPresenting(false);
}

QTEST_MAIN(TestKeys)
#include "test_keys.moc"
