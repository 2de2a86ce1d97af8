// The lesson's handlers composed without a window: what every edition's
// controls show after the reset and after a pupil's entries, and what they
// say.

#include "controls/control_table.h"
#include "entry/lesson_session.h"
#include "lesson/colors.h"
#include "plot/plot_description.h"

#include <QtTest>

class TestLessonSession : public QObject {
    Q_OBJECT
private slots:
    void resetShowsTheStartingLesson()
    {
        LessonSession s;
        QCOMPARE(s.view().latchedSelector, 0);
        s.Syokika();
        QCOMPARE(s.lesson().ZahyoMax, 20);
        QCOMPARE(s.view().equationText, std::string("y=x^3"));
        for (int n = 1; n <= 4; ++n)
            QCOMPARE(s.view().coefficientLabels[n - 1], std::string(n == 1 ? "1" : "0"));
        QCOMPARE(s.lesson().KeisuNo, 1);
        QCOMPARE(s.view().latchedSelector, 1);
        const std::array<uint32_t, 5> colors{Bgr::Red, Bgr::Maroon, Bgr::Maroon, Bgr::Maroon,
                                             Bgr::Black};
        QCOMPARE(s.view().selectorColors, colors);
        QCOMPARE(s.view().toggles.secondTangent.caption, std::string(kOneTangentAtReset));
        QCOMPARE(s.view().toggles.secondTangent.color, Bgr::Blue);
        QVERIFY(!s.view().toggles.chord.visible);
        QCOMPARE(s.view().zoomPosition, 51);
        QCOMPARE(s.view().tangentPosition, 50);
    }

    void confirmationTakesTheLabelAndMovesOn()
    {
        LessonSession s;
        s.Syokika();
        s.ScrollBar2Scroll(80);
        s.SelectorClick(2);
        s.BtnMinusClick();
        s.DigitClick(3);
        QCOMPARE(s.view().coefficientLabels[1], std::string("-3"));
        QCOMPARE(s.lesson().Keisu[2], 0); // not confirmed yet
        QVERIFY(s.BtnKetteiClick());
        QCOMPARE(s.lesson().Keisu[2], -3);
        QCOMPARE(s.view().equationText, std::string("y=x^3-3x^2"));
        QCOMPARE(s.view().latchedSelector, 3);
        QCOMPARE(s.lesson().KeisuNo, 3);
        QCOMPARE(s.view().tangentPosition, 50);
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
        QCOMPARE(s.view().coefficientLabels[3], std::string("-"));
        QCOMPARE(s.lesson().Keisu[1], 1);
        QCOMPARE(s.view().equationText, std::string("y=x^3"));
        QCOMPARE(s.view().latchedSelector, 1);
        // The pending sign went with the refusal: a digit now is unsigned.
        s.SelectorClick(4);
        s.DigitClick(2);
        QCOMPARE(s.view().coefficientLabels[3], std::string("2"));
    }

    void slidersHoldTheirRange()
    {
        LessonSession s;
        s.Syokika();
        s.ScrollBar1Scroll(101);
        QCOMPARE(s.view().zoomPosition, 100);
        QCOMPARE(s.lesson().ZahyoMax, 4);
        s.ScrollBar2Scroll(-1);
        QCOMPARE(s.view().tangentPosition, 0);
    }

    void togglesSwitchBackWithTheFullWidthDigit()
    {
        LessonSession s;
        s.Syokika();
        s.BBtnSessenSuClick();
        QVERIFY(s.view().toggles.chord.visible);
        s.BBtnHojosenClick();
        QVERIFY(s.lesson().HojosenAri);
        s.BBtnSessenSuClick();
        QCOMPARE(s.view().toggles.secondTangent.caption, std::string(kOneTangent));
        QVERIFY(!s.lesson().HojosenAri);
        QVERIFY(!s.view().toggles.chord.visible);
    }

    // What is said after each event: the coefficient being typed as its label
    // reads, why "決定" was refused, the plot's change once a slider rests.
    void eachEventSaysItsSentence()
    {
        const ControlRow& labelB = *FindControlRow("LblKeisuB");
        LessonSession s;
        s.Syokika();
        QCOMPARE(s.view().announcement, std::string());
        s.SelectorClick(2);
        QCOMPARE(s.view().announcement, ControlName(labelB, "0"));
        s.BtnMinusClick();
        QCOMPARE(s.view().announcement, ControlName(labelB, "-"));
        s.SelectorClick(5);
        s.DigitClick(7);
        QCOMPARE(s.view().announcement, std::string(RowName(*FindControlRow("SbnSiki"))));
        QVERIFY(!s.BtnKetteiClick());
        QCOMPARE(s.view().announcement, std::string(kConfirmationRefused));
        s.SelectorClick(2);
        s.DigitClick(3);
        QVERIFY(s.BtnKetteiClick());
        QCOMPARE(s.view().announcement, ChangeAnnouncement(s.lesson(), LessonChange::Confirmed));
        s.ScrollBar2Scroll(60);
        QCOMPARE(s.view().announcement, std::string());
        s.ScrollBar2Scroll(60, true);
        QCOMPARE(s.view().announcement, ChangeAnnouncement(s.lesson(), LessonChange::TangentPoint));
        s.BBtnSessenSuClick();
        QCOMPARE(s.view().announcement,
                 ChangeAnnouncement(s.lesson(), LessonChange::SecondTangent));
        QCOMPARE(s.view().plotDescription, PlotDescription(s.lesson()));
    }

    // What the sound's keys ask the edition to play (what they say, the
    // window's test hears).
    void soundKeysCueTheSound()
    {
        LessonSession s;
        s.Syokika();
        const auto cue = [&s] { return s.view().sound; };
        s.ScrollBar2Scroll(55);
        QCOMPARE(cue(), SoundCue::None); // no step tone while the sound is off
        s.SoundToggle();
        s.HearKey(false, false);
        QCOMPARE(cue(), SoundCue::Curve);
        s.HearKey(false, true); // H again while it plays
        QCOMPARE(cue(), SoundCue::Stop);
        s.HearKey(true, false);
        QCOMPARE(cue(), SoundCue::TangentThenCurve);
        s.ScrollBar2Scroll(56);
        QCOMPARE(cue(), SoundCue::SlopeStep);
        s.ScrollBar2Scroll(56, true); // at rest where it stands: the reading, no second tone
        QCOMPARE(cue(), SoundCue::None);
        QVERIFY(s.BtnKetteiClick());
        QCOMPARE(cue(), SoundCue::Stop); // the curve that played is gone
        s.SoundToggle();
        s.HearAction(false); // a screen reader's action switches the sound on
        QVERIFY(cue() == SoundCue::Curve && s.view().soundOn);
        s.SoundUnavailable();
        s.HearKey(false, false);
        s.SoundUnavailable(); // said once only
        QCOMPARE(s.view().announcement, std::string());
    }
};

QTEST_APPLESS_MAIN(TestLessonSession)
#include "test_lesson_session.moc"
