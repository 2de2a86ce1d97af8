// The keypad, selector and confirmation rules as plain functions on the
// lesson state, without a window.

#include "entry/confirmation.h"
#include "entry/keypad.h"
#include "entry/selector.h"
#include "lesson/colors.h"
#include "lesson/equation_text.h"

#include <QtTest>

namespace {
// Plays a key sequence on a lesson and its four label texts:
// a b c d = select coefficient, e = select the equation button,
// 0..9 = digit keys, - = minus key, K = the sign clearing that starts "決定".
struct Keypad {
    LessonState lesson;
    CoefficientArray<std::string> labels;

    void play(const std::string& keys)
    {
        for (char key : keys) {
            std::optional<LabelEdit> edit;
            if (key >= 'a' && key <= 'd')
                SelectTarget(lesson, key - 'a' + 1);
            else if (key == 'e')
                SelectTarget(lesson, kEquationTarget);
            else if (key == '0')
                edit = PressZero(lesson);
            else if (key >= '1' && key <= '9')
                edit = PressDigit(lesson, key - '0');
            else if (key == '-')
                edit = PressMinus(lesson);
            else if (key == 'K')
                ClearPendingSigns(lesson);
            if (edit)
                labels[edit->coefficient] = edit->text;
        }
    }
};

QString Joined(const CoefficientArray<std::string>& texts)
{
    QStringList parts;
    for (int n = 1; n <= kCoefficientCount; ++n)
        parts << QString::fromStdString(texts[n]);
    return parts.join('|');
}
} // namespace

class TestEntry : public QObject {
    Q_OBJECT
private slots:
    void keypad_data();
    void keypad();
    void equationButtonTakesNoKeys();
    void selectorColors_data();
    void selectorColors();
    void equationText_data();
    void equationText();
    void unfinishedEntry_data();
    void unfinishedEntry();
    void parseAndAdvance();
};

void TestEntry::keypad_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("labels"); // a|b|c|d after the keys
    QTest::addColumn<QString>("signs");  // pending signs a|b|c|d

    QTest::newRow("sign then digit") << "b-3"
                                     << "|-3||"
                                     << "|-||";
    QTest::newRow("sign kept across digits") << "b-35"
                                             << "|-5||"
                                             << "|-||";
    QTest::newRow("minus after a digit drops it") << "b3-"
                                                  << "|-||"
                                                  << "|-||";
    QTest::newRow("cleared sign: next digit is plain") << "b3-K5"
                                                       << "|5||"
                                                       << "|||";
    QTest::newRow("zero shows without the sign") << "c-04"
                                                 << "||-4|"
                                                 << "||-|";
    QTest::newRow("zero after minus") << "c-0"
                                      << "||0|"
                                      << "||-|";
    QTest::newRow("zero never enters a") << "a70"
                                         << "7|||"
                                         << "|||";
    QTest::newRow("negative a") << "a-7"
                                << "-7|||"
                                << "-|||";
    QTest::newRow("each coefficient its own sign") << "b-c2b6"
                                                   << "|-6|2|"
                                                   << "|-||";
    QTest::newRow("digit replaces the label") << "d12"
                                              << "|||2"
                                              << "|||";
    QTest::newRow("sign survives a change of selection") << "d-a1d9"
                                                         << "1|||-9"
                                                         << "|||-";
}

void TestEntry::keypad()
{
    QFETCH(QString, keys);
    QFETCH(QString, labels);
    QFETCH(QString, signs);
    Keypad pad;
    pad.play(keys.toStdString());
    QCOMPARE(Joined(pad.labels), labels);
    QCOMPARE(Joined(pad.lesson.KeisuFugo), signs);
}

void TestEntry::equationButtonTakesNoKeys()
{
    Keypad pad;
    pad.play("a5b-c0e");
    const LessonState before = pad.lesson;
    const auto labelsBefore = pad.labels;
    for (char key : std::string("0123456789-"))
        pad.play(std::string(1, key));
    QCOMPARE(Joined(pad.labels), Joined(labelsBefore));
    QCOMPARE(Joined(pad.lesson.KeisuFugo), Joined(before.KeisuFugo));
    QCOMPARE(pad.lesson.KeisuNo, kEquationTarget);
}

void TestEntry::selectorColors_data()
{
    QTest::addColumn<int>("target");
    QTest::addColumn<QList<uint>>("colors"); // a= b= c= d= equation
    const uint R = Bgr::Red, M = Bgr::Maroon, K = Bgr::Black, B = Bgr::Blue;
    QTest::newRow("a") << 1 << QList<uint>{R, M, M, M, K};
    QTest::newRow("b") << 2 << QList<uint>{M, R, M, M, K};
    QTest::newRow("c") << 3 << QList<uint>{M, M, R, M, K};
    QTest::newRow("d") << 4 << QList<uint>{M, M, M, R, K};
    QTest::newRow("equation") << 5 << QList<uint>{M, M, M, M, B};
}

void TestEntry::selectorColors()
{
    QFETCH(int, target);
    QFETCH(QList<uint>, colors);
    const auto row = SelectorColors(target);
    QCOMPARE(QList<uint>(row.begin(), row.end()), colors);
}

void TestEntry::equationText_data()
{
    QTest::addColumn<QList<int>>("abcd");
    QTest::addColumn<QString>("text");
    QTest::newRow("reset lesson") << QList<int>{1, 0, 0, 0} << "y=x^3";
    QTest::newRow("all signs") << QList<int>{2, -3, 1, -4} << "y=2x^3-3x^2+x-4";
    QTest::newRow("unit coefficients") << QList<int>{-1, 1, -1, 1} << "y=-x^3+x^2-x+1";
    QTest::newRow("no middle terms") << QList<int>{3, 0, 0, -2} << "y=3x^3-2";
    QTest::newRow("no even terms") << QList<int>{-5, 0, 7, 0} << "y=-5x^3+7x";
    QTest::newRow("longest") << QList<int>{-9, -9, -9, -9} << "y=-9x^3-9x^2-9x-9";
    QTest::newRow("constant one keeps its digit") << QList<int>{1, 0, 0, 1} << "y=x^3+1";
    QTest::newRow("constant minus one") << QList<int>{1, 0, 0, -1} << "y=x^3-1";
    QTest::newRow("positive b") << QList<int>{9, 9, 9, 9} << "y=9x^3+9x^2+9x+9";
    QTest::newRow("minus one b") << QList<int>{1, -1, 0, 0} << "y=x^3-x^2";
}

void TestEntry::equationText()
{
    QFETCH(QList<int>, abcd);
    QFETCH(QString, text);
    CoefficientArray<int32_t> keisu;
    for (int n = 1; n <= kCoefficientCount; ++n)
        keisu[n] = abcd[n - 1];
    QCOMPARE(QString::fromStdString(EquationText(keisu)), text);
    QVERIFY(text.size() <= 17);
}

void TestEntry::unfinishedEntry_data()
{
    QTest::addColumn<QString>("labels");
    QTest::addColumn<bool>("blocked");
    QTest::newRow("all finished") << "1|0|-3|9" << false;
    QTest::newRow("bare minus on a") << "-|0|0|0" << true;
    QTest::newRow("bare minus on b") << "1|-|0|0" << true;
    QTest::newRow("bare minus on c") << "1|0|-|0" << true;
    QTest::newRow("bare minus on d") << "1|0|0|-" << true;
    QTest::newRow("minus with digit") << "-1|-9|-0|0" << false;
}

void TestEntry::unfinishedEntry()
{
    QFETCH(QString, labels);
    QFETCH(bool, blocked);
    const QStringList parts = labels.split('|');
    CoefficientArray<std::string> texts;
    for (int n = 1; n <= kCoefficientCount; ++n)
        texts[n] = parts[n - 1].toStdString();
    QCOMPARE(HasUnfinishedEntry(texts), blocked);
}

void TestEntry::parseAndAdvance()
{
    QCOMPARE(ParseCoefficient("-9"), -9);
    QCOMPARE(ParseCoefficient("0"), 0);
    QCOMPARE(ParseCoefficient("7"), 7);
    QCOMPARE(NextTarget(1), 2);
    QCOMPARE(NextTarget(2), 3);
    QCOMPARE(NextTarget(3), 4);
    QCOMPARE(NextTarget(4), 1);
    QCOMPARE(NextTarget(5), 2);
}

QTEST_APPLESS_MAIN(TestEntry)
#include "test_entry.moc"
