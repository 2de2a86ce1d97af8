#pragma once

// Every key the lesson answers, one row each: the key and the modifiers it
// is pressed with, where the keyboard focus may be, what it does and what it
// is called. Both editions turn their own key events into a key name and a
// set of modifiers (app/key_names.cpp, the page's key listener) and look the
// key up here; the session carries out what the row says
// (LessonSession::Key), and a focused slider moves as its row says. Neither
// edition names a lesson key itself.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

// The modifier keys held with a key, as a set of bits.
enum Modifier : uint8_t {
    kNoModifier = 0,
    kShift = 1,
    kControl = 2,
    kAlt = 4,
    kMeta = 8,
    kAnyModifier = kShift | kControl | kAlt | kMeta,
};

// Where the keyboard focus may be: anywhere in the lesson (no control takes
// these keys, so they reach the window or the page from every control), or
// on a slider, which moves.
enum class KeyFocus : uint8_t { Anywhere, Slider };

enum class KeyCommand : uint8_t {
    PressControl, // presses the control named in `control`: a keypad key
    SoundOnOff,   // the plot as sound on or off
    HearCurve,    // plays the curve, or stops what plays
    HearTangent,  // plays the tangent then the curve, or stops what plays
    StopSound,    // stops what plays; ends presentation mode
    Presentation, // presentation mode on or off
    Share,        // the share view open or closed
    SlopeCurve,   // the slope curve shown or hidden
    HearSlope,    // plays the slope curve, or stops what plays
    CopyPlot,     // the plot and its equations onto the clipboard
    SavePlot,     // the plot into a file the pupil chooses
    PrintPlot,    // the plot on paper
    TouchPaper,   // paper for touch reading on or off
    SliderLine,   // the focused slider one step by `step`, as its arrow buttons
    SliderPage,   // the focused slider one page by `step`, as its trough
    SliderToStart,
    SliderToEnd,
};

struct KeyRow {
    // The key as a browser's KeyboardEvent.key names it ("0", "-",
    // "Escape", "ArrowRight"), letters in lower case.
    const char* key;
    uint8_t modifiers; // held, all of them
    uint8_t mayBeHeld; // held or not, as a layout may need Shift for a digit
    KeyFocus focus;
    KeyCommand command;
    const char* control; // PressControl: the control's id
    int step;            // SliderLine, SliderPage: -1 or +1
    // How the README and a screen reader call the key, as aria-keyshortcuts
    // writes it ("Alt+T", "Shift+H", "ArrowRight").
    const char* name;
};

std::span<const KeyRow> KeyTable();

// The row of a key pressed with `modifiers` while the focus is on a slider
// (onSlider) or elsewhere, or nullptr when the lesson has nothing for it.
// The focused slider's own keys come first.
const KeyRow* FindKey(std::string_view key, uint8_t modifiers, bool onSlider);

// The row that does `command` (one that needs no control or step), or
// nullptr.
const KeyRow* FindCommandKey(KeyCommand command);

// The keys that press the control, as a screen reader is told them
// ("7", "-"), separated by spaces as aria-keyshortcuts lists them; empty when no key presses it.
std::string KeysOf(std::string_view controlId);
