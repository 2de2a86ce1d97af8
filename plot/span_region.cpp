#include "plot/span_region.h"

#include <algorithm>

RowRuns::RowRuns(const QRect& area)
    : area_(area), firstOfRow_(static_cast<std::size_t>(std::max(area.height(), 0)), -1)
{
    // A curve has a run or two in most rows.
    runs_.reserve(2 * firstOfRow_.size());
}

void RowRuns::add(int y, int from, int to)
{
    from = std::max(from, area_.left());
    to = std::min(to, area_.right() + 1);
    if (y < area_.top() || y > area_.bottom() || from >= to)
        return;
    // The runs of a row are few and come mostly from left to right: find the
    // first run that ends at or after `from`, then swallow every run the new
    // one overlaps or touches.
    int& head = firstOfRow_[static_cast<std::size_t>(y - area_.top())];
    int before = -1;
    int at = head;
    while (at >= 0 && runs_[static_cast<std::size_t>(at)].to < from) {
        before = at;
        at = runs_[static_cast<std::size_t>(at)].next;
    }
    int after = at;
    while (after >= 0 && runs_[static_cast<std::size_t>(after)].from <= to) {
        const Run& run = runs_[static_cast<std::size_t>(after)];
        from = std::min(from, run.from);
        to = std::max(to, run.to);
        after = run.next;
    }
    if (at != after) {
        // The first run swallowed becomes the merged one.
        runs_[static_cast<std::size_t>(at)] = Run{from, to, after};
        return;
    }
    runs_.push_back(Run{from, to, after});
    const int added = static_cast<int>(runs_.size()) - 1;
    if (before < 0)
        head = added;
    else
        runs_[static_cast<std::size_t>(before)].next = added;
}

void RowRuns::add(const QRect& rect)
{
    const int top = std::max(rect.top(), area_.top());
    const int bottom = std::min(rect.bottom(), area_.bottom());
    for (int y = top; y <= bottom; ++y)
        add(y, rect.left(), rect.right() + 1);
}

QRegion RowRuns::region() const
{
    std::vector<QRect> bands;
    bands.reserve(runs_.size());
    std::size_t bandStart = 0; // the rectangles of the band the last row joined
    int previousFirst = -1;
    for (std::size_t row = 0; row < firstOfRow_.size(); ++row) {
        const int first = firstOfRow_[row];
        const int y = area_.top() + static_cast<int>(row);
        // The same runs as the row above, which made the last band?
        bool same = first >= 0 && previousFirst >= 0;
        int a = first;
        int b = previousFirst;
        while (same && a >= 0 && b >= 0) {
            const Run& ra = runs_[static_cast<std::size_t>(a)];
            const Run& rb = runs_[static_cast<std::size_t>(b)];
            same = ra.from == rb.from && ra.to == rb.to;
            a = ra.next;
            b = rb.next;
        }
        same = same && a < 0 && b < 0;
        if (same) {
            for (std::size_t i = bandStart; i < bands.size(); ++i)
                bands[i].setBottom(y);
        } else if (first >= 0) {
            bandStart = bands.size();
            for (int r = first; r >= 0; r = runs_[static_cast<std::size_t>(r)].next) {
                const Run& run = runs_[static_cast<std::size_t>(r)];
                bands.emplace_back(run.from, y, run.to - run.from, 1);
            }
        }
        previousFirst = first;
    }
    QRegion region;
    region.setRects(bands.data(), static_cast<int>(bands.size()));
    return region;
}

QRegion RegionOfRects(const std::vector<QRect>& rects, const QRect& area)
{
    RowRuns runs(area);
    for (const QRect& rect : rects)
        runs.add(rect);
    return runs.region();
}
