#pragma once

#include <QRect>
#include <QRegion>

#include <vector>

// Runs of pixels gathered row by row over an area, kept in order and merged
// where they overlap or touch, so that they make a region with no region
// arithmetic: QRegion takes them as they are. Filling a region through the
// painter's clip is far cheaper than filling its rectangles one by one.
class RowRuns {
public:
    explicit RowRuns(const QRect& area);

    // The pixels [from, to) of row y, as far as they lie in the area.
    void add(int y, int from, int to);
    void add(const QRect& rect);

    // Rows that come out the same as the row above are joined into one band.
    QRegion region() const;

private:
    struct Run {
        int from;
        int to;   // one past the last pixel
        int next; // the next run of the row, or -1
    };

    QRect area_;
    std::vector<int> firstOfRow_;
    std::vector<Run> runs_;
};

// The pixels of a set of rectangles, which may overlap, as a region.
QRegion RegionOfRects(const std::vector<QRect>& rects, const QRect& area);
