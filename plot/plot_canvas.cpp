#include "plot/plot_canvas.h"

QColor QtColor(uint32_t bgr)
{
    return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                  static_cast<int>((bgr >> 16) & 0xFF));
}

PlotCanvas::PlotCanvas(QPainter& painter, int width, int height)
    : painter_(painter), width_(width), height_(height)
{
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setBrush(Qt::NoBrush);
    painter_.setClipRect(0, 0, width_, height_);
    applyPen();
}

void PlotCanvas::setPenColor(uint32_t bgr)
{
    color_ = QtColor(bgr);
    applyPen();
}

void PlotCanvas::setPenWidth(int width)
{
    penWidth_ = width;
    applyPen();
}

void PlotCanvas::applyPen()
{
    // A flat cap on the 1-pixel pen is what leaves out a line's end pixel;
    // wide pens draw with round caps and joins.
    const bool wide = penWidth_ > 1;
    painter_.setPen(QPen(color_, penWidth_, Qt::SolidLine, wide ? Qt::RoundCap : Qt::FlatCap,
                         wide ? Qt::RoundJoin : Qt::MiterJoin));
}

void PlotCanvas::fillAreaOutlined()
{
    painter_.fillRect(0, 0, width_, height_, Qt::white);
    // The outline lies on the area's own outermost pixels. They are filled,
    // not stroked: on a screen that scales the area QPainter centres a stroke
    // on its coordinates, which would put half of the outline outside.
    const QRect edges[] = {{0, 0, width_, 1},
                           {0, height_ - 1, width_, 1},
                           {0, 0, 1, height_},
                           {width_ - 1, 0, 1, height_}};
    for (const QRect& edge : edges)
        painter_.fillRect(edge, color_);
}

void PlotCanvas::moveTo(DotPoint p) { current_ = p; }

void PlotCanvas::lineTo(DotPoint p)
{
    painter_.drawLine(QPoint(current_.x, current_.y), QPoint(p.x, p.y));
    current_ = p;
}

void PlotCanvas::polyline(const QVector<QPoint>& points)
{
    if (points.isEmpty())
        return;
    painter_.drawPolyline(points.constData(), static_cast<int>(points.size()));
    current_ = DotPoint{points.back().x(), points.back().y()};
}

void PlotCanvas::dot(DotPoint p)
{
    painter_.drawPoint(QPoint(p.x, p.y));
    current_ = p;
}
