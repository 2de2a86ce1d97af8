// Long runs of random use of the lesson window. Every click, key, wheel turn
// and drag that a pupil can make on the window is picked at random, and after
// each one the lesson is checked against a model that this file keeps from
// what the pupil did, with the curve arithmetic worked out here on its own.
//
// The fixed-seed run is long and also checks that the choice really reached
// every kind of event; the fresh-seed run is shorter and names its seed, so a
// failure can be replayed with TAVRINE_RANDOM_SEED=<seed> (and its length set
// with TAVRINE_RANDOM_EVENTS).

#include "lesson_builders.h"
#include "window_fixture.h"

#include "app/plot_painter.h"

#include <QPainter>
#include <QStyleOptionSlider>
#include <QWheelEvent>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <map>
#include <optional>
#include <random>
#include <set>
#include <tuple>
#include <vector>

namespace {

// A paint into an image after every event; the sanitizer build paints after
// every fifth, which keeps its run to a few minutes.
#if defined(__SANITIZE_ADDRESS__)
constexpr int kPaintStride = 5;
#else
constexpr int kPaintStride = 1;
#endif

// ---- The lesson's arithmetic, worked out on its own ----

Extended CurveValue(const CoefficientArray<int32_t>& k, float x)
{
    return ReferenceCubic(k[1], k[2], k[3], k[4], x);
}

TZahyoR InflectionPoint(const CoefficientArray<int32_t>& k)
{
    const float x = static_cast<float>(Extended(-2 * k[2]) / Extended(6 * k[1]));
    return {x, static_cast<float>(CurveValue(k, x))};
}

int32_t ViewScale(int position)
{
    // (50 - position) * 8 / 25 is never a half, so any rounding to nearest
    // will do.
    return 20 + static_cast<int32_t>(std::lround((50 - position) * 8 / 25.0));
}

int32_t StepDivisor(int32_t scale)
{
    // 100 up to 4, then 50 more for every further band of four, 450 at most.
    return scale <= 28 ? 50 + 50 * ((scale + 3) / 4) : 450;
}

TZahyoR PointAtSliderPosition(const CoefficientArray<int32_t>& k, TZahyoR inflection, int position,
                              int32_t scale)
{
    const Extended offset = Extended((position - 50) * scale) / Extended(StepDivisor(scale));
    const float x = static_cast<float>(offset + Extended(inflection.x));
    return {x, static_cast<float>(CurveValue(k, x))};
}

// ---- What the pupil has done, as the lesson should know it ----

struct Model {
    CoefficientArray<int32_t> keisu;
    CoefficientArray<QString> labels;
    CoefficientArray<bool> minus;
    int target = 1;
    bool second = false;
    bool chord = false;
    int32_t scale = 20;
    // The tangent point was last put on the inflection point by a
    // confirmation, or by a notification of the tangent slider.
    bool onInflection = true;
    int tangentPosition = 50;
    int32_t tangentScale = 20;

    Model()
    {
        keisu[1] = 1;
        labels[1] = "1";
        for (int n = 2; n <= 4; ++n)
            labels[n] = "0";
    }

    bool confirmationRefused() const
    {
        for (int n = 1; n <= 4; ++n) {
            if (labels[n] == "-")
                return true;
        }
        return false;
    }
};

bool AllowedLabel(int coefficient, const QString& text)
{
    static const QRegularExpression signedDigit(QStringLiteral("^-?[1-9]?$"));
    if (text == "0")
        return coefficient != 1;
    return !text.isEmpty() && signedDigit.match(text).hasMatch();
}

// ---- Where a pupil can click on a scroll bar ----

QRect BarPart(const ScrollNotifyBar* bar, QStyle::SubControl part, int position)
{
    QStyleOptionSlider option;
    option.initFrom(bar);
    option.orientation = Qt::Horizontal;
    option.minimum = bar->minimum();
    option.maximum = bar->maximum();
    option.sliderPosition = option.sliderValue = position;
    option.singleStep = bar->singleStep();
    option.pageStep = bar->pageStep();
    option.subControls = QStyle::SC_All;
    return bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, part, bar);
}

enum BarGesture {
    KeyLineDown,
    KeyLineUp,
    KeyPageDown,
    KeyPageUp,
    KeyHome,
    KeyEnd,
    ArrowAdd,
    ArrowSub,
    TroughAdd,
    TroughSub,
    ThumbDrag,
    MiddleClickJump,
    WheelForward,
    WheelBack,
    RightClick,
    FirstTriggeredAction, // then one for each QAbstractSlider::SliderAction
    BarGestureCount = FirstTriggeredAction + 8,
};

const char* BarGestureName(int gesture)
{
    static const char* const names[] = {"Right/Down key",
                                        "Left/Up key",
                                        "Page Down",
                                        "Page Up",
                                        "Home",
                                        "End",
                                        "right arrow",
                                        "left arrow",
                                        "trough right",
                                        "trough left",
                                        "thumb drag",
                                        "middle click",
                                        "wheel forward",
                                        "wheel back",
                                        "right click",
                                        "action NoAction",
                                        "action SingleStepAdd",
                                        "action SingleStepSub",
                                        "action PageStepAdd",
                                        "action PageStepSub",
                                        "action ToMinimum",
                                        "action ToMaximum",
                                        "action Move"};
    return names[gesture];
}

// ---- The run ----

class RandomUse {
public:
    RandomUse(TSessen_Form& form, uint64_t seed) : f_(form), rng_(seed)
    {
        bars_ = {f_.ScrollBar1, f_.ScrollBar2};
        // After the window's own handlers: this sees what the handler saw.
        QObject::connect(f_.ScrollBar1, &ScrollNotifyBar::scroll, &f_,
                         [this](ScrollCode, int& position) {
                             ++notifications_;
                             model_.scale = ViewScale(position);
                         });
        QObject::connect(f_.ScrollBar2, &ScrollNotifyBar::scroll, &f_,
                         [this](ScrollCode, int& position) {
                             ++notifications_;
                             model_.onInflection = false;
                             model_.tangentPosition = position;
                             model_.tangentScale = model_.scale;
                         });
        for (QAbstractButton* key : keys())
            keyOf_[key] = static_cast<int>(keyOf_.size());
        for (int b = 0; b < 2; ++b) {
            for (int gesture = 0; gesture < BarGestureCount; ++gesture) {
                for (int p = 0; p <= 100; ++p) {
                    if (applicable(bars_[static_cast<std::size_t>(b)], gesture, p))
                        deck_.emplace_back(b, gesture, p);
                }
            }
        }
        dealt_ = deck_.size();
    }

    // Runs `count` events; returns an empty text, or what went wrong.
    QString run(int count)
    {
        if (QString error = check(); !error.isEmpty())
            return "before the first event: " + error;
        for (int event = 0; event < count; ++event) {
            step();
            QCoreApplication::processEvents();
            if (event % kPaintStride == 0)
                paint();
            if (const QString error = check(); !error.isEmpty())
                return QString("event %1: %2\nlast events, oldest first:\n%3")
                    .arg(event)
                    .arg(error, recent_.join('\n'));
        }
        return {};
    }

    // What the run never did, of all the things it is meant to do.
    QStringList missed() const
    {
        QStringList gaps;
        for (int n = 1; n <= 5; ++n) {
            if (!acceptedFrom_.count(n))
                gaps << QString("an accepted confirmation with target %1").arg(n);
        }
        const std::pair<int, const char*> counters[] = {
            {refused_, "a refused confirmation"},
            {latchedAgain_, "a click on the latched selector"},
            {hiddenSkipped_, "an attempt on the hidden chord button"},
            {refocused_, "a return to the window"}};
        for (const auto& [count, what] : counters) {
            if (count == 0)
                gaps << what;
        }
        for (int state = 0; state < 3; ++state) {
            if (!secondToggleFrom_.count(state))
                gaps << QString("the second-tangent toggle in state %1").arg(state);
        }
        for (int state = 1; state < 3; ++state) {
            if (!chordToggleFrom_.count(state))
                gaps << QString("the chord toggle in state %1").arg(state);
        }
        int unmade = 0;
        for (const auto& card : deck_) {
            if (barCoverage_.count(card) == 0 && unmade++ < 5) {
                const auto [b, gesture, position] = card;
                gaps << QString("ScrollBar%1 %2 at %3")
                            .arg(b + 1)
                            .arg(BarGestureName(gesture))
                            .arg(position);
            }
        }
        if (unmade > 5)
            gaps << QString("and %1 more scroll bar gestures").arg(unmade - 5);
        return gaps;
    }

private:
    std::vector<QAbstractButton*> keys() const
    {
        return {f_.Btn00, f_.Btn01, f_.Btn02, f_.Btn03, f_.Btn04,    f_.Btn05,
                f_.Btn06, f_.Btn07, f_.Btn08, f_.Btn09, f_.BtnMinus, f_.BtnKettei};
    }

    int pick(int n) { return static_cast<int>(rng_() % static_cast<uint64_t>(n)); }

    void note(const QString& what)
    {
        recent_ << what;
        if (recent_.size() > 40)
            recent_.removeFirst();
    }

    void step()
    {
        if (pending_) {
            barEvent();
            return;
        }
        // Weights of the kinds of event, out of 100.
        const int roll = pick(100);
        if (roll < 12)
            selector(1 + pick(5));
        else if (roll < 38)
            keypad(keys()[static_cast<std::size_t>(pick(12))]);
        else if (roll < 44)
            keypad(f_.BtnKettei);
        else if (roll < 47)
            toggle(f_.BBtnSessenSu);
        else if (roll < 50)
            toggle(f_.BBtnHojosen);
        else if (roll < 99)
            barEvent();
        else if (pick(20) != 0)
            uncover();
        else
            refocus();
    }

    // A mouse click on a push button, or Space or Enter while it has the
    // focus; only while a pupil can see it.
    bool press(QAbstractButton* button, const char* name)
    {
        if (!button->isVisible()) {
            note(QString("%1 is hidden: nothing to click").arg(name));
            return false;
        }
        switch (pick(3)) {
        case 0:
            note(QString("click %1").arg(name));
            QTest::mouseClick(button, Qt::LeftButton);
            break;
        case 1:
            note(QString("Space on %1").arg(name));
            button->setFocus(Qt::TabFocusReason);
            QTest::keyClick(button, Qt::Key_Space);
            break;
        default:
            note(QString("Enter on %1").arg(name));
            button->setFocus(Qt::TabFocusReason);
            QTest::keyClick(button, Qt::Key_Return);
            break;
        }
        return true;
    }

    void selector(int n)
    {
        if (n == model_.target)
            ++latchedAgain_;
        SpeedButton* button = f_.selectorButton(n);
        note(QString("click selector %1").arg(n));
        if (pick(2) == 0)
            QTest::mouseClick(button, Qt::LeftButton);
        else
            button->click();
        model_.target = n;
    }

    void keypad(QAbstractButton* key)
    {
        const int k = keyOf_.at(key);
        const bool refused = model_.confirmationRefused();
        const int target = model_.target;
        if (!press(key, qPrintable(key->objectName())))
            return;
        if (k <= 9 && target <= 4 && (k != 0 || target != 1)) {
            model_.labels[target] =
                k == 0 ? QString("0") : (model_.minus[target] ? "-" : "") + QString::number(k);
        } else if (k == 10 && target <= 4) {
            model_.minus[target] = true;
            model_.labels[target] = "-";
        } else if (k == 11) {
            for (int n = 1; n <= 4; ++n)
                model_.minus[n] = false;
            if (refused) {
                ++refused_;
                return;
            }
            acceptedFrom_.insert(target);
            if (target <= 4)
                model_.keisu[target] = model_.labels[target].toInt();
            model_.target = target % 4 + 1;
            model_.onInflection = true;
        }
    }

    static int toggleState(const Model& m) { return m.second ? (m.chord ? 2 : 1) : 0; }

    void toggle(QAbstractButton* button)
    {
        const int state = toggleState(model_);
        if (!press(button, qPrintable(button->objectName()))) {
            ++hiddenSkipped_;
            return;
        }
        if (button == f_.BBtnSessenSu) {
            secondToggleFrom_.insert(state);
            model_.chord = false;
            model_.second = !model_.second;
        } else {
            chordToggleFrom_.insert(state);
            model_.chord = !model_.chord;
        }
    }

    // The window system asks for a repaint of the plot area.
    void uncover()
    {
        note("plot area uncovered");
        f_.PaintBox1->update();
        QCoreApplication::processEvents();
    }

    // The pupil switches to another window and back.
    void refocus()
    {
        note("switch to another window and back");
        ++refocused_;
        QWidget other;
        other.show();
        other.activateWindow();
        if (!QTest::qWaitForWindowActive(&other))
            note("the other window never got the focus");
        f_.activateWindow();
        if (!QTest::qWaitForWindowActive(&f_))
            note("the lesson window never got the focus back");
    }

    bool applicable(const ScrollNotifyBar* bar, int gesture, int position) const
    {
        if (gesture == TroughAdd)
            return !BarPart(bar, QStyle::SC_ScrollBarAddPage, position).isEmpty();
        if (gesture == TroughSub)
            return !BarPart(bar, QStyle::SC_ScrollBarSubPage, position).isEmpty();
        return true;
    }

    // Half the scroll bar events come from a shuffled deck of every gesture
    // on either bar at every position where it can be made, so that a run
    // makes each of them several times; the pupil first drags the thumb to
    // the card's position, a notification and an event of its own. The other
    // half are gestures wherever the thumb happens to stand.
    void barEvent()
    {
        if (pending_) {
            const auto [b, gesture] = *pending_;
            pending_.reset();
            gestureOn(b, gesture);
            return;
        }
        if (pick(2) == 0) {
            gestureOn(pick(2), pick(BarGestureCount));
            return;
        }
        if (dealt_ == deck_.size()) {
            std::shuffle(deck_.begin(), deck_.end(), rng_);
            dealt_ = 0;
        }
        const auto [b, gesture, position] = deck_[dealt_++];
        ScrollNotifyBar* bar = bars_[static_cast<std::size_t>(b)];
        if (bar->sliderPosition() == position) {
            gestureOn(b, gesture);
            return;
        }
        note(QString("ScrollBar%1 dragged to %2").arg(b + 1).arg(position));
        bar->setSliderPosition(position);
        pending_ = {b, gesture};
    }

    void gestureOn(int b, int gesture)
    {
        ScrollNotifyBar* bar = bars_[static_cast<std::size_t>(b)];
        const QString name = QString("ScrollBar%1").arg(b + 1);
        const int start = bar->sliderPosition();
        if (!applicable(bar, gesture, start))
            return;
        barCoverage_.insert({b, gesture, start});
        note(QString("%1 %2 at %3").arg(name, BarGestureName(gesture)).arg(start));
        const int middle = bar->height() / 2;
        const auto centreOf = [&](QStyle::SubControl part) {
            return BarPart(bar, part, start).center();
        };
        const auto key = [&](Qt::Key k) {
            bar->setFocus(Qt::TabFocusReason);
            QTest::keyClick(bar, k);
        };
        switch (gesture) {
        case KeyLineDown:
            key(pick(2) == 0 ? Qt::Key_Right : Qt::Key_Down);
            break;
        case KeyLineUp:
            key(pick(2) == 0 ? Qt::Key_Left : Qt::Key_Up);
            break;
        case KeyPageDown:
            key(Qt::Key_PageDown);
            break;
        case KeyPageUp:
            key(Qt::Key_PageUp);
            break;
        case KeyHome:
            key(Qt::Key_Home);
            break;
        case KeyEnd:
            key(Qt::Key_End);
            break;
        case ArrowAdd:
            QTest::mouseClick(bar, Qt::LeftButton, {}, centreOf(QStyle::SC_ScrollBarAddLine));
            break;
        case ArrowSub:
            QTest::mouseClick(bar, Qt::LeftButton, {}, centreOf(QStyle::SC_ScrollBarSubLine));
            break;
        case TroughAdd:
            QTest::mouseClick(bar, Qt::LeftButton, {}, centreOf(QStyle::SC_ScrollBarAddPage));
            break;
        case TroughSub:
            QTest::mouseClick(bar, Qt::LeftButton, {}, centreOf(QStyle::SC_ScrollBarSubPage));
            break;
        case ThumbDrag: {
            const QPoint grip = centreOf(QStyle::SC_ScrollBarSlider);
            const QPoint end = BarPart(bar, QStyle::SC_ScrollBarSlider, pick(101)).center();
            QTest::mousePress(bar, Qt::LeftButton, {}, grip);
            const int moves = 1 + pick(3);
            for (int m = 1; m <= moves; ++m)
                QTest::mouseMove(bar, grip + (end - grip) * m / moves);
            QTest::mouseRelease(bar, Qt::LeftButton, {}, end);
            break;
        }
        case MiddleClickJump: {
            const QRect trough = BarPart(bar, QStyle::SC_ScrollBarGroove, start);
            const QPoint at(trough.left() + pick(trough.width()), middle);
            QTest::mouseClick(bar, Qt::MiddleButton, {}, at);
            break;
        }
        case WheelForward:
        case WheelBack: {
            const Qt::KeyboardModifiers modifiers[] = {Qt::NoModifier, Qt::ControlModifier,
                                                       Qt::ShiftModifier};
            const QPointF at(bar->width() / 2.0, middle);
            QWheelEvent wheel(at, bar->mapToGlobal(at), QPoint(),
                              QPoint(0, gesture == WheelForward ? 120 : -120), Qt::NoButton,
                              modifiers[pick(3)], Qt::NoScrollPhase, false);
            QApplication::sendEvent(bar, &wheel);
            break;
        }
        case RightClick: {
            // A native scroll bar does nothing on a right click, so neither
            // handler may run.
            const int before = notifications_;
            QTest::mouseClick(bar, Qt::RightButton, {}, QPoint(pick(bar->width()), middle));
            if (notifications_ != before)
                unexpected_ << name + " notified a right click";
            break;
        }
        default:
            bar->triggerAction(
                static_cast<QAbstractSlider::SliderAction>(gesture - FirstTriggeredAction));
            break;
        }
    }

    static QString point(TZahyoR p)
    {
        return QString("(%1, %2)").arg(double(p.x), 0, 'g', 9).arg(double(p.y), 0, 'g', 9);
    }

    QString check() const
    {
        const LessonState& s = f_.lesson();
        const Model& m = model_;
        QStringList wrong = unexpected_;
        // The message is only put together for a check that fails.
        const auto expect = [&wrong](bool holds, auto&& what) {
            if (!holds)
                wrong << QString(what());
        };
        for (int n = 1; n <= 4; ++n) {
            const int32_t k = s.Keisu[n];
            expect(k >= -9 && k <= 9 && (n != 1 || k != 0) && k == m.keisu[n], [&] {
                return QString("coefficient %1 is %2, not %3").arg(n).arg(k).arg(m.keisu[n]);
            });
            const QString label = f_.coefficientLabel(n)->text();
            expect(AllowedLabel(n, label) && label == m.labels[n], [&] {
                return QString("label %1 shows \"%2\", not \"%3\"").arg(n).arg(label, m.labels[n]);
            });
            const std::string sign = m.minus[n] ? "-" : "";
            expect(s.KeisuFugo[n] == sign, [&] {
                return QString("sign buffer %1 holds \"%2\"").arg(n).arg(s.KeisuFugo[n].c_str());
            });
        }
        expect(s.DfA == 3 * s.Keisu[1] && s.DfB == 2 * s.Keisu[2] && s.DfC == s.Keisu[3] &&
                   s.D2fA == 6 * s.Keisu[1] && s.D2fB == 2 * s.Keisu[2],
               [&] {
                   return QString("derivative coefficients %1 %2 %3 %4 %5")
                       .arg(s.DfA)
                       .arg(s.DfB)
                       .arg(s.DfC)
                       .arg(s.D2fA)
                       .arg(s.D2fB);
               });
        const TZahyoR inflection = InflectionPoint(m.keisu);
        expect(s.TenvoriPt == inflection, [&] {
            return "inflection point " + point(s.TenvoriPt) + ", not " + point(inflection);
        });
        const TZahyoR tangent =
            m.onInflection
                ? inflection
                : PointAtSliderPosition(m.keisu, inflection, m.tangentPosition, m.tangentScale);
        expect(s.SettenPt == tangent,
               [&] { return "tangent point " + point(s.SettenPt) + ", not " + point(tangent); });
        expect(s.SettenPt.y == static_cast<float>(CurveValue(s.Keisu, s.SettenPt.x)),
               [] { return "the tangent point is off the curve"; });
        expect(s.ZahyoMax >= 4 && s.ZahyoMax <= 36 && s.ZahyoMax == m.scale,
               [&] { return QString("view scale %1, not %2").arg(s.ZahyoMax).arg(m.scale); });
        expect(m.scale == ViewScale(f_.ScrollBar1->value()),
               [&] { return QString("the zoom slider stands at %1").arg(f_.ScrollBar1->value()); });
        const int tangentSlider = f_.ScrollBar2->value();
        expect(tangentSlider == (m.onInflection ? 50 : m.tangentPosition),
               [&] { return QString("the tangent slider stands at %1").arg(tangentSlider); });
        expect(s.KeisuNo >= 1 && s.KeisuNo <= 5 && s.KeisuNo == m.target,
               [&] { return QString("target %1, not %2").arg(s.KeisuNo).arg(m.target); });
        for (int n = 1; n <= 5; ++n) {
            const bool latched = f_.selectorButton(n)->isChecked();
            expect(latched == (n == s.KeisuNo), [&] {
                return QString("selector %1 is %2").arg(n).arg(latched ? "latched" : "up");
            });
        }
        expect(!s.HojosenAri || s.SessenSu2,
               [] { return "the chord is on without the second tangent"; });
        expect(s.SessenSu2 == m.second && s.HojosenAri == m.chord,
               [&] { return QString("toggles %1 %2").arg(s.SessenSu2).arg(s.HojosenAri); });
        const bool chordButton = f_.BBtnHojosen->isVisible();
        expect(chordButton == s.SessenSu2, [&] {
            return QString("the chord button is %1").arg(chordButton ? "shown" : "hidden");
        });
        expect(f_.isActiveWindow(), [] { return "the lesson window has lost the focus"; });
        return wrong.join("; ");
    }

    // The plot of this moment, painted into an image as a repaint of the
    // window would paint it.
    void paint()
    {
        QPainter painter(&image_);
        PaintPlot(painter, f_.lesson(), image_.width(), image_.height());
    }

    TSessen_Form& f_;
    std::mt19937_64 rng_;
    std::array<ScrollNotifyBar*, 2> bars_{};
    std::map<const QAbstractButton*, int> keyOf_;
    Model model_;
    QImage image_{660, 660, QImage::Format_RGB32};
    QStringList recent_;
    QStringList unexpected_;
    int notifications_ = 0;

    std::set<int> acceptedFrom_;
    std::set<int> secondToggleFrom_;
    std::set<int> chordToggleFrom_;
    std::vector<std::tuple<int, int, int>> deck_;
    std::size_t dealt_ = 0;
    std::optional<std::pair<int, int>> pending_;
    std::set<std::tuple<int, int, int>> barCoverage_;
    int refused_ = 0;
    int latchedAgain_ = 0;
    int hiddenSkipped_ = 0;
    int refocused_ = 0;
};

uint64_t FreshSeed()
{
    if (const char* given = std::getenv("TAVRINE_RANDOM_SEED"))
        return std::strtoull(given, nullptr, 10);
    std::random_device device;
    return (static_cast<uint64_t>(device()) << 32) | device();
}

int FreshEvents()
{
    if (const char* given = std::getenv("TAVRINE_RANDOM_EVENTS"))
        return std::atoi(given);
    return 10000;
}

} // namespace

class TestRandomUse : public QObject {
    Q_OBJECT
private slots:
    void randomUse_data();
    void randomUse();
    void rightClickIsNoScroll();
};

void TestRandomUse::randomUse_data()
{
    QTest::addColumn<quint64>("seed");
    QTest::addColumn<int>("events");
    QTest::addColumn<bool>("complete");
    QTest::newRow("fixed seed") << quint64(20240611) << 100000 << true;
    const uint64_t fresh = FreshSeed();
    QTest::addRow("fresh seed %llu", static_cast<unsigned long long>(fresh))
        << quint64(fresh) << FreshEvents() << false;
}

void TestRandomUse::randomUse()
{
    QFETCH(quint64, seed);
    QFETCH(int, events);
    QFETCH(bool, complete);
    qInfo("seed %llu, %d events", static_cast<unsigned long long>(seed), events);
    const auto form = StartedForm();
    RandomUse use(*form, seed);
    const QString failure = use.run(events);
    QVERIFY2(failure.isEmpty(), qPrintable(QString("seed %1, %2").arg(seed).arg(failure)));
    if (complete) {
        const QStringList missed = use.missed();
        QVERIFY2(missed.isEmpty(), qPrintable("never did: " + missed.join("; ")));
    }
}

void TestRandomUse::rightClickIsNoScroll()
{
    // A right click anywhere on a slider (left arrow, trough, thumb, right
    // arrow) runs no handler: after a zoom it would move the tangent point.
    ScrollNotifyBar bar;
    bar.resize(249, 25);
    bar.setValue(50);
    bar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&bar));
    int notifications = 0;
    connect(&bar, &ScrollNotifyBar::scroll, &bar, [&](ScrollCode, int&) { ++notifications; });
    for (int x : {4, 60, bar.width() / 2, bar.width() - 4})
        QTest::mouseClick(&bar, Qt::RightButton, {}, QPoint(x, 12));
    QCOMPARE(notifications, 0);
    QCOMPARE(bar.value(), 50);
    // The left button still scrolls: the step, then the end of the action.
    QTest::mouseClick(&bar, Qt::LeftButton, {}, QPoint(bar.width() - 4, 12));
    QCOMPARE(notifications, 2);
    QCOMPARE(bar.value(), 51);
}

QTEST_MAIN(TestRandomUse)
#include "test_random_use.moc"
