#pragma once

#include <QRect>
#include <QRegion>

#include <vector>

// The pixels of a set of rectangles, which may overlap, as a region built
// straight from its rows: each row's runs sorted and merged, so that the
// region needs no arithmetic of its own. Filling a region through the
// painter's clip is far cheaper than filling its rectangles one by one.
QRegion RegionOfRects(const std::vector<QRect>& rects, const QRect& area);
