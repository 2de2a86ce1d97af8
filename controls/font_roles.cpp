#include "controls/font_roles.h"

#include <array>

namespace {
constexpr const char* kPGothic = "IPAPGothic";     // for "ＭＳ Ｐゴシック"
constexpr const char* kPMincho = "IPAPMincho";     // for "ＭＳ Ｐ明朝"
constexpr const char* kMincho = "IPAMincho";       // for "ＭＳ 明朝"
constexpr const char* kTimes = "Liberation Serif"; // for "Times New Roman"

// In the order of FontRole.
constexpr std::array<FontFace, 7> kFaces{{
    {kPGothic, "sans-serif", 12},
    {kPGothic, "sans-serif", 27},
    {kMincho, "serif", 19, true},
    {kPGothic, "sans-serif", 32},
    {kPMincho, "serif", 21},
    {kPMincho, "serif", 27},
    {kTimes, "serif", 32, false, true},
}};
} // namespace

const FontFace& FaceOf(FontRole role)
{
    return kFaces.at(static_cast<std::size_t>(role));
}
