// The lesson's handlers composed without a window: what every edition's
// controls show after the reset and after a pupil's entries.

#include "entry/lesson_session.h"
#include "lesson/colors.h"

#include <QtTest>

class TestLessonSession : public QObject {
    Q_OBJECT
private slots:
    void resetShowsTheStartingLesson()
    {
        LessonSession s;
        QCOMPARE(s.latchedSelector(), 0);
        s.Syokika();
        QCOMPARE(s.lesson().ZahyoMax, 20);
        QCOMPARE(s.equationText(), std::string("y=x^3"));
        for (int n = 1; n <= 4; ++n)
            QCOMPARE(s.coefficientLabel(n), std::string(n == 1 ? "1" : "0"));
        QCOMPARE(s.lesson().KeisuNo, 1);
        QCOMPARE(s.latchedSelector(), 1);
        const std::array<uint32_t, 5> colors{Bgr::Red, Bgr::Maroon, Bgr::Maroon, Bgr::Maroon,
                                             Bgr::Black};
        QCOMPARE(s.selectorColors(), colors);
        QCOMPARE(s.toggleLooks().secondTangent.caption, std::string("接 線 1 本"));
        QCOMPARE(s.toggleLooks().secondTangent.color, Bgr::Blue);
        QVERIFY(!s.toggleLooks().chord.visible);
        QCOMPARE(s.zoomPosition(), 51);
        QCOMPARE(s.tangentPosition(), 50);
    }

    void confirmationTakesTheLabelAndMovesOn()
    {
        LessonSession s;
        s.Syokika();
        s.ScrollBar2Scroll(80);
        s.SelectorClick(2);
        s.BtnMinusClick();
        s.DigitClick(3);
        QCOMPARE(s.coefficientLabel(2), std::string("-3"));
        QCOMPARE(s.lesson().Keisu[2], 0); // not confirmed yet
        QVERIFY(s.BtnKetteiClick());
        QCOMPARE(s.lesson().Keisu[2], -3);
        QCOMPARE(s.equationText(), std::string("y=x^3-3x^2"));
        QCOMPARE(s.latchedSelector(), 3);
        QCOMPARE(s.lesson().KeisuNo, 3);
        QCOMPARE(s.tangentPosition(), 50);
        QCOMPARE(s.lesson().SettenPt, s.lesson().TenvoriPt);
        QCOMPARE(s.lesson().TenvoriPt, (TZahyoR{1.0f, -2.0f}));
    }

    void bareMinusRefusesTheConfirmation()
    {
        LessonSession s;
        s.Syokika();
        s.SelectorClick(4);
        s.BtnMinusClick();
        s.SelectorClick(1);
        s.DigitClick(5);
        QVERIFY(!s.BtnKetteiClick());
        QCOMPARE(s.coefficientLabel(4), std::string("-"));
        QCOMPARE(s.lesson().Keisu[1], 1);
        QCOMPARE(s.equationText(), std::string("y=x^3"));
        QCOMPARE(s.latchedSelector(), 1);
        // The pending sign went with the refusal: a digit now is unsigned.
        s.SelectorClick(4);
        s.DigitClick(2);
        QCOMPARE(s.coefficientLabel(4), std::string("2"));
    }

    void slidersHoldTheirRange()
    {
        LessonSession s;
        s.Syokika();
        s.ScrollBar1Scroll(101);
        QCOMPARE(s.zoomPosition(), 100);
        QCOMPARE(s.lesson().ZahyoMax, 4);
        s.ScrollBar2Scroll(-1);
        QCOMPARE(s.tangentPosition(), 0);
    }

    void togglesSwitchBackWithTheFullWidthDigit()
    {
        LessonSession s;
        s.Syokika();
        s.BBtnSessenSuClick();
        QVERIFY(s.toggleLooks().chord.visible);
        s.BBtnHojosenClick();
        QVERIFY(s.lesson().HojosenAri);
        s.BBtnSessenSuClick();
        QCOMPARE(s.toggleLooks().secondTangent.caption, std::string("接 線 １ 本"));
        QVERIFY(!s.lesson().HojosenAri);
        QVERIFY(!s.toggleLooks().chord.visible);
    }
};

QTEST_APPLESS_MAIN(TestLessonSession)
#include "test_lesson_session.moc"
