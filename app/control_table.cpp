#include "app/control_table.h"

#include "app/sessen_form.h"

#include <algorithm>
#include <cstring>

namespace {
using enum Parent;
using enum Background;
using enum NameKind;
using enum Spoken;
using F = TSessen_Form;
using LC = LessonChange;

constexpr Qt::Alignment kCentred = Qt::AlignCenter;
constexpr Qt::Alignment kLeftMiddle = Qt::AlignLeft | Qt::AlignVCenter;
constexpr Qt::Alignment kTopLeft = Qt::AlignLeft | Qt::AlignTop;
constexpr Qt::Alignment kNone = {};
constexpr std::optional<LayoutFont> kNoFont;

// Each row: name, member, parent, place, caption, starting position, font,
// background, alignment, tab; handler, what is said after it, the lesson
// change it reports, how it is named; accessible name, description and the
// control it labels. Kept one row to a control, wider than the usual lines.
// clang-format off
const ControlRow kRows[] = {
    // The window's own controls.
    {"PaintBox1", &F::PaintBox1, Window, {8, 29, 660, 660}, "", 0, LayoutFont::F1, None, kNone, kNoTab,
     {}, Nothing, std::nullopt, Fixed,
     "グラフ", "方眼の上に曲線と変曲点、接線を描いた座標平面"},
    {"LblSetten", &F::LblSetten, Window, {687, 360, 65, 25}, "接点", 0, LayoutFont::F9, WindowBackground, kCentred, kNoTab,
     {}, Nothing, std::nullopt, Fixed,
     "接点", "右にある接点の位置のスライダーの見出し", "ScrollBar2"},
    {"ScrollBar1", &F::ScrollBar1, Window, {48, 696, 569, 17}, "", 51, kNoFont, None, kNone, 0,
     ScrollHandler{&F::ScrollBar1Scroll}, Lesson, LC::Zoom, Fixed,
     "拡大・縮小", "グラフの表示範囲を変えるスライダー。右へ動かすと拡大、左へ動かすと縮小します"},
    {"GroupBox1", &F::GroupBox1, Window, {689, 451, 175, 242}, "条件入力ボタン", 0, LayoutFont::F6, WindowBackground, kNone, 1,
     {}, Nothing, std::nullopt, Fixed,
     "条件入力ボタン", "係数を入力する数字のキーと決定のキー"},
    {"GroupBox2", &F::GroupBox2, Window, {689, 24, 318, 273}, "曲線の条件", 0, LayoutFont::F5, WindowBackground, kNone, 2,
     {}, Nothing, std::nullopt, Fixed,
     "曲線の条件", "係数を選ぶボタン、係数の値と曲線の方程式"},
    {"BtnSyuryo", &F::BtnSyuryo, Window, {887, 628, 105, 49}, "終　了", 0, LayoutFont::F4, None, kNone, 3,
     ClickHandler{&F::BtnSyuryoClick}, Nothing, std::nullopt, Fixed,
     "終了", "プログラムを終了します"},
    {"ScrollBar2", &F::ScrollBar2, Window, {751, 360, 249, 25}, "", 50, kNoFont, None, kNone, 4,
     ScrollHandler{&F::ScrollBar2Scroll}, Lesson, LC::TangentPoint, Fixed,
     "接点の位置", "接点を曲線に沿って動かすスライダー。動かすと接点での接線が引き直されます"},
    {"BBtnSessenSu", &F::BBtnSessenSu, Window, {695, 309, 129, 33}, "接 線 1 本", 0, LayoutFont::F8, None, kNone, 5,
     ClickHandler{&F::BBtnSessenSuClick}, Lesson, LC::SecondTangent, LiveText,
     "接線の本数", "変曲点について対称な点での接線も引くかどうかを切り替えます"},
    {"BBtnHojosen", &F::BBtnHojosen, Window, {855, 309, 129, 33}, "補助線なし", 0, LayoutFont::F8, None, kNone, 6,
     ClickHandler{&F::BBtnHojosenClick}, Lesson, LC::Chord, LiveText,
     "補助線", "二つの接点を結ぶ補助線を引くかどうかを切り替えます"},
    // The keypad in GroupBox1: ７８９ / ４５６ / １２３ / ０－決定, three
    // columns at a pitch of 48 pixels, one less than a key's size.
    {"Btn00", &F::Btn00, GroupBox1, {16, 176, 49, 49}, "０", 0, LayoutFont::F2, None, kNone, 0,
     ClickHandler{&F::Btn00Click}, Entry, std::nullopt, Fixed,
     "0", "選んでいる係数に数字 0 を入力します。キーボードの 0 でも押せます"},
    {"BtnKettei", &F::BtnKettei, GroupBox1, {112, 176, 49, 49}, "決定", 0, LayoutFont::F3, None, kNone, 1,
     ClickHandler{&F::BtnKetteiClick}, Lesson, LC::Confirmed, Fixed,
     "決定", "入力した係数を確定して、方程式とグラフを新しくし、次の係数に進みます"},
    {"Btn01", &F::Btn01, GroupBox1, {16, 128, 49, 49}, "１", 0, LayoutFont::F2, None, kNone, 2,
     ClickHandler{&F::Btn01Click}, Entry, std::nullopt, Fixed,
     "1", "選んでいる係数に数字 1 を入力します。キーボードの 1 でも押せます"},
    {"Btn03", &F::Btn03, GroupBox1, {112, 128, 49, 49}, "３", 0, LayoutFont::F2, None, kNone, 3,
     ClickHandler{&F::Btn03Click}, Entry, std::nullopt, Fixed,
     "3", "選んでいる係数に数字 3 を入力します。キーボードの 3 でも押せます"},
    {"Btn02", &F::Btn02, GroupBox1, {64, 128, 49, 49}, "２", 0, LayoutFont::F2, None, kNone, 4,
     ClickHandler{&F::Btn02Click}, Entry, std::nullopt, Fixed,
     "2", "選んでいる係数に数字 2 を入力します。キーボードの 2 でも押せます"},
    {"Btn04", &F::Btn04, GroupBox1, {16, 80, 49, 49}, "４", 0, LayoutFont::F2, None, kNone, 5,
     ClickHandler{&F::Btn04Click}, Entry, std::nullopt, Fixed,
     "4", "選んでいる係数に数字 4 を入力します。キーボードの 4 でも押せます"},
    {"BtnMinus", &F::BtnMinus, GroupBox1, {64, 176, 49, 49}, "－", 0, LayoutFont::F2, None, kNone, 6,
     ClickHandler{&F::BtnMinusClick}, Entry, std::nullopt, Fixed,
     "マイナス", "選んでいる係数の符号をマイナスにします。キーボードの - でも押せます"},
    {"Btn06", &F::Btn06, GroupBox1, {112, 80, 49, 49}, "６", 0, LayoutFont::F2, None, kNone, 7,
     ClickHandler{&F::Btn06Click}, Entry, std::nullopt, Fixed,
     "6", "選んでいる係数に数字 6 を入力します。キーボードの 6 でも押せます"},
    {"Btn05", &F::Btn05, GroupBox1, {64, 80, 49, 49}, "５", 0, LayoutFont::F2, None, kNone, 8,
     ClickHandler{&F::Btn05Click}, Entry, std::nullopt, Fixed,
     "5", "選んでいる係数に数字 5 を入力します。キーボードの 5 でも押せます"},
    {"Btn07", &F::Btn07, GroupBox1, {16, 32, 49, 49}, "７", 0, LayoutFont::F2, None, kNone, 9,
     ClickHandler{&F::Btn07Click}, Entry, std::nullopt, Fixed,
     "7", "選んでいる係数に数字 7 を入力します。キーボードの 7 でも押せます"},
    {"Btn09", &F::Btn09, GroupBox1, {112, 32, 49, 49}, "９", 0, LayoutFont::F2, None, kNone, 10,
     ClickHandler{&F::Btn09Click}, Entry, std::nullopt, Fixed,
     "9", "選んでいる係数に数字 9 を入力します。キーボードの 9 でも押せます"},
    {"Btn08", &F::Btn08, GroupBox1, {64, 32, 49, 49}, "８", 0, LayoutFont::F2, None, kNone, 11,
     ClickHandler{&F::Btn08Click}, Entry, std::nullopt, Fixed,
     "8", "選んでいる係数に数字 8 を入力します。キーボードの 8 でも押せます"},
    // The coefficient panel in GroupBox2; none of it takes the focus. Each
    // coefficient label labels the selector above it.
    {"SbnSiki", &F::SbnSiki, GroupBox2, {8, 176, 129, 33}, "曲線の方程式", 0, LayoutFont::F7, None, kNone, kNoTab,
     ClickHandler{&F::SbnSikiClick}, Entry, std::nullopt, Fixed,
     "曲線の方程式を選択", "係数ではなく曲線の方程式を選びます。数字のキーは何も入力しません"},
    {"LblSiki", &F::LblSiki, GroupBox2, {8, 207, 297, 34}, "", 0, LayoutFont::F5, TooltipBackground, kLeftMiddle, kNoTab,
     {}, Nothing, std::nullopt, LiveText,
     "曲線の方程式", "確定した係数でできる曲線の方程式"},
    {"SbnKeisuA", &F::SbnKeisuA, GroupBox2, {24, 88, 49, 33}, "a=", 0, LayoutFont::F10, None, kNone, kNoTab,
     ClickHandler{&F::SbnKeisuAClick}, Entry, std::nullopt, Fixed,
     "係数 a を選択", "キーで入力する係数を a にします"},
    {"SbnKeisuB", &F::SbnKeisuB, GroupBox2, {96, 88, 49, 33}, "b=", 0, LayoutFont::F10, None, kNone, kNoTab,
     ClickHandler{&F::SbnKeisuBClick}, Entry, std::nullopt, Fixed,
     "係数 b を選択", "キーで入力する係数を b にします"},
    {"LblKeisuA", &F::LblKeisuA, GroupBox2, {24, 120, 49, 33}, "", 0, LayoutFont::F5, TooltipBackground, kCentred, kNoTab,
     {}, Nothing, std::nullopt, LiveText,
     "係数 a", "係数 a の値。キーで入力し、決定で確定します", "SbnKeisuA"},
    {"LblKeisuB", &F::LblKeisuB, GroupBox2, {96, 120, 49, 33}, "", 0, LayoutFont::F5, TooltipBackground, kCentred, kNoTab,
     {}, Nothing, std::nullopt, LiveText,
     "係数 b", "係数 b の値。キーで入力し、決定で確定します", "SbnKeisuB"},
    {"LblKeisuC", &F::LblKeisuC, GroupBox2, {168, 120, 49, 33}, "", 0, LayoutFont::F5, TooltipBackground, kCentred, kNoTab,
     {}, Nothing, std::nullopt, LiveText,
     "係数 c", "係数 c の値。キーで入力し、決定で確定します", "SbnKeisuC"},
    {"LblKeisuD", &F::LblKeisuD, GroupBox2, {240, 120, 49, 33}, "", 0, LayoutFont::F5, TooltipBackground, kCentred, kNoTab,
     {}, Nothing, std::nullopt, LiveText,
     "係数 d", "係数 d の値。キーで入力し、決定で確定します", "SbnKeisuD"},
    {"SbnKeisuD", &F::SbnKeisuD, GroupBox2, {240, 88, 49, 33}, "d=", 0, LayoutFont::F10, None, kNone, kNoTab,
     ClickHandler{&F::SbnKeisuDClick}, Entry, std::nullopt, Fixed,
     "係数 d を選択", "キーで入力する係数を d にします"},
    {"SbnKeisuC", &F::SbnKeisuC, GroupBox2, {168, 88, 49, 33}, "c=", 0, LayoutFont::F10, None, kNone, kNoTab,
     ClickHandler{&F::SbnKeisuCClick}, Entry, std::nullopt, Fixed,
     "係数 c を選択", "キーで入力する係数を c にします"},
    {"Label2", &F::Label2, GroupBox2, {24, 32, 273, 41}, "y=ax^3+bx^2+cx+d", 0, LayoutFont::F11, WindowBackground, kTopLeft, kNoTab,
     {}, Nothing, std::nullopt, LiveText,
     "三次関数の式", "係数 a, b, c, d を入力する三次関数の形"},
};
// clang-format on

const ControlRow& GroupRow(Parent parent)
{
    return *FindControlRow(parent == GroupBox1 ? "GroupBox1" : "GroupBox2");
}
} // namespace

std::span<const ControlRow> ControlTable()
{
    return kRows;
}

const ControlRow* FindControlRow(const char* objectName)
{
    for (const ControlRow& row : kRows) {
        if (std::strcmp(row.objectName, objectName) == 0)
            return &row;
    }
    return nullptr;
}

std::vector<const ControlRow*> KeyboardOrder()
{
    // A window control sorts by its own tab; a group box's child by the group
    // box's tab and then its own.
    auto key = [](const ControlRow* row) {
        return row->parent == Window ? std::pair{row->tab, -1}
                                     : std::pair{GroupRow(row->parent).tab, row->tab};
    };
    std::vector<const ControlRow*> order;
    for (const ControlRow& row : kRows) {
        if (row.tab != kNoTab && !std::holds_alternative<QGroupBox * F::*>(row.member))
            order.push_back(&row);
    }
    std::ranges::sort(order, {}, key);
    return order;
}

QWidget* ControlOf(const TSessen_Form& form, const ControlRow& row)
{
    return std::visit([&form](auto member) -> QWidget* { return form.*member; }, row.member);
}
