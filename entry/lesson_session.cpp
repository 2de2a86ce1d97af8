#include "entry/lesson_session.h"

#include "controls/control_table.h"
#include "entry/confirmation.h"
#include "entry/selector.h"
#include "lesson/catalogue.h"
#include "lesson/colors.h"
#include "lesson/curve.h"
#include "lesson/equation_text.h"
#include "lesson/spoken_math.h"
#include "lesson/tangent_step.h"
#include "plot/mapping.h"
#include "plot/plot_layers.h"
#include "plot/tangent_grab.h"

#include <algorithm>

namespace {
int32_t SliderPosition(int32_t position)
{
    return std::clamp(position, int32_t{0}, LessonSession::kSliderMax);
}

// The selectors of targets 1..5 and the keypad's digit keys, as the control
// table names them.
constexpr const char* kSelectors[] = {"SbnKeisuA", "SbnKeisuB", "SbnKeisuC", "SbnKeisuD",
                                      "SbnSiki"};
constexpr const char* kDigitKeys[] = {"Btn00", "Btn01", "Btn02", "Btn03", "Btn04",
                                      "Btn05", "Btn06", "Btn07", "Btn08", "Btn09"};
} // namespace

LessonSession::LessonSession()
{
    shown_.selectorColors = SelectorColors(0);
    // The buttons' looks before the lesson starts: their captions in the
    // window's text colour, both shown.
    shown_.toggles = {ToggleLook{std::string(Translated(kOneTangentAtReset)), Bgr::Black, true},
                      ToggleLook{ChordCaption(false), Bgr::Black, true}};
}

void LessonSession::Syokika()
{
    lesson_.ZahyoMax = PositiontoZahyoMax(shown_.zoomPosition);
    ClearPendingSigns(lesson_);
    lesson_.Keisu[1] = 1;
    lesson_.Keisu[2] = 0;
    lesson_.Keisu[3] = 0;
    lesson_.Keisu[4] = 0;
    for (int n = 1; n <= kCoefficientCount; ++n)
        labels_[n] = std::to_string(lesson_.Keisu[n]);
    lesson_.KeisuNo = 1;
    BtnKetteiClick();
    SelectorClick(1);
    shown_.toggles = ResetToggles(lesson_);
    shown_.announcement.clear();
    shown_.sound = SoundCue::None;
}

LessonView LessonSession::view() const
{
    LessonView view = shown_;
    for (int n = 1; n <= kCoefficientCount; ++n)
        view.coefficientLabels[static_cast<std::size_t>(n - 1)] = labels_[n];
    view.secondTangentOn = lesson_.SessenSu2;
    view.chordOn = lesson_.HojosenAri;
    view.plotDescription = PlotDescription(lesson_);
    return view;
}

void LessonSession::sayAfter(std::string_view controlId)
{
    shown_.sound = SoundCue::None;
    const ControlRow& row = *FindControlRow(controlId);
    if (row.spoken == Spoken::Lesson && row.change)
        shown_.announcement = ChangeAnnouncement(lesson_, *row.change);
    else if (row.spoken == Spoken::Entry)
        shown_.announcement = entrySentence();
    else
        shown_.announcement.clear();
}

std::string LessonSession::entrySentence() const
{
    // The coefficient being typed, as the label that shows it is read
    // ("係数 b：マイナス 3"); the equation button, by its own name with the
    // equation it chooses, in words.
    const int32_t target = std::clamp(lesson_.KeisuNo, int32_t{1}, kEquationTarget);
    const ControlRow& selector = *FindControlRow(kSelectors[target - 1]);
    const ControlRow* label = LabelOf(selector);
    if (label == nullptr)
        return Filled(Translated(kNameAndValue),
                      {RowName(selector), SpokenMath(shown_.equationText)});
    return ControlName(*label, labels_[target]);
}

bool LessonSession::BtnKetteiClick()
{
    ClearPendingSigns(lesson_);
    if (HasUnfinishedEntry(labels_)) {
        shown_.announcement = Translated(kConfirmationRefused);
        shown_.sound = SoundCue::None;
        return false;
    }
    if (lesson_.KeisuNo >= 1 && lesson_.KeisuNo <= kCoefficientCount)
        lesson_.Keisu[lesson_.KeisuNo] = ParseCoefficient(labels_[lesson_.KeisuNo]);
    shown_.equationText = EquationText(lesson_.Keisu);
    SelectorClick(NextTarget(lesson_.KeisuNo));
    Kyokusen_Update(lesson_);
    shown_.tangentPosition = LessonView{}.tangentPosition;
    sayAfter("BtnKettei");
    // What plays is the curve that was; it stops.
    shown_.sound = SoundCue::Stop;
    return true;
}

void LessonSession::SelectorClick(int32_t target)
{
    if (target < 1 || target > kEquationTarget) {
        shown_.announcement.clear();
        shown_.sound = SoundCue::None;
        return;
    }
    SelectTarget(lesson_, target);
    shown_.latchedSelector = target;
    shown_.selectorColors = SelectorColors(target);
    sayAfter(kSelectors[target - 1]);
}

void LessonSession::applyLabelEdit(const std::optional<LabelEdit>& edit)
{
    if (edit)
        labels_[edit->coefficient] = edit->text;
}

void LessonSession::DigitClick(int digit)
{
    applyLabelEdit(PressDigit(lesson_, digit));
    sayAfter(kDigitKeys[std::clamp(digit, 0, 9)]);
}

void LessonSession::Btn00Click()
{
    applyLabelEdit(PressZero(lesson_));
    sayAfter("Btn00");
}

void LessonSession::BtnMinusClick()
{
    applyLabelEdit(PressMinus(lesson_));
    sayAfter("BtnMinus");
}

void LessonSession::ScrollBar1Scroll(int32_t position, bool atRest)
{
    shown_.zoomPosition = SliderPosition(position);
    lesson_.ZahyoMax = PositiontoZahyoMax(shown_.zoomPosition);
    shown_.announcement.clear();
    if (atRest)
        sayAfter("ScrollBar1");
    // What plays is the view that was; it stops.
    shown_.sound = SoundCue::Stop;
}

void LessonSession::ScrollBar2Scroll(int32_t position, bool atRest)
{
    const int32_t before = shown_.tangentPosition;
    shown_.tangentPosition = SliderPosition(position);
    MoveTangentPoint(lesson_, shown_.tangentPosition);
    shown_.announcement.clear();
    if (atRest)
        sayAfter("ScrollBar2");
    // Each step of the point is heard; the slider coming to rest where it
    // already stands is not a step.
    const bool stepped = !atRest || shown_.tangentPosition != before;
    shown_.sound = shown_.soundOn && stepped && TangentLayerShown(lesson_, lesson_.SettenPt)
                       ? SoundCue::SlopeStep
                       : SoundCue::None;
}

void LessonSession::sayNothing()
{
    shown_.announcement.clear();
    shown_.sound = SoundCue::None;
}

bool LessonSession::PaintBox1MouseDown(int32_t width, int32_t height, double x, double y)
{
    sayNothing();
    if (draggingTangent() || width <= 0 || !CanGrabTangentPoint(lesson_, width, height, x, y))
        return false;
    dragWidth_ = width;
    PaintBox1MouseMove(x);
    return true;
}

void LessonSession::PaintBox1MouseMove(double x)
{
    // Only a change of position is a step, as with the slider's own thumb.
    sayNothing();
    if (!draggingTangent())
        return;
    const int32_t position = TangentPositionUnder(lesson_, dragWidth_, x);
    if (position != shown_.tangentPosition)
        ScrollBar2Scroll(position);
}

void LessonSession::PaintBox1MouseUp()
{
    sayNothing();
    if (!draggingTangent())
        return;
    dragWidth_ = 0;
    // As the thumb let go: its position once more, then the end of the scroll.
    ScrollBar2Scroll(shown_.tangentPosition);
    ScrollBar2Scroll(shown_.tangentPosition, true);
}

void LessonSession::BBtnSessenSuClick()
{
    shown_.toggles = ToggleSecondTangent(lesson_);
    sayAfter("BBtnSessenSu");
}

void LessonSession::BBtnHojosenClick()
{
    shown_.toggles = ToggleChord(lesson_);
    sayAfter("BBtnHojosen");
}

void LessonSession::SoundToggle()
{
    shown_.soundOn = !shown_.soundOn;
    shown_.announcement = Translated(shown_.soundOn ? kSoundOn : kSoundOff);
    shown_.sound = shown_.soundOn ? SoundCue::None : SoundCue::Stop;
}

void LessonSession::HearKey(bool tangentFirst, bool playing)
{
    shown_.announcement.clear();
    if (!shown_.soundOn) {
        shown_.announcement = Translated(kSoundIsOff);
        shown_.sound = SoundCue::None;
    } else if (playing) {
        shown_.sound = SoundCue::Stop;
    } else {
        shown_.sound = tangentFirst ? SoundCue::TangentThenCurve : SoundCue::Curve;
    }
}

void LessonSession::HearAction(bool tangentFirst)
{
    shown_.soundOn = true;
    HearKey(tangentFirst, false);
}

void LessonSession::StopSound()
{
    shown_.announcement.clear();
    shown_.sound = SoundCue::Stop;
}

void LessonSession::SoundUnavailable()
{
    shown_.sound = SoundCue::None;
    if (unavailableSaid_)
        return;
    unavailableSaid_ = true;
    // After what the key itself says ("音をオンにしました" ...).
    if (!shown_.announcement.empty())
        shown_.announcement += SentenceEnd();
    shown_.announcement += Translated(kNoAudioDevice);
}
