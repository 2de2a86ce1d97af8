#pragma once

// The lesson window's 32 controls, one row each: where a control stands, what
// it shows and in which font and colours, its place in the keyboard order,
// what is said after its event and how a screen reader names and describes
// it. Both editions are built from these rows: the desktop window (app/)
// creates its widgets from them, and the page's markup and styles are written
// from them when the page is built (web/). A change to a control is a change
// to its row.

#include "controls/font_roles.h"
#include "lesson/colors.h"
#include "lesson/tangent_toggles.h"
#include "plot/plot_description.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// What a control is: the paint box the plot is drawn in; a text, fixed or
// shown by the lesson; a horizontal scroll bar, 0..100; a captioned panel
// around other controls; a key or "終　了"; one of the two buttons that switch
// the tangent aids; a latching button that chooses the entry target.
enum class ControlKind { Plot, Label, Slider, GroupBox, PushButton, Toggle, Selector };

// Where a control is placed, its place relative to it: the window's client
// area, the keypad ("条件入力ボタン") or the coefficient panel ("曲線の条件").
enum class Parent { Window, GroupBox1, GroupBox2 };

// The id of the control a place is relative to: none for the window's own
// controls, else its group box.
inline const char* ParentId(Parent parent)
{
    constexpr const char* kIds[] = {"", "GroupBox1", "GroupBox2"};
    return kIds[static_cast<int>(parent)];
}

// None: the control draws its own; the window's money green; the desktop's
// tooltip colour.
enum class Background { None, WindowBackground, TooltipBackground };

// Where a label's text sits.
enum class Alignment { Natural, Centre, LeftMiddle, TopLeft };

// How a screen reader names a control: by the name as written, or by the
// name as a lead followed by the text the control shows.
enum class NameKind { Fixed, LiveText };

// What is said after the control's event, beyond what the control itself
// shows: nothing; for a key or selector, the coefficient being typed; for a
// toggle, a slider at rest or "決定", what changed in the plot.
enum class Spoken { Nothing, Entry, Lesson };

// What a control's event asks of the lesson, which the session carries out
// (entry/lesson_session.h): nothing, the control only shows; end the lesson;
// the zoom or the tangent slider moved; a toggle; a keypad key (the
// argument: which digit); "決定"; a selector (the argument: which entry
// target, 1..4 = a..d, 5 = the equation); the tangent point taken on the
// plot.
enum class Does : uint8_t {
    Shows,
    Quit,
    Zoom,
    MoveTangent,
    SecondTangent,
    Chord,
    Digit,
    Minus,
    Confirm,
    Select,
    DragTangent
};

struct Intent {
    Does does = Does::Shows;
    int32_t argument = 0;
};

// A control's rectangle in pixels.
struct Place {
    int x, y, width, height;
};

// The lesson window's client area, and the page's stage on a screen held
// level: every place of the table lies within it.
inline constexpr int kWindowWidth = 1024;
inline constexpr int kWindowHeight = 768;

// The page's stage when the screen stands upright: the plot on top, the
// panels below it, so that a tablet held in portrait shows every control at
// least at the window's size. A group box's children keep their places in it.
inline constexpr int kPortraitWidth = 768;
inline constexpr int kPortraitHeight = 984;
inline constexpr std::optional<Place> kInPanel;

inline constexpr int kNoTab = -1;
inline constexpr std::optional<FontRole> kNoFont;
// A caption in the desktop's window-text colour (black on a standard desktop).
inline constexpr std::optional<uint32_t> kWindowText;

struct ControlRow {
    const char* id; // the control's name in both editions
    ControlKind kind;
    Parent parent;
    Place place;
    std::optional<Place> portrait; // on the upright stage; kInPanel for a panel's child
    const char* caption;           // UTF-8; the lesson fills in the labels left empty
    std::optional<FontRole> font;
    Background background;
    std::optional<uint32_t> captionColor; // 0xBBGGRR
    Alignment alignment;
    int tab; // keyboard order within the parent; kNoTab: never focused
    Spoken spoken;
    std::optional<LessonChange> change; // what the lesson announcement reports
    NameKind nameKind;
    const char* accessibleName;
    const char* description;
    Intent intent = {};             // what its event asks of the lesson
    const char* labelFor = nullptr; // id of the control this one labels
};

// A live control's name with what it shows now: {1} its name, {2} the value.
inline constexpr const char* kNameAndValue = "{1}：{2}";

// The lesson window as a whole, as a screen reader names it.
inline constexpr const char* kLessonName = "Tavrine 三次関数と接線";
inline constexpr const char* kLessonDescription =
    "三次関数の係数を入力して、グラフと変曲点、接線を調べるウィンドウ";
// The program's name in menus, on a tablet's home screen and in the
// software centre.
inline constexpr const char* kProgramName = "三次関数と接線 Tavrine";
// What the page shows once "終　了" has ended the lesson, where the browser
// keeps its tab open.
inline constexpr const char* kLessonOver = "授業を終了しました。";

namespace control_rows {
using enum ControlKind;
using enum Parent;
using enum Background;
using enum Alignment;
using enum NameKind;
using enum Spoken;
using LC = LessonChange;
using enum Does;

// The rows in stacking order within each parent: where two controls touch,
// the later one is drawn over the earlier one. Every parent's row comes
// before its children's rows. Each row: id, kind, parent, place, upright
// place, caption, font, background, caption colour, alignment, tab; what is
// said after it, the lesson change it reports, how it is named; accessible
// name, description, what its event asks of the lesson and the control it
// labels. One row to a control, wider than the usual lines.
// clang-format off
inline constexpr ControlRow kRows[] = {
    // The window's own controls.
    {"PaintBox1", Plot, Window, {8, 29, 660, 660}, Place{54, 8, 660, 660}, "", FontRole::Window, None, kWindowText, Natural, kNoTab, Nothing, std::nullopt, Fixed,
     "グラフ", "方眼の上に曲線と変曲点、接線を描いた座標平面", {DragTangent}},
    {"LblSetten", Label, Window, {687, 360, 65, 25}, Place{603, 790, 65, 25}, "接点", FontRole::TangentLabel, WindowBackground, kWindowText, Centre, kNoTab, Nothing, std::nullopt, Fixed,
     "接点", "右にある接点の位置のスライダーの見出し", {}, "ScrollBar2"},
    {"ScrollBar1", Slider, Window, {48, 696, 569, 17}, Place{94, 675, 569, 17}, "", kNoFont, None, kWindowText, Natural, 0, Lesson, LC::Zoom, Fixed,
     "拡大・縮小", "グラフの表示範囲を変えるスライダー。右へ動かすと拡大、左へ動かすと縮小します", {Zoom}},
    {"GroupBox1", GroupBox, Window, {689, 451, 175, 242}, Place{330, 700, 175, 242}, "条件入力ボタン", FontRole::PanelText, WindowBackground, Bgr::Maroon, Natural, 1, Nothing, std::nullopt, Fixed,
     "条件入力ボタン", "係数を入力する数字のキーと決定のキー"},
    {"GroupBox2", GroupBox, Window, {689, 24, 318, 273}, Place{6, 700, 318, 273}, "曲線の条件", FontRole::PanelText, WindowBackground, Bgr::Red, Natural, 2, Nothing, std::nullopt, Fixed,
     "曲線の条件", "係数を選ぶボタン、係数の値と曲線の方程式"},
    {"BtnSyuryo", PushButton, Window, {887, 628, 105, 49}, Place{584, 893, 105, 49}, "終　了", FontRole::QuitButton, None, Bgr::Black, Natural, 3, Nothing, std::nullopt, Fixed,
     "終　了", "プログラムを終了します", {Quit}},
    {"ScrollBar2", Slider, Window, {751, 360, 249, 25}, Place{511, 816, 249, 25}, "", kNoFont, None, kWindowText, Natural, 4, Lesson, LC::TangentPoint, Fixed,
     "接点の位置", "接点を曲線に沿って動かすスライダー。動かすと接点での接線が引き直されます", {MoveTangent}},
    {"BBtnSessenSu", Toggle, Window, {695, 309, 129, 33}, Place{572, 706, 129, 33}, kOneTangentAtReset, FontRole::PanelText, None, kWindowText, Natural, 5, Lesson, LC::SecondTangent, LiveText,
     "接線の本数", "変曲点について対称な点での接線も引くかどうかを切り替えます", {SecondTangent}},
    {"BBtnHojosen", Toggle, Window, {855, 309, 129, 33}, Place{572, 747, 129, 33}, kChordOff, FontRole::PanelText, None, kWindowText, Natural, 6, Lesson, LC::Chord, LiveText,
     "補助線", "二つの接点を結ぶ補助線を引くかどうかを切り替えます", {Chord}},
    // The keypad in GroupBox1: ７８９ / ４５６ / １２３ / ０－決定, three
    // columns at a pitch of 48 pixels, one less than a key's size.
    {"Btn00", PushButton, GroupBox1, {16, 176, 49, 49}, kInPanel, "０", FontRole::Keys, None, kWindowText, Natural, 0, Entry, std::nullopt, Fixed,
     "０", "選んでいる係数に数字 0 を入力します。キーボードの 0 でも押せます", {Digit, 0}},
    {"BtnKettei", PushButton, GroupBox1, {112, 176, 49, 49}, kInPanel, "決定", FontRole::ConfirmKey, None, kWindowText, Natural, 1, Lesson, LC::Confirmed, Fixed,
     "決定", "入力した係数を確定して、方程式とグラフを新しくし、次の係数に進みます", {Confirm}},
    {"Btn01", PushButton, GroupBox1, {16, 128, 49, 49}, kInPanel, "１", FontRole::Keys, None, kWindowText, Natural, 2, Entry, std::nullopt, Fixed,
     "１", "選んでいる係数に数字 1 を入力します。キーボードの 1 でも押せます", {Digit, 1}},
    {"Btn03", PushButton, GroupBox1, {112, 128, 49, 49}, kInPanel, "３", FontRole::Keys, None, kWindowText, Natural, 3, Entry, std::nullopt, Fixed,
     "３", "選んでいる係数に数字 3 を入力します。キーボードの 3 でも押せます", {Digit, 3}},
    {"Btn02", PushButton, GroupBox1, {64, 128, 49, 49}, kInPanel, "２", FontRole::Keys, None, kWindowText, Natural, 4, Entry, std::nullopt, Fixed,
     "２", "選んでいる係数に数字 2 を入力します。キーボードの 2 でも押せます", {Digit, 2}},
    {"Btn04", PushButton, GroupBox1, {16, 80, 49, 49}, kInPanel, "４", FontRole::Keys, None, kWindowText, Natural, 5, Entry, std::nullopt, Fixed,
     "４", "選んでいる係数に数字 4 を入力します。キーボードの 4 でも押せます", {Digit, 4}},
    {"BtnMinus", PushButton, GroupBox1, {64, 176, 49, 49}, kInPanel, "－", FontRole::Keys, None, kWindowText, Natural, 6, Entry, std::nullopt, Fixed,
     "－ マイナス", "選んでいる係数の符号をマイナスにします。キーボードの - でも押せます", {Minus}},
    {"Btn06", PushButton, GroupBox1, {112, 80, 49, 49}, kInPanel, "６", FontRole::Keys, None, kWindowText, Natural, 7, Entry, std::nullopt, Fixed,
     "６", "選んでいる係数に数字 6 を入力します。キーボードの 6 でも押せます", {Digit, 6}},
    {"Btn05", PushButton, GroupBox1, {64, 80, 49, 49}, kInPanel, "５", FontRole::Keys, None, kWindowText, Natural, 8, Entry, std::nullopt, Fixed,
     "５", "選んでいる係数に数字 5 を入力します。キーボードの 5 でも押せます", {Digit, 5}},
    {"Btn07", PushButton, GroupBox1, {16, 32, 49, 49}, kInPanel, "７", FontRole::Keys, None, kWindowText, Natural, 9, Entry, std::nullopt, Fixed,
     "７", "選んでいる係数に数字 7 を入力します。キーボードの 7 でも押せます", {Digit, 7}},
    {"Btn09", PushButton, GroupBox1, {112, 32, 49, 49}, kInPanel, "９", FontRole::Keys, None, kWindowText, Natural, 10, Entry, std::nullopt, Fixed,
     "９", "選んでいる係数に数字 9 を入力します。キーボードの 9 でも押せます", {Digit, 9}},
    {"Btn08", PushButton, GroupBox1, {64, 32, 49, 49}, kInPanel, "８", FontRole::Keys, None, kWindowText, Natural, 11, Entry, std::nullopt, Fixed,
     "８", "選んでいる係数に数字 8 を入力します。キーボードの 8 でも押せます", {Digit, 8}},
    // The coefficient panel in GroupBox2; none of it takes the focus. Each
    // coefficient label labels the selector above it.
    {"SbnSiki", Selector, GroupBox2, {8, 176, 129, 33}, kInPanel, "曲線の方程式", FontRole::PanelText, None, Bgr::Black, Natural, kNoTab, Entry, std::nullopt, Fixed,
     "曲線の方程式を選択", "係数ではなく曲線の方程式を選びます。数字のキーは何も入力しません", {Select, kEquationTarget}},
    {"LblSiki", Label, GroupBox2, {8, 207, 297, 34}, kInPanel, "", FontRole::PanelText, TooltipBackground, Bgr::Red, LeftMiddle, kNoTab, Nothing, std::nullopt, LiveText,
     "曲線の方程式", "確定した係数でできる曲線の方程式"},
    {"SbnKeisuA", Selector, GroupBox2, {24, 88, 49, 33}, kInPanel, "a=", FontRole::Coefficients, None, Bgr::Maroon, Natural, kNoTab, Entry, std::nullopt, Fixed,
     "a= 係数 a を選択", "キーで入力する係数を a にします", {Select, 1}},
    {"SbnKeisuB", Selector, GroupBox2, {96, 88, 49, 33}, kInPanel, "b=", FontRole::Coefficients, None, Bgr::Maroon, Natural, kNoTab, Entry, std::nullopt, Fixed,
     "b= 係数 b を選択", "キーで入力する係数を b にします", {Select, 2}},
    {"LblKeisuA", Label, GroupBox2, {24, 120, 49, 33}, kInPanel, "", FontRole::PanelText, TooltipBackground, Bgr::Red, Centre, kNoTab, Nothing, std::nullopt, LiveText,
     "係数 a", "係数 a の値。キーで入力し、決定で確定します", {}, "SbnKeisuA"},
    {"LblKeisuB", Label, GroupBox2, {96, 120, 49, 33}, kInPanel, "", FontRole::PanelText, TooltipBackground, Bgr::Red, Centre, kNoTab, Nothing, std::nullopt, LiveText,
     "係数 b", "係数 b の値。キーで入力し、決定で確定します", {}, "SbnKeisuB"},
    {"LblKeisuC", Label, GroupBox2, {168, 120, 49, 33}, kInPanel, "", FontRole::PanelText, TooltipBackground, Bgr::Red, Centre, kNoTab, Nothing, std::nullopt, LiveText,
     "係数 c", "係数 c の値。キーで入力し、決定で確定します", {}, "SbnKeisuC"},
    {"LblKeisuD", Label, GroupBox2, {240, 120, 49, 33}, kInPanel, "", FontRole::PanelText, TooltipBackground, Bgr::Red, Centre, kNoTab, Nothing, std::nullopt, LiveText,
     "係数 d", "係数 d の値。キーで入力し、決定で確定します", {}, "SbnKeisuD"},
    {"SbnKeisuD", Selector, GroupBox2, {240, 88, 49, 33}, kInPanel, "d=", FontRole::Coefficients, None, Bgr::Maroon, Natural, kNoTab, Entry, std::nullopt, Fixed,
     "d= 係数 d を選択", "キーで入力する係数を d にします", {Select, 4}},
    {"SbnKeisuC", Selector, GroupBox2, {168, 88, 49, 33}, kInPanel, "c=", FontRole::Coefficients, None, Bgr::Maroon, Natural, kNoTab, Entry, std::nullopt, Fixed,
     "c= 係数 c を選択", "キーで入力する係数を c にします", {Select, 3}},
    {"Label2", Label, GroupBox2, {24, 32, 273, 41}, kInPanel, "y=ax^3+bx^2+cx+d", FontRole::Coefficients, WindowBackground, Bgr::Red, TopLeft, kNoTab, Nothing, std::nullopt, LiveText,
     "三次関数の式", "係数 a, b, c, d を入力する三次関数の形"},
};
// clang-format on
} // namespace control_rows

inline constexpr std::span<const ControlRow> ControlTable()
{
    return control_rows::kRows;
}

// The row of the control with this id, or nullptr.
const ControlRow* FindControlRow(std::string_view id);

// The row of the control whose event asks this of the lesson, or nullptr.
const ControlRow* FindControlRow(Does does, int32_t argument = 0);

// The row's place in the table.
std::size_t RowIndex(const ControlRow& row);

// The label of the control, if the table gives it one.
const ControlRow* LabelOf(const ControlRow& row);

// The controls that take the keyboard focus, in the window's Tab order: each
// group box's tab places its children in the order.
std::vector<const ControlRow*> KeyboardOrder();

// What the row shows, its accessible name and its description, in the
// pupil's language.
std::string_view RowCaption(const ControlRow& row);
std::string_view RowName(const ControlRow& row);
std::string_view RowDescription(const ControlRow& row);

// The control's description while the curve's equation is `equation`: the
// equation button's goes on with the equation it chooses, in words, for its
// name keeps its caption as shown.
std::string ControlDescription(const ControlRow& row, std::string_view equation);

// The control's accessible name while it shows `shown`: a live name reads
// "係数 b：マイナス 3" (a label's value in words), or its lead alone while
// nothing is shown.
std::string ControlName(const ControlRow& row, std::string_view shown);
