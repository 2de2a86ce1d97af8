#pragma once

#include "plot/span_region.h"

#include <QPainter>
#include <QPoint>
#include <QRect>
#include <QRectF>

// The pixels that QPainter paints for an aliased polyline of whole-pixel
// points drawn with a 2-pixel pen with round caps and joins, worked out
// without stroking it. QPainter spends most of a repaint turning the round
// joins of the curve into outlines; the pixels they add are known in
// advance, so the curve can be filled as runs of pixels instead, the same
// pixels to the last one.
//
// How QPainter's raster engine fills such a stroke (Qt 6, no antialiasing):
// - Each segment is moved sideways by one pixel to either side (the unit
//   normal, worked out in doubles), giving the two long edges of its outline;
//   round joins and caps connect them around every point. The end points of
//   all edges are rounded to 1/64 pixel.
// - Each pixel row is sampled at its centre. An edge from a to b (a above)
//   crosses the rows whose centre lies below a and not below b; the crossing
//   is a 16.16 fixed-point x, stepped from the upper end with a slope
//   truncated to 16.16. A pixel is painted where the edges crossed to its
//   left, counted with their direction, do not sum to zero.
// Since that count adds up edge by edge, it may be split into closed pieces:
// for every segment the quadrilateral of its two long edges closed across
// both ends, and around every point what the join or cap adds. Such a piece
// lies within a pixel of its point, so it can only decide the four pixels
// whose centres are half a pixel from the point diagonally, and the engine
// always paints those four: what the two quadrilaterals leave open there is
// the wedge on the outer side of the turn, and the join fills it. So the
// stroke is exactly the quadrilaterals, filled with the engine's own
// arithmetic, and a 2 x 2 block of pixels at every point. test_fast_paint
// holds this against QPainter's own stroke over many lessons; a Qt whose
// engine works otherwise fails there.
//
// The raster engine works in the pixels of its device, on which the area may
// lie shifted. A stroke that it cuts to the device before filling (see
// StrokeDeviceFor) loses what lies beyond the sides of `cutRect` (device pixels)
// that the flags name: the engine cuts its outline at each of those sides in
// turn, left, right, top, bottom, and every edge it cuts crosses the pixel
// rows a rounding away from where the whole edge would.
struct StrokeDevice {
    QPoint offset; // where the area's (0, 0) lies on the device
    QRectF cutRect;
    bool cutLeft = false;
    bool cutRight = false;
    bool cutAbove = false;
    bool cutBelow = false;
};

// The engine keeps outline coordinates in 24.8 fixed point. An outline whose
// points reach beyond that range, or span more than it, is cut as a whole to
// the device before it is filled. The far-off parts of the curve reach that
// range at the steepest lessons and widest zooms.
inline constexpr double kRasterCoordinateLimit = (1 << 23) - 1;

enum class StrokeCut {
    None,   // the stroke is filled as it is
    Cut,    // cut as `device` says
    Unknown // cannot be told without stroking, or the painter does more than
            // shift by whole pixels: leave it to QPainter
};

// How the engine will fill the stroke of the whole polyline on the painter's
// device, with a pen `penWidth` wide.
StrokeCut StrokeDeviceFor(QPainter& painter, const QPoint* points, int count, int penWidth,
                          StrokeDevice& device);

// Adds to `runs` (an area's, see plot/span_region.h) the pixels the polyline
// paints inside `area`. Returns false when the polyline lies outside what
// this models, and `runs` is then of no use: points that do not advance to
// the right at every step, or an end point whose rounding to 1/64 pixel comes
// too close to a tie to be sure of.
bool TwoPixelPolylineSpans(const QPoint* points, int count, const QRect& area,
                           const StrokeDevice& device, RowRuns& runs);
