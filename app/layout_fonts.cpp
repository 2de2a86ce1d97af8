#include "app/layout_fonts.h"

#include "lesson/colors.h"

#include <array>

namespace {
constexpr const char* kPGothic = "IPAPGothic";     // for "ＭＳ Ｐゴシック"
constexpr const char* kPMincho = "IPAPMincho";     // for "ＭＳ Ｐ明朝"
constexpr const char* kMincho = "IPAMincho";       // for "ＭＳ 明朝"
constexpr const char* kTimes = "Liberation Serif"; // for "Times New Roman"
constexpr int64_t kWindowText = -1;

struct FontRow {
    const char* family;
    int pixelHeight;
    bool bold;
    bool italic;
    int64_t color;
};

constexpr std::array<FontRow, 11> kFonts{{
    {kPGothic, 12, false, false, kWindowText}, // F1 window default
    {kPGothic, 27, false, false, kWindowText}, // F2 digit keys, "－"
    {kMincho, 19, true, false, kWindowText},   // F3 "決定"
    {kPGothic, 32, false, false, Bgr::Black},  // F4 "終　了"
    {kPMincho, 21, false, false, Bgr::Red},    // F5 coefficient panel, labels
    {kPMincho, 21, false, false, Bgr::Maroon}, // F6 keypad group caption
    {kPMincho, 21, false, false, Bgr::Black},  // F7 "曲線の方程式"
    {kPMincho, 21, false, false, kWindowText}, // F8 toggle buttons
    {kPMincho, 27, false, false, kWindowText}, // F9 "接点"
    {kTimes, 32, false, true, Bgr::Maroon},    // F10 "a=" .. "d="
    {kTimes, 32, false, true, Bgr::Red},       // F11 equation template
}};

const FontRow& Row(LayoutFont key)
{
    return kFonts.at(static_cast<std::size_t>(key));
}
} // namespace

QFont MakeFont(LayoutFont key, qreal scale)
{
    const FontRow& row = Row(key);
    QFont font(QString::fromLatin1(row.family));
    font.setPixelSize(qMax(1, qRound(row.pixelHeight * scale)));
    font.setBold(row.bold);
    font.setItalic(row.italic);
    font.setStyleStrategy(QFont::PreferMatch);
    return font;
}

int64_t FontColor(LayoutFont key)
{
    return Row(key).color;
}
