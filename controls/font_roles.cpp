#include "controls/font_roles.h"

#include <array>

namespace {
// Each face's family, that of the page's copy and the generic family.
struct Typeface {
    const char* family;
    const char* pageFamily;
    const char* generic;
};
constexpr Typeface kPGothic{"IPAPGothic", "Tavrine PGothic", "sans-serif"}; // "ＭＳ Ｐゴシック"
constexpr Typeface kPMincho{"IPAPMincho", "Tavrine PMincho", "serif"};      // "ＭＳ Ｐ明朝"
constexpr Typeface kMincho{"IPAMincho", "Tavrine Mincho", "serif"};         // "ＭＳ 明朝"
constexpr Typeface kTimes{"Liberation Serif", "Tavrine Serif", "serif"};    // "Times New Roman"

constexpr FontFace Face(const Typeface& face, int pixelSize, bool bold = false, bool italic = false)
{
    return {face.family, face.pageFamily, face.generic, pixelSize, bold, italic};
}

// In the order of FontRole.
constexpr std::array<FontFace, kFontRoleCount> kFaces{{
    Face(kPGothic, 12),
    Face(kPGothic, 27),
    Face(kMincho, 19, true),
    Face(kPGothic, 32),
    Face(kPMincho, 21),
    Face(kPMincho, 27),
    Face(kTimes, 32, false, true),
}};
} // namespace

const FontFace& FaceOf(FontRole role)
{
    return kFaces.at(static_cast<std::size_t>(role));
}
