#pragma once

#include "controls/control_table.h"
#include "controls/key_table.h"
#include "entry/keypad.h"
#include "entry/lesson_link.h"
#include "lesson/lesson_state.h"
#include "lesson/tangent_toggles.h"
#include "sound/lesson_sound.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Everything an edition shows and says after an event, in one value.
struct LessonView {
    std::array<std::string, kCoefficientCount> coefficientLabels; // a..d
    std::string equationText;
    // The latched selector, 1..4 = "a=".."d=", 5 = "曲線の方程式"; 0 before
    // the lesson has started.
    int32_t latchedSelector = 0;
    // Caption colours (0xBBGGRR) of the five selector buttons, a..d then the
    // equation button.
    std::array<uint32_t, 5> selectorColors{};
    ToggleLooks toggles;
    bool secondTangentOn = false;
    bool chordOn = false;
    int32_t zoomPosition = 51;       // where the zoom slider starts
    int32_t tangentPosition = 50;    // the tangent slider's centre: the inflection point
    std::string plotDescription;     // the plot put into words
    std::string announcement;        // what to say now; empty: nothing
    bool soundOn = false;            // Alt+T: the plot may be heard
    SoundCue sound = SoundCue::None; // what to do with the sound now (SoundOf plays it)
    bool sharing = false;            // the share view is over the lesson (S)
    bool slopeCurveOn = false;       // the slope curve y' = f'(x) is shown (D)
    bool touchPaperOn = false;       // the plot prints for touch reading (Ctrl+Shift+P)
};

// What an edition does after an event, beyond showing view(): nothing more;
// the plot changed and is drawn again first; the lesson ends; presentation
// mode goes on or off, or ends; the key's control is pressed as a click
// would press it (its press then comes back here). Ignored: the event is not
// the lesson's (a key it does not answer), and the edition passes it on.
enum class After : uint8_t {
    Ignored,
    Show,
    Draw,
    Quit,
    Presentation,
    EndPresentation,
    PressControl,
    Share, // the share view opened, or closed where it was open
    Copy,  // the plot onto the clipboard
    Save,  // the plot into a file: the edition asks where
    Print, // the plot on paper: the edition asks how
};

// How copying or saving the plot ended, for the session to say.
enum class PaperOutcome : uint8_t { Copied, CopyRefused, Saved, SaveFailed };

// Where a pointer is on the plot, a `width` by `height` area in layout
// pixels, (0, 0) at its top-left corner.
struct PlotPointer {
    int32_t width = 0;
    int32_t height = 0;
    double x = 0;
    double y = 0;
};

enum class PointerPhase : uint8_t { Down, Move, Up };

// Said when "決定" is refused, which changes nothing on screen.
inline constexpr const char* kConfirmationRefused = "決定できません。符号だけの係数があります";
// Said after a link's lesson opened, with its equation in words; and when a
// link held none, so that the first curve came instead.
inline constexpr const char* kLinkOpened = "リンクの曲線を開きました：{1}";
inline constexpr const char* kLinkHeldNoLesson =
    "リンクから開ける曲線がありませんでした。初めの曲線で始めます";

// One pupil's lesson together with everything its controls show and say: the
// four coefficient labels, the equation text, which selector button is
// latched and the selectors' caption colours, the two toggles' looks, the two
// sliders' positions, the plot's reading and the sentence that follows an
// event.
//
// Both editions hand every input to it in one way: a control's event with
// the control's row (Press, Scroll, Pointer: the desktop's widgets and the
// page's elements alike, the tangent point dragged on the plot included) and
// a key with its row of the key table (Key); each returns what the edition
// does next, and the edition applies view(). The intents are carried out by
// the lesson's handlers below, each composed of the entry rules (entry/) and
// the lesson's arithmetic (lesson/). Nothing here draws: an edition repaints
// from lesson() (plot/plot_layers.h).
class LessonSession {
public:
    static constexpr int32_t kSliderMax = 100;

    LessonSession();

    const LessonState& lesson() const { return lesson_; }

    // Where the two sliders stand.
    int32_t zoomPosition() const { return shown_.zoomPosition; }
    int32_t tangentPosition() const { return shown_.tangentPosition; }

    // What the controls show and what to say after the last event. While a
    // slider steps, the plot's reading stays as it was until it comes to rest.
    const LessonView& view() const { return shown_; }

    // A control's event: a button pressed, a slider moved to `position`
    // (held to 0..100; atRest once it has come to rest), a pointer on the
    // plot. An event the control does not have changes nothing.
    After Press(const ControlRow& row);
    After Scroll(const ControlRow& row, int32_t position, bool atRest);
    After Pointer(const ControlRow& row, PointerPhase phase, const PlotPointer& pointer = {});
    // A key of the key table; `playing`: the edition's sound still plays. A
    // slider's own keys are the slider's (it scrolls), so they are Ignored here.
    After Key(const KeyRow& key, bool playing);

    // Whether a press at the pointer would take the tangent point.
    bool grabsTangentPoint(const PlotPointer& pointer) const;

    // The lesson's handlers, which the intents above carry out.
    //
    // The lesson reset: y = x^3 confirmed at the zoom slider's scale, a
    // selected, one tangent and no chord.
    void Syokika();

    // The lesson of a link (entry/lesson_link.h) after the lesson reset, as
    // if the pupil had keyed it in: the zoom, each coefficient with the
    // keypad and "決定", the tangent point, the toggles. A link that holds
    // no lesson leaves the reset's lesson and says so.
    void Open(std::string_view link);
    // The lesson as a link: the confirmed coefficients, not what is being
    // typed.
    LessonLink link() const;

    // "決定". Returns false when it was refused because a coefficient label
    // holds a bare "-" (the pending signs are emptied all the same); true
    // when the lesson took it and the whole plot has to be drawn again.
    bool BtnKetteiClick();

    // A click on selector 1..5. The latched button is latched again, so that
    // exactly the selected target's button is down.
    void SelectorClick(int32_t target);

    // Keypad keys; a key that does not apply to the selected target changes
    // nothing.
    void DigitClick(int digit); // "１".."９"
    void Btn00Click();          // "０"
    void BtnMinusClick();       // "－"

    // The sliders' scroll events with the position they move to; it is held
    // to 0..100. A slider speaks once it comes to rest, not at every step.
    void ScrollBar1Scroll(int32_t position, bool atRest = false);
    void ScrollBar2Scroll(int32_t position, bool atRest = false);

    // The two toggles.
    void BBtnSessenSuClick();
    void BBtnHojosenClick();
    // D: the slope curve shown or hidden. It stays through a zoom and a new
    // equation; the lesson reset hides it.
    void SlopeCurveToggle();
    // Ctrl+Shift+P: the plot printed for touch reading, or as on screen.
    void TouchPaperToggle();
    // The same set without a word: from the command line or the print dialog.
    void SetTouchPaper(bool on) { shown_.touchPaperOn = on; }
    // Says how copying or saving ended: `detail` is the file's name, or why
    // it could not be written.
    void PaperDone(PaperOutcome outcome, std::string_view detail = {});

    // A pointer on the plot, a `width` by `height` area in layout pixels:
    // a press within reach of the tangent point grabs it (true) and moves
    // the tangent slider to the column under it; while it is held, each move
    // to another column is a step of the slider's thumb; the release (or the
    // pointer taken away) ends the slider's scroll, which says where the
    // point came to rest. Other presses and moves change nothing.
    bool PaintBox1MouseDown(int32_t width, int32_t height, double x, double y);
    void PaintBox1MouseMove(double x);
    void PaintBox1MouseUp();
    bool draggingTangent() const { return dragWidth_ > 0; }

    // The plot as sound (sound/). Alt+T switches the sound on and off. With
    // it on, H plays the curve and Shift+H the tangent, then the curve; the
    // same key while something plays stops it (`playing`: the edition's
    // sound still plays). With it on, each step of the tangent point plays
    // the tone of its slope.
    void SoundToggle();
    void HearKey(bool tangentFirst, bool playing);
    // Shift+D plays the slope curve the same way.
    void HearSlopeKey(bool playing);
    // The plot's actions for screen readers: the sound is switched on if it
    // is off, and the piece plays from its start.
    void HearAction(bool tangentFirst);
    // Escape: stops what plays.
    void StopSound();
    // The edition has no device to play on; said the first time only.
    void SoundUnavailable();

private:
    void applyLabelEdit(const std::optional<LabelEdit>& edit);
    // Plays `piece` with the sound on; stops what plays instead.
    void hear(SoundCue piece, bool playing);
    void showToggles(ToggleLooks looks);
    // Puts the plot into words again.
    void read();
    // An event that changes nothing: nothing to say or play after it.
    void sayNothing();
    // Says what the event of the control changed.
    void sayAfter(const ControlRow& row);
    std::string entrySentence() const;

    LessonState lesson_;
    // The labels as the entry rules read and write them, and as shown_
    // shows them; shown_ holds all that the controls show, and the sentence
    // to say.
    CoefficientArray<std::string> labels_;
    LessonView shown_;
    int32_t dragWidth_ = 0; // the plot's width while the tangent point is held

    bool unavailableSaid_ = false;
};
