#pragma once

#include "lesson/lesson_state.h"
#include "plot/plot_geometry.h"
#include "plot/plot_revision.h"

#include <QImage>
#include <QPointF>
#include <QSize>

#include <optional>

class QPainter;

// The plot as the paint box shows it. The base (area, grid, curve and dot)
// changes only with the core's base revision, the size and the device's
// scale; it is drawn once for each into an image of device pixels.
// Every paint copies that image and draws the tangent layer over it, so a
// step of the tangent slider or a toggle costs a copy and three lines.
//
// The image is drawn with the same scale, and the same fraction of a device
// pixel in its placement, as the painter it is copied to, and copied onto
// whole device pixels: the picture is then the one that drawing every layer
// straight onto the painter gives.
class CachedPlot {
public:
    void paint(QPainter& painter, const LessonState& lesson, QSize size);

    // Draws in the high-contrast palette's colours rather than the lesson's.
    void setHighContrast(bool on) { highContrast_ = on; }
    bool highContrast() const { return highContrast_; }

    // How many times the base has been drawn.
    int baseDrawings() const { return baseDrawings_; }

private:
    struct BaseKey {
        uint32_t revision = 0;
        QSize size;
        qreal scaleX = 1;
        qreal scaleY = 1;
        QPointF phase; // the placement's fraction of a device pixel
        bool highContrast = false;
        friend bool operator==(const BaseKey&, const BaseKey&) = default;
    };

    void drawBase(const LessonState& lesson, const BaseKey& key);
    // The geometry in the colours the plot is drawn in.
    PlotGeometry colored(PlotGeometry geometry) const;

    PlotRevision revision_;
    std::optional<BaseKey> key_;
    QImage base_;
    int baseDrawings_ = 0;
    bool highContrast_ = false;
};
