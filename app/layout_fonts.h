#pragma once

#include <QFont>

#include <cstdint>

// The eleven fonts of the window. The lesson's layout names Windows faces
// ("ＭＳ Ｐゴシック", "ＭＳ Ｐ明朝", "ＭＳ 明朝", "Times New Roman"); they
// are drawn here with their metric-compatible free counterparts (IPA fonts
// and Liberation Serif), named directly so that no look-up fails first.
enum class LayoutFont { F1, F2, F3, F4, F5, F6, F7, F8, F9, F10, F11 };

// The font at its character height in pixels, times `scale` when the whole
// layout is drawn larger.
QFont MakeFont(LayoutFont key, qreal scale = 1);

// Its text colour as 0xBBGGRR; the desktop's window-text colour where the
// layout says so (returned as -1).
int64_t FontColor(LayoutFont key);
