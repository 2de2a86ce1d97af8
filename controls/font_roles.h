#pragma once

// The faces the lesson's controls are written in, each named for what it
// writes. The lesson was laid out in Windows faces ("ＭＳ Ｐゴシック",
// "ＭＳ Ｐ明朝", "ＭＳ 明朝", "Times New Roman"); both editions draw them
// with their metric-compatible free counterparts, the IPA fonts and
// Liberation Serif, named directly so that no look-up fails first. The page
// serves each cut down to its characters and renamed, as their licences ask
// of a modified font, under its own page family.
enum class FontRole {
    Window,       // the window's default text
    Keys,         // the digit keys and "－"
    ConfirmKey,   // "決定"
    QuitButton,   // "終　了"
    PanelText,    // the panels' captions, the coefficients, the equation, the toggles
    TangentLabel, // "接点"
    Coefficients, // "a=" .. "d=" and the cubic's general form
};

inline constexpr int kFontRoleCount = 7;

struct FontFace {
    const char* family;
    const char* pageFamily; // the page's cut-down copy of the face
    const char* generic; // the CSS generic family to fall back on
    int pixelSize;       // character height
    bool bold = false;
    bool italic = false;
};

const FontFace& FaceOf(FontRole role);
