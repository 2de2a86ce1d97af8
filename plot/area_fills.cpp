#include "plot/area_fills.h"

#include "plot/span_region.h"

#include <QImage>

#include <algorithm>

void AreaFills::add(const QRect& rect, const QColor& color)
{
    const QRect inside = rect.intersected(QRect(QPoint(0, 0), area_));
    if (!inside.isEmpty())
        fills_.push_back(Fill{inside, color.rgb()});
}

void AreaFills::paintInOrder(QPainter& painter) const
{
    for (const Fill& fill : fills_)
        painter.fillRect(fill.rect, QColor::fromRgb(fill.color));
}

void AreaFills::paint(QPainter& painter)
{
    if (fills_.empty())
        return;
    const int width = area_.width();
    const int height = area_.height();

    // The row of the rectangles that run the full height, the last one over
    // a column giving its colour. Without such a rectangle over every column
    // there is no common row, and the rectangles are filled one by one.
    QImage row(width, 1, QImage::Format_RGB32);
    std::vector<bool> covered(static_cast<std::size_t>(width), false);
    std::vector<bool> ownRow(static_cast<std::size_t>(height), false);
    auto* rowPixels = reinterpret_cast<QRgb*>(row.scanLine(0));
    for (const Fill& fill : fills_) {
        if (fill.rect.height() == height) {
            std::fill(rowPixels + fill.rect.left(), rowPixels + fill.rect.right() + 1, fill.color);
            std::fill(covered.begin() + fill.rect.left(), covered.begin() + fill.rect.right() + 1,
                      true);
        } else {
            std::fill(ownRow.begin() + fill.rect.top(), ownRow.begin() + fill.rect.bottom() + 1,
                      true);
        }
    }
    if (std::find(covered.begin(), covered.end(), false) != covered.end()) {
        paintInOrder(painter);
        fills_.clear();
        return;
    }
    // Copied a band of rows at a time: a copy of the whole area in one go
    // would be split over worker threads, which costs more than it saves
    // on a machine with two cores.
    constexpr int kBandRows = 32;
    QImage band(width, std::min(kBandRows, height), QImage::Format_RGB32);
    for (int y = 0; y < band.height(); ++y)
        std::copy(rowPixels, rowPixels + width, reinterpret_cast<QRgb*>(band.scanLine(y)));
    for (int y = 0; y < height; y += band.height())
        painter.drawImage(QPoint(0, y), band, QRect(0, 0, width, std::min(band.height(), height - y)));

    // Every other row on its own: from the last rectangle that covers it
    // whole, or from the first, the later ones laid over in order, and the
    // result cut into runs of one colour.
    struct ColorRuns {
        QRgb color;
        std::vector<QRect> runs;
    };
    std::vector<ColorRuns> byColor;
    std::vector<QRgb> pixels(static_cast<std::size_t>(width));
    for (int y = 0; y < height; ++y) {
        if (!ownRow[static_cast<std::size_t>(y)])
            continue;
        std::size_t first = 0;
        for (std::size_t i = fills_.size(); i-- > 0;) {
            const QRect& rect = fills_[i].rect;
            if (rect.width() == width && rect.top() <= y && y <= rect.bottom()) {
                first = i;
                break;
            }
        }
        for (std::size_t i = first; i < fills_.size(); ++i) {
            const Fill& fill = fills_[i];
            if (fill.rect.top() <= y && y <= fill.rect.bottom())
                std::fill(pixels.begin() + fill.rect.left(), pixels.begin() + fill.rect.right() + 1,
                          fill.color);
        }
        for (int x = 0; x < width;) {
            const QRgb color = pixels[static_cast<std::size_t>(x)];
            int end = x + 1;
            while (end < width && pixels[static_cast<std::size_t>(end)] == color)
                ++end;
            auto runs = std::find_if(byColor.begin(), byColor.end(),
                                     [color](const ColorRuns& c) { return c.color == color; });
            if (runs == byColor.end())
                runs = byColor.insert(byColor.end(), ColorRuns{color, {}});
            runs->runs.emplace_back(x, y, end - x, 1);
            x = end;
        }
    }
    const QRect area(QPoint(0, 0), area_);
    for (const ColorRuns& color : byColor) {
        painter.save();
        painter.setClipRegion(RegionOfRects(color.runs, area), Qt::IntersectClip);
        painter.fillRect(area, QColor::fromRgb(color.color));
        painter.restore();
    }
    fills_.clear();
}
