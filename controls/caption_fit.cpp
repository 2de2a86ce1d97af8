#include "controls/caption_fit.h"

#include "lesson/catalogue.h"
#include "lesson/tangent_toggles.h"

#include <cmath>

int CaptionRoom(const ControlRow& row)
{
    switch (row.kind) {
    case ControlKind::GroupBox:
        return row.place.width - 8;
    case ControlKind::PushButton:
    case ControlKind::Toggle:
    case ControlKind::Selector:
        return row.place.width - 2;
    default:
        return row.place.width;
    }
}

std::vector<std::string> CaptionsOf(const ControlRow& row)
{
    if (row.change == LessonChange::SecondTangent) {
        return {std::string(Translated(kOneTangentAtReset)), SecondTangentCaption(false),
                SecondTangentCaption(true)};
    }
    if (row.change == LessonChange::Chord)
        return {ChordCaption(false), ChordCaption(true)};
    return {std::string(RowCaption(row))};
}

int FittedCaptionSize(const ControlRow& row, int roleSize,
                      const std::function<double(int pixelSize)>& widest)
{
    const int smallest = static_cast<int>(std::ceil(roleSize * kSmallestCaptionScale));
    int size = roleSize;
    while (size > smallest && widest(size) > CaptionRoom(row))
        --size;
    return size;
}
