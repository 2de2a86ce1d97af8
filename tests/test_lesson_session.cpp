// The lesson's handlers composed without a window: what every edition's
// controls show after the reset and after a pupil's entries, and what they
// say.

#include "controls/control_table.h"
#include "entry/lesson_session.h"
#include "lesson/catalogue.h"
#include "lesson/colors.h"
#include "plot/plot_description.h"

#include <QtTest>

#include <regex>

Q_DECLARE_METATYPE(const Language*)

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

    // D: the slope curve stays through a zoom, a new equation and a link's
    // round trip; the lesson reset hides it.
    void slopeCurveStaysUntilTheReset()
    {
        LessonSession s;
        s.Syokika();
        QCOMPARE(s.Key(*FindCommandKey(KeyCommand::SlopeCurve), false), After::Draw);
        s.ScrollBar1Scroll(80, true);
        s.SelectorClick(3);
        s.BtnMinusClick();
        s.DigitClick(3);
        QVERIFY(s.BtnKetteiClick());
        QVERIFY(s.lesson().DoukansuAri && s.view().slopeCurveOn);
        LessonSession opened;
        opened.Open(LinkFragment(s.link()));
        QVERIFY(opened.lesson().DoukansuAri && opened.view().slopeCurveOn);
        QCOMPARE(opened.view().plotDescription, s.view().plotDescription);
        s.Syokika();
        QVERIFY(!s.lesson().DoukansuAri && !s.view().slopeCurveOn);
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
        QCOMPARE(s.view().announcement, Filled(kNameAndValue, {RowName(*FindControlRow("SbnSiki")),
                                                               "y イコール x の 3 乗"}));
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

    // Every sentence the session says, and each label's name, in words in
    // every language: no "^" and no sign left where a word belongs, over a
    // sample of lessons typed on the keys, with the toggles and sliders.
    void saysTheMathematicsInWords_data()
    {
        QTest::addColumn<const Language*>("language");
        for (const Language& language : Languages())
            QTest::newRow(std::string(language.tag).c_str()) << &language;
    }

    void saysTheMathematicsInWords()
    {
        QFETCH(const Language*, language);
        SetLanguage(*language);
        const std::regex sign("\\^|-([0-9x ]|$)");
        LessonSession s;
        std::vector<std::string> said;
        const auto hear = [&] {
            const LessonView v = s.view();
            said.insert(said.end(), {v.announcement, v.plotDescription});
            const char* labels[] = {"LblKeisuA", "LblKeisuB", "LblKeisuC", "LblKeisuD"};
            for (std::size_t n = 0; n < v.coefficientLabels.size(); ++n)
                said.push_back(ControlName(*FindControlRow(labels[n]), v.coefficientLabels[n]));
            said.push_back(ControlName(*FindControlRow("LblSiki"), v.equationText));
        };
        s.Syokika();
        hear();
        // x^3 in the language's words, as the catalogue holds them.
        QVERIFY(said[1].find(Filled(Translated("spoken", "{1} の 3 乗"), {"x"})) !=
                std::string::npos);
        for (const char* keys : {"a-1b3c0d-2", "a2b-3c-7d5", "a-3b0c9d0", "a1b-9c-9d-9"}) {
            for (const char* key = keys; *key != '\0'; ++key) {
                if (*key >= 'a' && *key <= 'd')
                    s.SelectorClick(*key - 'a' + 1);
                else if (*key == '-')
                    s.BtnMinusClick();
                else
                    s.DigitClick(*key - '0');
                hear();
            }
            s.BtnKetteiClick();
            hear();
            for (int position : {0, 17, 83, 100}) {
                s.ScrollBar2Scroll(position, true);
                hear();
                s.ScrollBar1Scroll(position, true);
                hear();
            }
            s.BBtnSessenSuClick();
            s.BBtnHojosenClick();
            hear();
        }
        s.SelectorClick(2);
        s.BtnMinusClick();
        s.BtnKetteiClick(); // refused: a sign alone
        hear();
        s.SelectorClick(5);
        hear();
        SetLanguage(Languages().front());
        for (const std::string& text : said)
            QVERIFY2(!std::regex_search(text, sign), text.c_str());
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
