#pragma once

#include "app/cached_plot.h"
#include "lesson/lesson_state.h"

#include <QWidget>

// The plot area. It has no background of its own: every paint event draws
// the lesson's whole picture, from the cached base and the tangent layer.
class PaintBox : public QWidget {
    Q_OBJECT
public:
    explicit PaintBox(const LessonState& lesson, QWidget* parent = nullptr);

    const CachedPlot& plot() const { return plot_; }

signals:
    // Emitted after each completed repaint.
    void painted();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const LessonState& lesson_;
    CachedPlot plot_;
};
