#pragma once

#include <cstdint>

// Colours of the lesson, written 0xBBGGRR (blue in the high byte) as the
// teaching materials print them. Shared by the plot, the selector and the
// toggle buttons; QtColor() in app/qt_color.h turns one into a QColor.
namespace Bgr {
inline constexpr uint32_t Black = 0x000000;
inline constexpr uint32_t White = 0xFFFFFF;
inline constexpr uint32_t Red = 0x0000FF;
inline constexpr uint32_t Maroon = 0x000080;
inline constexpr uint32_t Blue = 0xFF0000;
inline constexpr uint32_t Purple = 0x800080;
inline constexpr uint32_t Green = 0x008000;
inline constexpr uint32_t Lime = 0x00FF00;
inline constexpr uint32_t Teal = 0x808000;
inline constexpr uint32_t Silver = 0xC0C0C0;
inline constexpr uint32_t MoneyGreen = 0xC0DCC0;
} // namespace Bgr
