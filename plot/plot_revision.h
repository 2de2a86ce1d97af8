#pragma once

#include "lesson/lesson_state.h"

#include <cstdint>
#include <optional>

// Numbers that say when a drawing of the plot is out of date: the base's
// (area, grid, curve and inflection point), which the coefficients and the
// view scale change, and the whole plot's, which the tangent point and the
// toggles change too. An edition keeps what it drew while the number it drew
// for stands; the size and the device it draws for are its own to watch.
class PlotRevision {
public:
    // Looks at the lesson as it stands now; a number moves on where what it
    // covers has changed since the last look.
    void follow(const LessonState& lesson);

    uint32_t base() const { return base_; }
    uint32_t plot() const { return plot_; }

private:
    // What the layers read of the lesson (plot/plot_layers.cpp).
    struct BaseInputs {
        CoefficientArray<int32_t> keisu;
        int32_t zahyoMax = 0;
        TZahyoR inflection;
        bool slopeCurve = false;
        friend bool operator==(const BaseInputs&, const BaseInputs&) = default;
    };
    struct TangentInputs {
        TZahyoR tangentPoint;
        bool second = false;
        bool chord = false;
        bool slopeCurve = false;
        friend bool operator==(const TangentInputs&, const TangentInputs&) = default;
    };

    std::optional<BaseInputs> baseSeen_;
    std::optional<TangentInputs> tangentSeen_;
    uint32_t base_ = 0;
    uint32_t plot_ = 0;
};
