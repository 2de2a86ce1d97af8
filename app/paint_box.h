#pragma once

#include "app/cached_plot.h"
#include "lesson/lesson_state.h"

#include <QWidget>

class QTouchEvent;

// The plot area. It has no background of its own: every paint event draws
// the lesson's whole picture, from the cached base and the tangent layer.
//
// The tangent point can be grabbed on the plot and dragged along the curve
// with the mouse, a pen or one finger: the box reports the slider position
// under the pointer and the drag's end, and the window moves the tangent
// slider as a drag of its thumb would. A press anywhere else does nothing.
class PaintBox : public QWidget {
    Q_OBJECT
public:
    explicit PaintBox(const LessonState& lesson, QWidget* parent = nullptr);

    const CachedPlot& plot() const { return plot_; }

    // Draws the plot in the high-contrast palette's colours or the lesson's.
    void setHighContrast(bool on)
    {
        plot_.setHighContrast(on);
        update();
    }

    // The plot's pixels are this many of the box's own (the whole layout
    // drawn larger); a pointer's place and the grab reach are taken in the
    // plot's pixels.
    void setLayoutScale(qreal scale) { layoutScale_ = scale; }
    qreal layoutScale() const { return layoutScale_; }

signals:
    // Emitted after each completed repaint.
    void painted();
    // The grabbed tangent point is dragged to the slider's `position`.
    void tangentDragged(int position);
    // The grabbed tangent point is let go.
    void tangentReleased();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // Positions below are in the plot's pixels.
    QPointF toPlot(QPointF pos) const { return pos / layoutScale_; }
    QSize plotSize() const;
    bool grabs(QPointF pos) const;
    bool press(QPointF pos);
    void drag(QPointF pos);
    void release(QPointF pos);
    void showCursorFor(QPointF pos);
    bool touch(QTouchEvent* event);

    const LessonState& lesson_;
    CachedPlot plot_;
    qreal layoutScale_ = 1;
    bool dragging_ = false;
    int lastPosition_ = -1;
    int touchPoint_ = -1; // the finger that holds the point, or -1
};
