#pragma once

#include "plot/mapping.h"

#include <cstdint>
#include <vector>

// What one drawing of the plot puts on the area, in the order it is drawn:
// the area's fill and outline, 1-pixel lines, the curve's polyline and the
// inflection point's dot, each with its pen colour (0xBBGGRR) and width. The
// layers (plot/plot_layers.h) record it; DrawnOnArea() below turns it into
// what an edition fills and strokes, which each draws with its own painter:
// QPainter on the desktop, a canvas in the browser.
//
// A line covers its start pixel and leaves out its end pixel. Wide pens have
// round caps and joins; a dot is a zero-length stroke of a wide pen, a round
// spot centred on its pixel. End points may lie millions of pixels outside
// the area.
struct PlotItem {
    enum class Kind : uint8_t {
        Area,     // the whole area filled white, outlined in the colour
        Line,     // points[first] to points[first + 1]; a third point,
                  // where there is one, is a pixel it leaves out
        Polyline, // count points joined in order
        Dot,      // a spot of the pen's width on points[first]
        Fill,     // the pixels from points[first] up to, not including,
                  // points[first + 1] filled in the colour
    };
    Kind kind = Kind::Line;
    uint32_t color = 0;
    int32_t penWidth = 1;
    uint32_t first = 0;
    uint32_t count = 0;
    friend bool operator==(const PlotItem&, const PlotItem&) = default;
};

struct PlotGeometry {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<PlotItem> items;
    std::vector<DotPoint> points;

    const DotPoint* pointsOf(const PlotItem& item) const { return points.data() + item.first; }
    friend bool operator==(const PlotGeometry&, const PlotGeometry&) = default;
};

// What an edition draws for a recorded plot, in the same order: the area as
// its white fill and the four fills of its outline, on the area's own
// outermost pixels; every line, curve segment and dot whose pen can paint a
// pixel of the area, and nothing else (a curve is cut into the runs of
// segments that can, each a polyline of its own: the round join where a run
// leaves off is the round cap it now ends with); and a 1-pixel line along a
// row or column that runs across the whole area cut to one pixel beyond each
// edge, where it still covers the same pixels. An edition then only fills,
// draws lines, polylines and dots.
//
// 1-pixel lines come as lines for a painter that rasterizes them itself
// (QPainter, whose pixels at every scale of the screen are the desktop's),
// each with its end pixel to leave out where that lies inside the area and
// followed by a fill of its start pixel where that does; or as the runs of
// pixels they cover inside the area, each a fill: one pixel per step along
// the longer axis from the start up to, not including, the end, the other
// coordinate rounded, halves away from zero.
enum class ThinLineForm { AsLines, AsPixelRuns };
PlotGeometry DrawnOnArea(const PlotGeometry& plot, ThinLineForm thin = ThinLineForm::AsLines);

// The same drawing with the high-contrast palette's plot colours in place of
// the lesson's (lesson/contrast_palette.h), for an edition switched to it.
PlotGeometry InHighContrast(PlotGeometry geometry);

// Records drawing the way the layers draw: one pen of a colour and a width,
// a current position, move-to and line-to.
class PlotRecorder {
public:
    PlotRecorder(int32_t width, int32_t height);

    void setPenColor(uint32_t bgr) { color_ = bgr; }
    void setPenWidth(int32_t width) { penWidth_ = width; }

    void fillAreaOutlined();
    void moveTo(DotPoint p) { current_ = p; }
    void lineTo(DotPoint p);
    // Joined line-tos through every point, starting with a move to the first.
    void polyline(const std::vector<DotPoint>& points);
    // A zero-length line-to: with a wide pen, a round dot on the pixel.
    void dot(DotPoint p);

    const PlotGeometry& geometry() const { return geometry_; }
    PlotGeometry take() { return std::move(geometry_); }

private:
    void add(PlotItem::Kind kind, const DotPoint* points, uint32_t count);

    PlotGeometry geometry_;
    uint32_t color_ = 0;
    int32_t penWidth_ = 1;
    DotPoint current_;
};
