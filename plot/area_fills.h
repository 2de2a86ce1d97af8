#pragma once

#include <QColor>
#include <QPainter>
#include <QRect>
#include <QSize>

#include <utility>
#include <vector>

// Rectangles of one colour each, filled one after another over the plot area,
// a later one painting over an earlier one: the area's fill and outline and
// every grid line. Painted one by one, the grid's columns cost as much as the
// fill, one pixel per row at a time. Painted together, the rectangles that
// run the full height of the area make one row of pixels, the same on every
// row, which is copied down the whole area; only the rows where a rectangle
// of another shape lies are worked out one by one. Every pixel ends up with
// the colour of the last rectangle over it, as filled in order.
class AreaFills {
public:
    explicit AreaFills(QSize area) : area_(area) {}

    bool isEmpty() const { return fills_.empty(); }
    void add(const QRect& rect, const QColor& color);

    // Paints all rectangles added so far and forgets them.
    void paint(QPainter& painter);

private:
    struct Fill {
        QRect rect; // inside the area
        QRgb color;
    };

    // A run of pixels of one row, [from, to), of one colour.
    struct Run {
        int from;
        int to;
        QRgb color;
    };

    // Works out the rows that have rectangles of their own.
    class RowPainter {
    public:
        RowPainter(const std::vector<Fill>& fills, QSize area);

        // The colours row y ends up with, as runs from left to right.
        void runsOf(int y, std::vector<Run>& runs) const;

    private:
        static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

        bool covers(std::size_t fill, int y) const;

        const std::vector<Fill>& fills_;
        int width_;
        std::vector<std::size_t> lastAcross_; // per row, the last fill across it
        std::vector<std::size_t> columns_;    // full-height fills, not across
        std::vector<std::size_t> others_;     // the rest
        std::vector<int> columnPixels_;       // the columns' pixels, in order
        // Per column, the range of its pixels in columnPixels_.
        std::vector<std::pair<std::size_t, std::size_t>> columnSpans_;
    };

    void paintInOrder(QPainter& painter) const;

    QSize area_;
    std::vector<Fill> fills_;
};
