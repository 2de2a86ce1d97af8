#include "plot/span_region.h"

#include <algorithm>

namespace {
struct Run {
    int from;
    int to; // one past the last pixel
    friend bool operator==(const Run&, const Run&) = default;
};

// The rows of `area` a rectangle covers, clamped to it.
void RowsInside(const QRect& rect, const QRect& area, int& top, int& bottom)
{
    top = std::max(rect.top(), area.top());
    bottom = std::min(rect.bottom(), area.bottom());
    if (rect.left() > area.right() || rect.right() < area.left())
        bottom = top - 1;
}
} // namespace

QRegion RegionOfRects(const std::vector<QRect>& rects, const QRect& area)
{
    // Sort the runs by row: count them, then place them.
    const int rows = std::max(area.height(), 0);
    std::vector<int> firstOfRow(static_cast<std::size_t>(rows) + 1, 0);
    int top = 0;
    int bottom = 0;
    for (const QRect& rect : rects) {
        RowsInside(rect, area, top, bottom);
        for (int y = top; y <= bottom; ++y)
            ++firstOfRow[static_cast<std::size_t>(y - area.top()) + 1];
    }
    for (std::size_t row = 1; row < firstOfRow.size(); ++row)
        firstOfRow[row] += firstOfRow[row - 1];
    std::vector<Run> runs(static_cast<std::size_t>(firstOfRow.back()));
    std::vector<int> next(firstOfRow.begin(), firstOfRow.end() - 1);
    for (const QRect& rect : rects) {
        RowsInside(rect, area, top, bottom);
        const Run run{std::max(rect.left(), area.left()), std::min(rect.right(), area.right()) + 1};
        for (int y = top; y <= bottom; ++y)
            runs[static_cast<std::size_t>(next[static_cast<std::size_t>(y - area.top())]++)] = run;
    }

    // Each row's runs in order, overlapping or touching ones merged, and rows
    // that come out the same as the row above joined to it: the banded form
    // QRegion keeps.
    std::vector<QRect> bands;
    bands.reserve(runs.size());
    std::size_t bandStart = 0; // the rectangles of the band the last row joined
    std::vector<Run> merged;
    std::vector<Run> previous;
    for (int row = 0; row < rows; ++row) {
        const auto first = runs.begin() + firstOfRow[static_cast<std::size_t>(row)];
        const auto last = runs.begin() + firstOfRow[static_cast<std::size_t>(row) + 1];
        // Few runs a row, nearly in order already.
        for (auto run = first; run != last; ++run) {
            for (auto at = run; at != first && (at - 1)->from > at->from; --at)
                std::iter_swap(at, at - 1);
        }
        merged.clear();
        for (auto run = first; run != last; ++run) {
            if (!merged.empty() && run->from <= merged.back().to)
                merged.back().to = std::max(merged.back().to, run->to);
            else
                merged.push_back(*run);
        }
        const int y = area.top() + row;
        if (!merged.empty() && merged == previous && bands.back().bottom() == y - 1) {
            for (std::size_t i = bandStart; i < bands.size(); ++i)
                bands[i].setBottom(y);
        } else {
            bandStart = bands.size();
            for (const Run& run : merged)
                bands.emplace_back(run.from, y, run.to - run.from, 1);
        }
        previous.swap(merged);
    }
    QRegion region;
    region.setRects(bands.data(), static_cast<int>(bands.size()));
    return region;
}
