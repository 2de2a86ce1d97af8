#pragma once

// Paints a lesson into an image the size of the plot area, the way the
// window's plot area paints it, and reads back its pixels.

#include "app/plot_painter.h"
#include "lesson/lesson_state.h"

#include <QImage>
#include <QPainter>

inline constexpr int kPlotSize = 660;

// The colours as a pupil sees them on the screen.
namespace Shade {
inline constexpr QRgb Silver = qRgb(192, 192, 192);
inline constexpr QRgb Black = qRgb(0, 0, 0);
inline constexpr QRgb White = qRgb(255, 255, 255);
inline constexpr QRgb Red = qRgb(255, 0, 0);
inline constexpr QRgb Lime = qRgb(0, 255, 0);
inline constexpr QRgb Blue = qRgb(0, 0, 255);
inline constexpr QRgb Purple = qRgb(128, 0, 128);
inline constexpr QRgb Green = qRgb(0, 128, 0);
inline constexpr QRgb Teal = qRgb(0, 128, 128);
// Painted by no layer: it shows where the plot left a pixel untouched.
inline constexpr QRgb Unpainted = qRgb(18, 52, 86);
} // namespace Shade

inline QImage RenderPlot(const LessonState& lesson, int size = kPlotSize)
{
    QImage image(size, size, QImage::Format_RGB32);
    image.fill(Shade::Unpainted);
    QPainter painter(&image);
    PaintPlot(painter, lesson, size, size);
    painter.end();
    return image;
}

inline int CountPixels(const QImage& image, QRgb colour)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            count += image.pixel(x, y) == colour ? 1 : 0;
    }
    return count;
}

inline QByteArray ShadeName(QRgb colour)
{
    switch (colour) {
    case Shade::Silver:
        return "silver";
    case Shade::Black:
        return "black";
    case Shade::White:
        return "white";
    case Shade::Red:
        return "red";
    case Shade::Lime:
        return "lime";
    case Shade::Blue:
        return "blue";
    case Shade::Purple:
        return "purple";
    case Shade::Green:
        return "green";
    case Shade::Teal:
        return "teal";
    case Shade::Unpainted:
        return "unpainted";
    default:
        return "#" + QByteArray::number(colour & 0xFFFFFF, 16);
    }
}
