#pragma once

#include "plot/mapping.h"

#include <QColor>
#include <QPainter>
#include <QVector>

QColor QtColor(uint32_t bgr);

// The plot area's drawing surface as the plot layers use it: one pen of a
// colour and a width, a current position, move-to and line-to. A 1-pixel line
// covers its start pixel and leaves out its end pixel; wider pens have round
// caps and joins. Lines are clipped to the area however far away their end
// points lie.
class PlotCanvas {
public:
    PlotCanvas(QPainter& painter, int width, int height);

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

    QPainter& painter_;
    int width_;
    int height_;
    QColor color_{Qt::black};
    int penWidth_ = 1;
    DotPoint current_;
};
