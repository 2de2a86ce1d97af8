#include "controls/key_table.h"

#include <algorithm>
#include <string>

namespace {
using enum KeyCommand;
constexpr KeyFocus kAnywhere = KeyFocus::Anywhere;
constexpr KeyFocus kOnSlider = KeyFocus::Slider;

// Digits and "-" press the keypad's keys, from the main keyboard or the
// number pad, with Shift where a layout needs it; with Ctrl, Alt or Meta a
// key is a shortcut, not a digit. Escape stops the sound and ends
// presentation mode whatever else is held. The plot is copied, saved and
// printed with Ctrl, or with Command on an iPad's keyboard. A slider's keys act as on a
// native horizontal scroll bar, with Shift or without.
// clang-format off
constexpr KeyRow kKeys[] = {
    {"0", kNoModifier, kShift, kAnywhere, PressControl, "Btn00", 0, "0"},
    {"1", kNoModifier, kShift, kAnywhere, PressControl, "Btn01", 0, "1"},
    {"2", kNoModifier, kShift, kAnywhere, PressControl, "Btn02", 0, "2"},
    {"3", kNoModifier, kShift, kAnywhere, PressControl, "Btn03", 0, "3"},
    {"4", kNoModifier, kShift, kAnywhere, PressControl, "Btn04", 0, "4"},
    {"5", kNoModifier, kShift, kAnywhere, PressControl, "Btn05", 0, "5"},
    {"6", kNoModifier, kShift, kAnywhere, PressControl, "Btn06", 0, "6"},
    {"7", kNoModifier, kShift, kAnywhere, PressControl, "Btn07", 0, "7"},
    {"8", kNoModifier, kShift, kAnywhere, PressControl, "Btn08", 0, "8"},
    {"9", kNoModifier, kShift, kAnywhere, PressControl, "Btn09", 0, "9"},
    {"-", kNoModifier, kShift, kAnywhere, PressControl, "BtnMinus", 0, "-"},
    {"t", kAlt, kNoModifier, kAnywhere, SoundOnOff, nullptr, 0, "Alt+T"},
    {"h", kNoModifier, kNoModifier, kAnywhere, HearCurve, nullptr, 0, "H"},
    {"h", kShift, kNoModifier, kAnywhere, HearTangent, nullptr, 0, "Shift+H"},
    {"Escape", kNoModifier, kAnyModifier, kAnywhere, StopSound, nullptr, 0, "Escape"},
    {"F11", kNoModifier, kAnyModifier, kAnywhere, Presentation, nullptr, 0, "F11"},
    {"s", kNoModifier, kNoModifier, kAnywhere, Share, nullptr, 0, "S"},
    {"d", kNoModifier, kNoModifier, kAnywhere, SlopeCurve, nullptr, 0, "D"},
    {"d", kShift, kNoModifier, kAnywhere, HearSlope, nullptr, 0, "Shift+D"},
    {"c", kControl, kNoModifier, kAnywhere, CopyPlot, nullptr, 0, "Control+C"},
    {"s", kControl, kNoModifier, kAnywhere, SavePlot, nullptr, 0, "Control+S"},
    {"p", kControl, kNoModifier, kAnywhere, PrintPlot, nullptr, 0, "Control+P"},
    {"p", kControl | kShift, kNoModifier, kAnywhere, TouchPaper, nullptr, 0, "Control+Shift+P"},
    {"c", kMeta, kNoModifier, kAnywhere, CopyPlot, nullptr, 0, "Meta+C"},
    {"s", kMeta, kNoModifier, kAnywhere, SavePlot, nullptr, 0, "Meta+S"},
    {"p", kMeta, kNoModifier, kAnywhere, PrintPlot, nullptr, 0, "Meta+P"},
    {"ArrowRight", kNoModifier, kShift, kOnSlider, SliderLine, nullptr, 1, "ArrowRight"},
    {"ArrowDown", kNoModifier, kShift, kOnSlider, SliderLine, nullptr, 1, "ArrowDown"},
    {"ArrowLeft", kNoModifier, kShift, kOnSlider, SliderLine, nullptr, -1, "ArrowLeft"},
    {"ArrowUp", kNoModifier, kShift, kOnSlider, SliderLine, nullptr, -1, "ArrowUp"},
    {"PageDown", kNoModifier, kShift, kOnSlider, SliderPage, nullptr, 1, "PageDown"},
    {"PageUp", kNoModifier, kShift, kOnSlider, SliderPage, nullptr, -1, "PageUp"},
    {"Home", kNoModifier, kShift, kOnSlider, SliderToStart, nullptr, 0, "Home"},
    {"End", kNoModifier, kShift, kOnSlider, SliderToEnd, nullptr, 0, "End"},
};
// clang-format on

bool Matches(const KeyRow& row, std::string_view key, uint8_t modifiers)
{
    return row.key == key && (modifiers & ~row.mayBeHeld) == row.modifiers;
}
} // namespace

std::span<const KeyRow> KeyTable()
{
    return kKeys;
}

const KeyRow* FindCommandKey(KeyCommand command)
{
    for (const KeyRow& row : kKeys) {
        if (row.command == command)
            return &row;
    }
    return nullptr;
}

const KeyRow* FindKey(std::string_view key, uint8_t modifiers, bool onSlider)
{
    const KeyRow* found = nullptr;
    for (const KeyRow& row : kKeys) {
        if (!Matches(row, key, modifiers))
            continue;
        if (row.focus == KeyFocus::Slider && !onSlider)
            continue;
        // The focused slider's own key before a key of the whole lesson.
        if (found == nullptr || row.focus == KeyFocus::Slider)
            found = &row;
    }
    return found;
}

std::string KeysOf(std::string_view controlId)
{
    std::string keys;
    for (const KeyRow& row : kKeys) {
        if (row.command != PressControl || row.control != controlId)
            continue;
        if (!keys.empty())
            keys += ' ';
        keys += row.name;
    }
    return keys;
}
