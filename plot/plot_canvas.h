#pragma once

#include "plot/area_fills.h"
#include "app/qt_color.h"
#include "plot/mapping.h"

#include <QColor>
#include <QLine>
#include <QPainter>
#include <QRect>
#include <QVector>

#include <vector>

// How much of each line the canvas hands to the painter. Culled leaves out
// what cannot touch the area, cuts axis-parallel 1-pixel lines to it in
// integers and fills the 2-pixel curve as runs of pixels (plot/stroke_spans.h);
// all of that gives the same pixels as Whole, which hands every line and
// every curve segment to QPainter as it is and is kept to check Culled
// against.
enum class CanvasMode { Culled, Whole };

// The plot area's drawing surface as the plot layers use it: one pen of a
// colour and a width, a current position, move-to and line-to. A 1-pixel line
// covers its start pixel and leaves out its end pixel; wider pens have round
// caps and joins. Lines are clipped to the area however far away their end
// points lie.
class PlotCanvas {
public:
    PlotCanvas(QPainter& painter, int width, int height, CanvasMode mode = CanvasMode::Culled);
    ~PlotCanvas();

    PlotCanvas(const PlotCanvas&) = delete;
    PlotCanvas& operator=(const PlotCanvas&) = delete;

    int width() const { return width_; }
    int height() const { return height_; }

    void setPenColor(uint32_t bgr);
    void setPenWidth(int width);

    // Fills the whole area white and outlines it with the pen.
    void fillAreaOutlined();

    void moveTo(DotPoint p);
    void lineTo(DotPoint p);

    // A run of line-tos joined with the pen's round joins, starting with a
    // move to the first point.
    void polyline(const QVector<QPoint>& points);

    // A zero-length line: with a wide pen, a round dot centred on the pixel.
    void dot(DotPoint p);

private:
    void applyPen();

    // Lines along a pixel row or column, and the area's fill and outline,
    // wait in `fills_` as the rectangles of pixels they paint inside the area
    // and are painted together (plot/area_fills.h). Other 1-pixel lines of the
    // current colour wait in `thinLines_` and go to the painter in one call:
    // a later line of the same colour cannot change what an earlier one
    // painted.
    void flushThinLines();
    void flushPending();
    void fillRegion(const QRegion& region);

    // A 1-pixel line drawn at once, from its start pixel up to, not
    // including, its end pixel.
    void strokeThinLine(DotPoint from, DotPoint to);

    // Whether a stroke between two points, or a dot, can paint a pixel of the
    // area; only the Culled mode asks.
    bool canTouchArea(DotPoint a, DotPoint b) const;
    bool insideArea(DotPoint p) const;
    void polylineCulled(const QPoint* points, int count);
    void polylineRuns(const QPoint* points, int count, bool withFarMark);

    QPainter& painter_;
    CanvasMode mode_;
    int width_;
    int height_;
    QColor color_{Qt::black};
    int penWidth_ = 1;
    DotPoint current_;
    AreaFills fills_;
    std::vector<QLine> thinLines_;
};
