#pragma once

#include "controls/control_table.h"
#include "plot/plot_svg.h"

// The lesson on paper and on the clipboard: what both editions name, say and
// ask for when the plot is copied (Ctrl+C), saved (Ctrl+S) or printed
// (Ctrl+P), and the touch reader's paper (Ctrl+Shift+P). The picture itself
// is the core's (plot/plot_svg.h).

// The plot's width on paper unless the teacher asks for another: room for
// it on A4 and on Letter with their margins.
inline constexpr double kPaperWidthCm = 15;
inline constexpr double kPaperMinWidthCm = 5;
inline constexpr double kPaperMaxWidthCm = 18;
// A copied or saved picture, in pixels: the window's plot at twice its size,
// sharp on a slide or a projector.
inline constexpr int kPictureScale = 2;

// The drawing of the lesson's plot as the window lays it out, on paper
// (widthCm > 0) or in pixels.
inline SvgOptions PaperSvgOptions(double widthCm, bool touchReader, bool highContrast)
{
    SvgOptions options;
    options.plotSize = FindControlRow("PaintBox1")->place.width;
    options.widthCm = widthCm;
    options.touchReader = touchReader && widthCm > 0;
    options.highContrast = highContrast;
    return options;
}

inline constexpr const char* kCopyPlotCaption = "図をコピー";
inline constexpr const char* kSavePlotCaption = "図を保存…";
inline constexpr const char* kPrintPlotCaption = "図を印刷…";
inline constexpr const char* kTouchPaperCaption = "触図用に印刷";
inline constexpr const char* kTouchPaperDescription =
    "太い線、1.5～2 cm 間隔の目盛りで、接線を破線、補助線を点線にして印刷します（Ctrl+Shift+P）";
inline constexpr const char* kPrintWidthLabel = "図の幅（cm）";
inline constexpr const char* kPrintOptionsTitle = "図";
inline constexpr const char* kSavePictureTitle = "図を保存";
inline constexpr const char* kSvgFileKind = "SVG 画像（拡大しても粗くならない）";
inline constexpr const char* kPngFileKind = "PNG 画像";

// Said after each, and where it could not be done.
inline constexpr const char* kPlotCopied = "図と式をコピーしました";
inline constexpr const char* kCopyRefused =
    "このブラウザーでは図をコピーできません。図の保存（Ctrl+S）を使ってください";
inline constexpr const char* kPlotSaved = "{1} に保存しました";
inline constexpr const char* kSaveFailed =
    "保存できませんでした（{1}）。授業はそのまま続けられます";
inline constexpr const char* kTouchPaperOn = "触図用の印刷 オン";
inline constexpr const char* kTouchPaperOff = "触図用の印刷 オフ";
