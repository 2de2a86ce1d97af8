#pragma once

#include <QColor>

#include <cstdint>

// The lesson writes its colours 0xBBGGRR, blue in the high byte
// (lesson/colors.h); Qt wants them the other way round.
inline QColor QtColor(uint32_t bgr)
{
    return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                  static_cast<int>((bgr >> 16) & 0xFF));
}
