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

void AreaFills::rowRuns(int y, std::vector<Run>& runs) const
{
    runs.clear();
    const int width = area_.width();
    const auto covers = [y](const Fill& fill) {
        return fill.rect.top() <= y && y <= fill.rect.bottom();
    };
    // What lies under the last rectangle that covers the row whole is
    // painted over; the later ones are laid over that one in order.
    std::size_t first = fills_.size();
    for (std::size_t i = fills_.size(); i-- > 0;) {
        if (fills_[i].rect.width() == width && covers(fills_[i])) {
            first = i;
            break;
        }
    }
    if (first < fills_.size()) {
        // Usually the later ones are grid columns, one pixel each and apart
        // from each other: runs of the row's colour between them.
        std::vector<Run> over;
        for (std::size_t i = first + 1; i < fills_.size(); ++i) {
            if (covers(fills_[i]))
                over.push_back(
                    Run{fills_[i].rect.left(), fills_[i].rect.right() + 1, fills_[i].color});
        }
        std::sort(over.begin(), over.end(),
                  [](const Run& l, const Run& r) { return l.from < r.from; });
        const auto overlap = std::adjacent_find(
            over.begin(), over.end(), [](const Run& l, const Run& r) { return r.from < l.to; });
        if (overlap == over.end()) {
            const QRgb base = fills_[first].color;
            const auto add = [&runs](int from, int to, QRgb color) {
                if (from >= to)
                    return;
                if (!runs.empty() && runs.back().color == color && runs.back().to == from)
                    runs.back().to = to;
                else
                    runs.push_back(Run{from, to, color});
            };
            int x = 0;
            for (const Run& run : over) {
                add(x, run.from, base);
                add(run.from, run.to, run.color);
                x = run.to;
            }
            add(x, width, base);
            return;
        }
    } else {
        first = 0;
    }
    // Otherwise pixel by pixel.
    std::vector<QRgb> pixels(static_cast<std::size_t>(width));
    for (std::size_t i = first; i < fills_.size(); ++i) {
        if (covers(fills_[i]))
            std::fill(pixels.begin() + fills_[i].rect.left(),
                      pixels.begin() + fills_[i].rect.right() + 1, fills_[i].color);
    }
    for (int x = 0; x < width;) {
        const QRgb color = pixels[static_cast<std::size_t>(x)];
        int end = x + 1;
        while (end < width && pixels[static_cast<std::size_t>(end)] == color)
            ++end;
        runs.push_back(Run{x, end, color});
        x = end;
    }
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
        painter.drawImage(QPoint(0, y), band,
                          QRect(0, 0, width, std::min(band.height(), height - y)));

    // Every other row on its own, cut into runs of one colour, which are
    // filled colour by colour.
    struct ColorRuns {
        QRgb color;
        std::vector<QRect> runs;
    };
    std::vector<ColorRuns> byColor;
    std::vector<Run> runs;
    for (int y = 0; y < height; ++y) {
        if (!ownRow[static_cast<std::size_t>(y)])
            continue;
        rowRuns(y, runs);
        for (const Run& run : runs) {
            auto color = std::find_if(byColor.begin(), byColor.end(),
                                      [&run](const ColorRuns& c) { return c.color == run.color; });
            if (color == byColor.end())
                color = byColor.insert(byColor.end(), ColorRuns{run.color, {}});
            color->runs.emplace_back(run.from, y, run.to - run.from, 1);
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
