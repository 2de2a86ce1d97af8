#include "lesson/contrast_palette.h"

uint32_t HighContrastColor(uint32_t color, ColorUse use)
{
    for (const ContrastColor& row : kContrastPalette) {
        if (row.lesson == color)
            return use == ColorUse::Caption ? row.caption : row.plot;
    }
    return color;
}
