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

AreaFills::RowPainter::RowPainter(const std::vector<Fill>& fills, QSize area)
    : fills_(fills), width_(area.width()),
      lastAcross_(static_cast<std::size_t>(area.height()), kNone)
{
    std::vector<bool> atColumn(static_cast<std::size_t>(width_), false);
    for (std::size_t i = 0; i < fills.size(); ++i) {
        const QRect& rect = fills[i].rect;
        if (rect.width() == width_) {
            for (int y = rect.top(); y <= rect.bottom(); ++y)
                lastAcross_[static_cast<std::size_t>(y)] = i;
        } else if (rect.height() == area.height()) {
            columns_.push_back(i);
            std::fill(atColumn.begin() + rect.left(), atColumn.begin() + rect.right() + 1, true);
        } else {
            others_.push_back(i);
        }
    }
    for (int x = 0; x < width_; ++x) {
        if (atColumn[static_cast<std::size_t>(x)])
            columnPixels_.push_back(x);
    }
    for (const std::size_t i : columns_) {
        const QRect& rect = fills[i].rect;
        const auto from = std::lower_bound(columnPixels_.begin(), columnPixels_.end(), rect.left());
        const auto to = std::upper_bound(from, columnPixels_.end(), rect.right());
        columnSpans_.push_back({static_cast<std::size_t>(from - columnPixels_.begin()),
                                static_cast<std::size_t>(to - columnPixels_.begin())});
    }
}

bool AreaFills::RowPainter::covers(std::size_t fill, int y) const
{
    return fills_[fill].rect.top() <= y && y <= fills_[fill].rect.bottom();
}

void AreaFills::RowPainter::runsOf(int y, std::vector<Run>& runs) const
{
    runs.clear();
    const auto add = [&runs](int from, int to, QRgb color) {
        if (!runs.empty() && runs.back().color == color && runs.back().to == from)
            runs.back().to = to;
        else
            runs.push_back(Run{from, to, color});
    };
    // What lies under the last rectangle across the whole row is painted
    // over. Laid over it there are, usually, only full-height columns: the
    // row is its colour but at their pixels.
    const std::size_t first = lastAcross_[static_cast<std::size_t>(y)];
    const bool others = std::any_of(others_.begin(), others_.end(), [&](std::size_t i) {
        return (first == kNone || i > first) && covers(i, y);
    });
    if (first != kNone && !others) {
        std::vector<QRgb> atPixel(columnPixels_.size(), fills_[first].color);
        for (std::size_t c = 0; c < columns_.size(); ++c) {
            if (columns_[c] < first)
                continue;
            const auto [from, to] = columnSpans_[c];
            std::fill(atPixel.begin() + static_cast<std::ptrdiff_t>(from),
                      atPixel.begin() + static_cast<std::ptrdiff_t>(to), fills_[columns_[c]].color);
        }
        int x = 0;
        for (std::size_t k = 0; k < columnPixels_.size(); ++k) {
            if (x < columnPixels_[k])
                add(x, columnPixels_[k], fills_[first].color);
            add(columnPixels_[k], columnPixels_[k] + 1, atPixel[k]);
            x = columnPixels_[k] + 1;
        }
        if (x < width_)
            add(x, width_, fills_[first].color);
        return;
    }
    // Otherwise pixel by pixel, from the first rectangle on.
    std::vector<QRgb> pixels(static_cast<std::size_t>(width_));
    for (std::size_t i = 0; i < fills_.size(); ++i) {
        if (covers(i, y))
            std::fill(pixels.begin() + fills_[i].rect.left(),
                      pixels.begin() + fills_[i].rect.right() + 1, fills_[i].color);
    }
    for (int x = 0; x < width_;) {
        const QRgb color = pixels[static_cast<std::size_t>(x)];
        int end = x + 1;
        while (end < width_ && pixels[static_cast<std::size_t>(end)] == color)
            ++end;
        add(x, end, color);
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
    const RowPainter rows(fills_, area_);
    std::vector<Run> runs;
    for (int y = 0; y < height; ++y) {
        if (!ownRow[static_cast<std::size_t>(y)])
            continue;
        rows.runsOf(y, runs);
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
