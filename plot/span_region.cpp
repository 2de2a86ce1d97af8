#include "plot/span_region.h"

#include <algorithm>

QRegion RegionOfRects(const std::vector<QRect>& rects, const QRect& area)
{
    // Sort the runs by row: count them, then place them.
    const int rows = std::max(area.height(), 0);
    std::vector<int> firstOfRow(static_cast<std::size_t>(rows) + 1, 0);
    for (const QRect& rect : rects) {
        const QRect inside = rect.intersected(area);
        for (int y = inside.top(); y <= inside.bottom(); ++y)
            ++firstOfRow[static_cast<std::size_t>(y - area.top()) + 1];
    }
    for (std::size_t row = 1; row < firstOfRow.size(); ++row)
        firstOfRow[row] += firstOfRow[row - 1];
    struct Run {
        int from;
        int to;
    };
    std::vector<Run> runs(static_cast<std::size_t>(firstOfRow.back()));
    std::vector<int> next(firstOfRow.begin(), firstOfRow.end() - 1);
    for (const QRect& rect : rects) {
        const QRect inside = rect.intersected(area);
        for (int y = inside.top(); y <= inside.bottom(); ++y) {
            int& at = next[static_cast<std::size_t>(y - area.top())];
            runs[static_cast<std::size_t>(at++)] = Run{inside.left(), inside.right() + 1};
        }
    }

    // Each row's runs in order, overlapping or touching ones merged: the
    // banded form QRegion keeps.
    std::vector<QRect> bands;
    bands.reserve(runs.size());
    for (int row = 0; row < rows; ++row) {
        const auto first = runs.begin() + firstOfRow[static_cast<std::size_t>(row)];
        const auto last = runs.begin() + firstOfRow[static_cast<std::size_t>(row) + 1];
        std::sort(first, last, [](const Run& l, const Run& r) { return l.from < r.from; });
        for (auto run = first; run != last;) {
            Run merged = *run;
            for (++run; run != last && run->from <= merged.to; ++run)
                merged.to = std::max(merged.to, run->to);
            bands.emplace_back(merged.from, area.top() + row, merged.to - merged.from, 1);
        }
    }
    QRegion region;
    region.setRects(bands.data(), static_cast<int>(bands.size()));
    return region;
}
