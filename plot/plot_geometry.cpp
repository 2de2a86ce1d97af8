#include "plot/plot_geometry.h"

#include "lesson/contrast_palette.h"

PlotRecorder::PlotRecorder(int32_t width, int32_t height)
{
    geometry_.width = width;
    geometry_.height = height;
}

void PlotRecorder::add(PlotItem::Kind kind, const DotPoint* points, uint32_t count)
{
    geometry_.items.push_back(
        PlotItem{kind, color_, penWidth_, static_cast<uint32_t>(geometry_.points.size()), count});
    geometry_.points.insert(geometry_.points.end(), points, points + count);
}

void PlotRecorder::fillAreaOutlined()
{
    add(PlotItem::Kind::Area, nullptr, 0);
}

void PlotRecorder::lineTo(DotPoint p)
{
    const DotPoint ends[] = {current_, p};
    current_ = p;
    add(PlotItem::Kind::Line, ends, 2);
}

void PlotRecorder::polyline(const std::vector<DotPoint>& points)
{
    if (points.empty())
        return;
    add(PlotItem::Kind::Polyline, points.data(), static_cast<uint32_t>(points.size()));
    current_ = points.back();
}

void PlotRecorder::dot(DotPoint p)
{
    current_ = p;
    add(PlotItem::Kind::Dot, &p, 1);
}

PlotGeometry InHighContrast(PlotGeometry geometry)
{
    for (PlotItem& item : geometry.items)
        item.color = HighContrastColor(item.color, ColorUse::Plot);
    return geometry;
}
