// A lesson handed out as a link: what a pupil keyed in comes back the same
// from its link, and a link that is not a lesson never opens part of one.

#include "entry/lesson_link.h"
#include "entry/lesson_session.h"
#include "lesson/catalogue.h"
#include "lesson/spoken_math.h"

#include <QtTest>

#include <random>

namespace {
// The parts of a view that a link carries; what is said and which selector
// is latched belong to the last key pressed, not to the lesson. Nor does a
// link carry whether the second tangent was ever switched on and off again,
// which only the width of the digit in "接 線 1 本" shows.
auto Carried(const LessonView& v)
{
    const ToggleLook& t = v.toggles.secondTangent;
    const ToggleLook& c = v.toggles.chord;
    return std::make_tuple(v.coefficientLabels, v.equationText,
                           v.secondTangentOn ? t.caption : std::string(), t.color, t.visible,
                           c.caption, c.color, c.visible, v.secondTangentOn, v.chordOn,
                           v.zoomPosition, v.tangentPosition, v.plotDescription);
}

// A pupil's lesson keyed in at random: the zoom, the coefficients in any
// order, each confirmed, the tangent point and the toggles.
LessonSession KeyedIn(std::mt19937& rng)
{
    const auto pick = [&rng](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(rng);
    };
    LessonSession s;
    s.Syokika();
    s.ScrollBar1Scroll(pick(0, 100), true);
    for (int k = pick(0, 6); k > 0; --k) {
        const int target = pick(1, 4);
        const int value = target == 1 ? (pick(0, 1) ? 1 : -1) * pick(1, 9) : pick(-9, 9);
        s.SelectorClick(target);
        if (value < 0)
            s.BtnMinusClick();
        if (value == 0)
            s.Btn00Click();
        else
            s.DigitClick(std::abs(value));
        s.BtnKetteiClick();
    }
    s.ScrollBar2Scroll(pick(0, 100), true);
    if (pick(0, 1))
        s.BBtnSessenSuClick();
    if (pick(0, 1))
        s.BBtnHojosenClick();
    return s;
}
} // namespace

class TestLessonLink : public QObject {
    Q_OBJECT
private slots:
    void keyedLessonComesBackFromItsLink()
    {
        std::mt19937 rng(20261209);
        for (int run = 0; run < 2000; ++run) {
            const LessonSession keyed = KeyedIn(rng);
            const std::string fragment = LinkFragment(keyed.link());
            LessonSession opened;
            opened.Open("https://school.example/tavrine/#" + fragment);
            QVERIFY2(Carried(opened.view()) == Carried(keyed.view()), fragment.c_str());
            QCOMPARE(LinkFragment(opened.link()), fragment);
            QCOMPARE(opened.view().announcement,
                     Filled(Translated(kLinkOpened), {SpokenMath(opened.view().equationText)}));
        }
    }

    void everyLessonEncodesAndDecodesAlike()
    {
        std::mt19937 rng(7);
        const auto pick = [&rng](int low, int high) {
            return std::uniform_int_distribution<int>(low, high)(rng);
        };
        for (int run = 0; run < 10000; ++run) {
            LessonLink link;
            for (int32_t& c : link.coefficients)
                c = pick(-9, 9);
            if (link.coefficients[0] == 0)
                link.coefficients[0] = pick(1, 9);
            link = {link.coefficients,
                    pick(0, 100),
                    pick(0, 100),
                    pick(0, 1) == 1,
                    pick(0, 1) == 1,
                    pick(0, 1) == 1,
                    std::string(pick(0, 1) ? "pt-BR" : "")};
            QCOMPARE(ParseLessonLink(LinkFragment(link)), std::optional(link));
        }
        QCOMPARE(LinkFragment(LessonLink{.coefficients = {1, 0, -3, 0}, .lang = {}}),
                 std::string("a=1&b=0&c=-3&d=0"));
    }

    void linkThatIsNoLesson_data()
    {
        QTest::addColumn<QString>("link");
        QTest::addColumn<bool>("opens");
        const QString ok = QStringLiteral("a=2&b=-1&c=0&d=9");
        QTest::newRow("hand-written") << ok << true;
        QTest::newRow("whole address") << "https://x.example/p/?lang=en#" + ok << true;
        QTest::newRow("unknown keys passed over") << ok + "&size=3&=&x&&" << true;
        QTest::newRow("every key") << ok + "&zoom=0&point=100&tangents=2&chord=1&lang=vi" << true;
        QTest::newRow("a is 0") << "a=0&b=1&c=0&d=0" << false;
        QTest::newRow("b is 10") << "a=1&b=10&c=0&d=0" << false;
        QTest::newRow("zoom 101") << ok + "&zoom=101" << false;
        QTest::newRow("point -1") << ok + "&point=-1" << false;
        QTest::newRow("tangents 3") << ok + "&tangents=3" << false;
        QTest::newRow("chord yes") << ok + "&chord=yes" << false;
        QTest::newRow("a twice") << ok + "&a=3" << false;
        QTest::newRow("d missing") << "a=1&b=0&c=0" << false;
        QTest::newRow("percent escape") << "a=1&b=%2D3&c=0&d=0" << false;
        QTest::newRow("plus sign") << "a=+1&b=0&c=0&d=0" << false;
        QTest::newRow("space") << "a=1 &b=0&c=0&d=0" << false;
        QTest::newRow("lang with markup") << ok + "&lang=<b>" << false;
        QTest::newRow("text") << "こんにちは" << false;
        QTest::newRow("empty") << "#" << false;
        QTest::newRow("10,000 characters") << ok + "&" + QString(10000, QLatin1Char('x')) << false;
    }

    void linkThatIsNoLesson()
    {
        // Refused whole: the lesson starts as the reset's and says why once.
        QFETCH(QString, link);
        QFETCH(bool, opens);
        QCOMPARE(ParseLessonLink(link.toStdString()).has_value(), opens);
        LessonSession reset;
        reset.Syokika();
        LessonSession opened;
        opened.Open(link.toStdString());
        if (!opens) {
            QVERIFY(Carried(opened.view()) == Carried(reset.view()));
            QCOMPARE(opened.view().announcement, std::string(Translated(kLinkHeldNoLesson)));
        }
    }

    void mutatedLinksNeverOpenHalfALesson()
    {
        // Bytes changed, cut and repeated at random: whatever opens is a
        // whole lesson, whose own link opens it again.
        std::mt19937 rng(1);
        const std::string seed = "a=-3&b=2&c=0&d=9&zoom=7&point=93&tangents=2&chord=1&lang=zh-CN";
        for (int run = 0; run < 200000; ++run) {
            std::string text = seed;
            for (int k = std::uniform_int_distribution<int>(1, 4)(rng); k > 0; --k) {
                const std::size_t at = rng() % (text.size() + 1);
                switch (rng() % 3) {
                case 0:
                    text.insert(at, 1, static_cast<char>(rng()));
                    break;
                case 1:
                    text.erase(at, rng() % 8);
                    break;
                default:
                    text.insert(at, text.substr(0, rng() % (text.size() + 1)));
                }
            }
            const std::optional<LessonLink> link = ParseLessonLink(text);
            if (link)
                QCOMPARE(ParseLessonLink(LinkFragment(*link)), link);
        }
    }
};

QTEST_GUILESS_MAIN(TestLessonLink)
#include "test_lesson_link.moc"
