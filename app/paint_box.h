#pragma once

#include "app/cached_plot.h"
#include "entry/lesson_session.h"

#include <QWidget>

class QTouchEvent;

// The plot area. It has no background of its own: every paint event draws
// the lesson's whole picture, from the cached base and the tangent layer.
//
// The tangent point can be grabbed on the plot and dragged along the curve
// with the mouse, a pen or one finger. The box only reports where the
// pointer goes down, moves and comes up, in the plot's pixels; the session
// decides what it takes and where the point goes (LessonSession::Pointer),
// as it does for the page. A second finger changes nothing.
class PaintBox : public QWidget {
    Q_OBJECT
public:
    explicit PaintBox(const LessonSession& session, QWidget* parent = nullptr);

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
    // The pointer that may hold the tangent point went down, moved or came up.
    void pointer(PointerPhase phase, const PlotPointer& at);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QSize plotSize() const;
    // Where a pointer at the box's position `pos` is on the plot.
    PlotPointer at(QPointF pos) const;
    bool holding() const { return session_.draggingTangent(); }
    bool press(QPointF pos);
    void release(QPointF pos);
    void showCursorFor(QPointF pos);
    bool touch(QTouchEvent* event);

    const LessonSession& session_;
    CachedPlot plot_;
    qreal layoutScale_ = 1;
    int touchPoint_ = -1; // the finger that holds the point, or -1
};
