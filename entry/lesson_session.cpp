#include "entry/lesson_session.h"

#include "entry/confirmation.h"
#include "entry/selector.h"
#include "lesson/colors.h"
#include "lesson/curve.h"
#include "lesson/tangent_step.h"
#include "plot/mapping.h"

#include <algorithm>

namespace {
int32_t SliderPosition(int32_t position)
{
    return std::clamp(position, int32_t{0}, LessonSession::kSliderMax);
}
} // namespace

LessonSession::LessonSession()
    : selectorColors_(SelectorColors(0)),
      // The buttons' looks before the lesson starts: their captions in the
      // window's text colour, both shown.
      toggles_{ToggleLook{"接 線 1 本", Bgr::Black, true},
               ToggleLook{"補助線なし", Bgr::Black, true}}
{
}

void LessonSession::Syokika()
{
    lesson_.ZahyoMax = PositiontoZahyoMax(zoomPosition_);
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
    toggles_ = ResetToggles(lesson_);
}

bool LessonSession::BtnKetteiClick()
{
    ClearPendingSigns(lesson_);
    if (HasUnfinishedEntry(labels_))
        return false;
    if (lesson_.KeisuNo >= 1 && lesson_.KeisuNo <= kCoefficientCount)
        lesson_.Keisu[lesson_.KeisuNo] = ParseCoefficient(labels_[lesson_.KeisuNo]);
    equation_ = EquationText(lesson_.Keisu);
    SelectorClick(NextTarget(lesson_.KeisuNo));
    Kyokusen_Update(lesson_);
    tangentPosition_ = kTangentCentre;
    return true;
}

void LessonSession::SelectorClick(int32_t target)
{
    if (target < 1 || target > kEquationTarget)
        return;
    SelectTarget(lesson_, target);
    latched_ = target;
    selectorColors_ = SelectorColors(target);
}

void LessonSession::applyLabelEdit(const std::optional<LabelEdit>& edit)
{
    if (edit)
        labels_[edit->coefficient] = edit->text;
}

void LessonSession::DigitClick(int digit)
{
    applyLabelEdit(PressDigit(lesson_, digit));
}

void LessonSession::Btn00Click()
{
    applyLabelEdit(PressZero(lesson_));
}

void LessonSession::BtnMinusClick()
{
    applyLabelEdit(PressMinus(lesson_));
}

void LessonSession::ScrollBar1Scroll(int32_t position)
{
    zoomPosition_ = SliderPosition(position);
    lesson_.ZahyoMax = PositiontoZahyoMax(zoomPosition_);
}

void LessonSession::ScrollBar2Scroll(int32_t position)
{
    tangentPosition_ = SliderPosition(position);
    MoveTangentPoint(lesson_, tangentPosition_);
}

void LessonSession::BBtnSessenSuClick()
{
    toggles_ = ToggleSecondTangent(lesson_);
}

void LessonSession::BBtnHojosenClick()
{
    toggles_ = ToggleChord(lesson_);
}
