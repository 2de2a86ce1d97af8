#include "entry/lesson_session.h"

#include "controls/control_table.h"
#include "entry/confirmation.h"
#include "entry/lesson_paper.h"
#include "entry/lesson_share.h"
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
#include <cstdlib>

namespace {
int32_t SliderPosition(int32_t position)
{
    return std::clamp(position, int32_t{0}, LessonSession::kSliderMax);
}
} // namespace

LessonSession::LessonSession()
{
    shown_.selectorColors = SelectorColors(0);
    // The buttons' looks before the lesson starts: their captions black,
    // both shown.
    shown_.toggles = {ToggleLook{std::string(Translated(kOneTangentAtReset)), Bgr::Black, true},
                      ToggleLook{ChordCaption(false), Bgr::Black, true}};
    read();
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
        applyLabelEdit(LabelEdit{n, std::to_string(lesson_.Keisu[n])});
    lesson_.KeisuNo = 1;
    BtnKetteiClick();
    SelectorClick(1);
    showToggles(ResetToggles(lesson_));
    read();
    shown_.sharing = false;
    shown_.announcement.clear();
    shown_.sound = SoundCue::None;
}

void LessonSession::Open(std::string_view text)
{
    const std::optional<LessonLink> link = ParseLessonLink(text);
    Syokika();
    if (!link) {
        shown_.announcement = Translated(kLinkHeldNoLesson);
        return;
    }
    ScrollBar1Scroll(link->zoom, true);
    for (int n = 1; n <= kCoefficientCount; ++n) {
        const int32_t value = link->coefficients[static_cast<std::size_t>(n - 1)];
        SelectorClick(n);
        if (value < 0)
            BtnMinusClick();
        if (value == 0)
            Btn00Click();
        else
            DigitClick(std::abs(value));
        BtnKetteiClick();
    }
    ScrollBar2Scroll(link->point, true);
    if (link->secondTangent)
        BBtnSessenSuClick();
    if (link->chord)
        BBtnHojosenClick();
    if (link->slopeCurve)
        SlopeCurveToggle();
    read();
    shown_.announcement = Filled(Translated(kLinkOpened), {SpokenMath(shown_.equationText)});
    shown_.sound = SoundCue::Stop;
}

LessonLink LessonSession::link() const
{
    LessonLink link;
    for (int n = 1; n <= kCoefficientCount; ++n)
        link.coefficients[static_cast<std::size_t>(n - 1)] = lesson_.Keisu[n];
    link.zoom = shown_.zoomPosition;
    link.point = shown_.tangentPosition;
    link.secondTangent = lesson_.SessenSu2;
    link.chord = lesson_.HojosenAri;
    link.slopeCurve = lesson_.DoukansuAri;
    return link;
}

void LessonSession::read()
{
    shown_.plotDescription = PlotDescription(lesson_);
}

void LessonSession::showToggles(ToggleLooks looks)
{
    shown_.toggles = std::move(looks);
    shown_.secondTangentOn = lesson_.SessenSu2;
    shown_.chordOn = lesson_.HojosenAri;
    shown_.slopeCurveOn = lesson_.DoukansuAri;
}

After LessonSession::Press(const ControlRow& row)
{
    const int32_t argument = row.intent.argument;
    switch (row.intent.does) {
    case Does::Quit:
        return After::Quit;
    case Does::SecondTangent:
        BBtnSessenSuClick();
        // Drawn at once, so the plot never contradicts the buttons.
        return After::Draw;
    case Does::Chord:
        BBtnHojosenClick();
        return After::Draw;
    case Does::Digit:
        if (argument == 0)
            Btn00Click();
        else
            DigitClick(argument);
        return After::Show;
    case Does::Minus:
        BtnMinusClick();
        return After::Show;
    case Does::Confirm:
        // A refused confirmation has only emptied the pending signs, which
        // no control shows; there is only its reason to say.
        return BtnKetteiClick() ? After::Draw : After::Show;
    case Does::Select:
        SelectorClick(argument);
        return After::Show;
    case Does::Shows:
    case Does::Zoom:
    case Does::MoveTangent:
    case Does::DragTangent:
        break;
    }
    return After::Ignored;
}

After LessonSession::Scroll(const ControlRow& row, int32_t position, bool atRest)
{
    if (row.intent.does == Does::Zoom)
        ScrollBar1Scroll(position, atRest);
    else if (row.intent.does == Does::MoveTangent)
        ScrollBar2Scroll(position, atRest);
    else
        return After::Ignored;
    return After::Draw;
}

After LessonSession::Pointer(const ControlRow& row, PointerPhase phase, const PlotPointer& pointer)
{
    if (row.intent.does != Does::DragTangent)
        return After::Ignored;
    const int32_t before = shown_.tangentPosition;
    const bool held = draggingTangent();
    switch (phase) {
    case PointerPhase::Down:
        PaintBox1MouseDown(pointer.width, pointer.height, pointer.x, pointer.y);
        break;
    case PointerPhase::Move:
        PaintBox1MouseMove(pointer.x);
        break;
    case PointerPhase::Up:
        PaintBox1MouseUp();
        break;
    }
    // A pointer that took nothing and let nothing go changes nothing.
    if (!held && !draggingTangent())
        return After::Show;
    return shown_.tangentPosition != before || phase == PointerPhase::Up ? After::Draw
                                                                         : After::Show;
}

After LessonSession::Key(const KeyRow& key, bool playing)
{
    // While the share view is over the lesson only what closes or presents
    // it gets through: a key behind it would change the lesson its link and
    // QR code were made of.
    if (shown_.sharing && key.command != KeyCommand::Share &&
        key.command != KeyCommand::StopSound && key.command != KeyCommand::Presentation)
        return After::Ignored;
    switch (key.command) {
    case KeyCommand::PressControl:
        // As a click on the keypad's key, which then comes here as its Press.
        sayNothing();
        return After::PressControl;
    case KeyCommand::SoundOnOff:
        SoundToggle();
        return After::Show;
    case KeyCommand::HearCurve:
    case KeyCommand::HearTangent:
        HearKey(key.command == KeyCommand::HearTangent, playing);
        return After::Show;
    case KeyCommand::HearSlope:
        HearSlopeKey(playing);
        return After::Show;
    case KeyCommand::SlopeCurve:
        SlopeCurveToggle();
        return After::Draw;
    case KeyCommand::CopyPlot:
        sayNothing();
        return After::Copy;
    case KeyCommand::SavePlot:
        sayNothing();
        return After::Save;
    case KeyCommand::PrintPlot:
        sayNothing();
        return After::Print;
    case KeyCommand::TouchPaper:
        TouchPaperToggle();
        return After::Show;
    case KeyCommand::StopSound:
        StopSound();
        // Escape closes the share view first, and presentation mode only
        // once nothing is over the lesson.
        if (shown_.sharing) {
            shown_.sharing = false;
            return After::Share;
        }
        return After::EndPresentation;
    case KeyCommand::Presentation:
        sayNothing();
        return After::Presentation;
    case KeyCommand::Share:
        sayNothing();
        shown_.sharing = !shown_.sharing;
        // Said as the view opens: what it is for and how it closes.
        if (shown_.sharing)
            shown_.announcement = Translated(kShareDescription);
        return After::Share;
    case KeyCommand::SliderLine:
    case KeyCommand::SliderPage:
    case KeyCommand::SliderToStart:
    case KeyCommand::SliderToEnd:
        break;
    }
    return After::Ignored;
}

bool LessonSession::grabsTangentPoint(const PlotPointer& pointer) const
{
    return pointer.width > 0 &&
           CanGrabTangentPoint(lesson_, pointer.width, pointer.height, pointer.x, pointer.y);
}

void LessonSession::sayAfter(const ControlRow& row)
{
    shown_.sound = SoundCue::None;
    // What changed the lesson changed its reading too; a slider's steps are
    // read once it comes to rest, not at every step.
    if (row.spoken == Spoken::Lesson)
        read();
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
    const ControlRow& selector = *FindControlRow(Does::Select, target);
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
    sayAfter(*FindControlRow(Does::Confirm));
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
    sayAfter(*FindControlRow(Does::Select, target));
}

void LessonSession::applyLabelEdit(const std::optional<LabelEdit>& edit)
{
    if (!edit)
        return;
    labels_[edit->coefficient] = edit->text;
    shown_.coefficientLabels[static_cast<std::size_t>(edit->coefficient - 1)] = edit->text;
}

void LessonSession::DigitClick(int digit)
{
    applyLabelEdit(PressDigit(lesson_, digit));
    sayAfter(*FindControlRow(Does::Digit, std::clamp(digit, 0, 9)));
}

void LessonSession::Btn00Click()
{
    applyLabelEdit(PressZero(lesson_));
    sayAfter(*FindControlRow(Does::Digit, 0));
}

void LessonSession::BtnMinusClick()
{
    applyLabelEdit(PressMinus(lesson_));
    sayAfter(*FindControlRow(Does::Minus));
}

void LessonSession::ScrollBar1Scroll(int32_t position, bool atRest)
{
    shown_.zoomPosition = SliderPosition(position);
    lesson_.ZahyoMax = PositiontoZahyoMax(shown_.zoomPosition);
    shown_.announcement.clear();
    if (atRest)
        sayAfter(*FindControlRow(Does::Zoom));
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
        sayAfter(*FindControlRow(Does::MoveTangent));
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
    showToggles(ToggleSecondTangent(lesson_));
    sayAfter(*FindControlRow(Does::SecondTangent));
}

void LessonSession::BBtnHojosenClick()
{
    showToggles(ToggleChord(lesson_));
    sayAfter(*FindControlRow(Does::Chord));
}

void LessonSession::SlopeCurveToggle()
{
    lesson_.DoukansuAri = !lesson_.DoukansuAri;
    shown_.slopeCurveOn = lesson_.DoukansuAri;
    read();
    shown_.announcement = ChangeAnnouncement(lesson_, LessonChange::SlopeCurve);
    shown_.sound = SoundCue::None;
}

void LessonSession::TouchPaperToggle()
{
    shown_.touchPaperOn = !shown_.touchPaperOn;
    shown_.announcement = Translated(shown_.touchPaperOn ? kTouchPaperOn : kTouchPaperOff);
    shown_.sound = SoundCue::None;
}

void LessonSession::PaperDone(PaperOutcome outcome, std::string_view detail)
{
    sayNothing();
    switch (outcome) {
    case PaperOutcome::Copied:
        shown_.announcement = Translated(kPlotCopied);
        break;
    case PaperOutcome::CopyRefused:
        shown_.announcement = Translated(kCopyRefused);
        break;
    case PaperOutcome::Saved:
        shown_.announcement = Filled(Translated(kPlotSaved), {detail});
        break;
    case PaperOutcome::SaveFailed:
        shown_.announcement = Filled(Translated(kSaveFailed), {detail});
        break;
    }
}

void LessonSession::SoundToggle()
{
    shown_.soundOn = !shown_.soundOn;
    shown_.announcement = Translated(shown_.soundOn ? kSoundOn : kSoundOff);
    // The device is opened as the sound is switched on, so that the first
    // piece starts at once and a missing one is said now.
    shown_.sound = shown_.soundOn ? SoundCue::Open : SoundCue::Stop;
}

void LessonSession::HearKey(bool tangentFirst, bool playing)
{
    hear(tangentFirst ? SoundCue::TangentThenCurve : SoundCue::Curve, playing);
}

void LessonSession::HearSlopeKey(bool playing)
{
    hear(SoundCue::SlopeCurve, playing);
}

void LessonSession::hear(SoundCue piece, bool playing)
{
    shown_.announcement.clear();
    if (!shown_.soundOn) {
        shown_.announcement = Translated(kSoundIsOff);
        shown_.sound = SoundCue::None;
    } else {
        shown_.sound = playing ? SoundCue::Stop : piece;
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
