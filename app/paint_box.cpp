#include "app/paint_box.h"

#include "plot/tangent_grab.h"

#include <QMouseEvent>
#include <QPainter>
#include <QTouchEvent>

PaintBox::PaintBox(const LessonState& lesson, QWidget* parent) : QWidget(parent), lesson_(lesson)
{
    // The picture always covers the whole area, so Qt need not clear it first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    // The open hand shows over the point before any button is down.
    setMouseTracking(true);
    // Fingers come as touch events, so that a second finger is told apart
    // from the one that holds the point. A pen's events are left to Qt,
    // which turns them into mouse events.
    setAttribute(Qt::WA_AcceptTouchEvents);
}

void PaintBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    // Drawn larger, not stretched: every line at its place times the scale,
    // with its pen widened as much, at the device's own resolution.
    painter.scale(layoutScale_, layoutScale_);
    plot_.paint(painter, lesson_, plotSize());
    emit painted();
}

QSize PaintBox::plotSize() const
{
    return (QSizeF(size()) / layoutScale_).toSize();
}

bool PaintBox::grabs(QPointF pos) const
{
    const QSize area = plotSize();
    return CanGrabTangentPoint(lesson_, area.width(), area.height(), pos.x(), pos.y());
}

bool PaintBox::press(QPointF pos)
{
    if (dragging_ || !grabs(pos))
        return false;
    dragging_ = true;
    lastPosition_ = -1;
    setCursor(Qt::ClosedHandCursor);
    drag(pos);
    return true;
}

void PaintBox::drag(QPointF pos)
{
    // Only a change of position is a step, as with the slider's own thumb.
    const int position = TangentPositionUnder(lesson_, plotSize().width(), pos.x());
    if (position == lastPosition_)
        return;
    lastPosition_ = position;
    emit tangentDragged(position);
}

void PaintBox::release(QPointF pos)
{
    dragging_ = false;
    emit tangentReleased();
    showCursorFor(pos);
}

void PaintBox::showCursorFor(QPointF pos)
{
    if (grabs(pos))
        setCursor(Qt::OpenHandCursor);
    else
        unsetCursor();
}

void PaintBox::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && press(toPlot(event->position())))
        event->accept();
    else
        event->ignore();
}

void PaintBox::mouseMoveEvent(QMouseEvent* event)
{
    if (dragging_)
        drag(toPlot(event->position()));
    else
        showCursorFor(toPlot(event->position()));
}

void PaintBox::mouseReleaseEvent(QMouseEvent* event)
{
    if (dragging_ && event->button() == Qt::LeftButton)
        release(toPlot(event->position()));
}

bool PaintBox::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TouchCancel:
        return touch(static_cast<QTouchEvent*>(event));
    default:
        return QWidget::event(event);
    }
}

bool PaintBox::touch(QTouchEvent* event)
{
    for (const QEventPoint& point : event->points()) {
        const QPointF pos = toPlot(point.position());
        if (touchPoint_ < 0) {
            // Any finger that comes down on the point takes it, while no
            // other holds it.
            if (point.state() == QEventPoint::Pressed && press(pos))
                touchPoint_ = point.id();
            continue;
        }
        if (point.id() != touchPoint_)
            continue; // another finger: it changes nothing
        if (point.state() == QEventPoint::Released || event->type() == QEvent::TouchCancel) {
            touchPoint_ = -1;
            release(pos);
        } else if (point.state() == QEventPoint::Updated) {
            drag(pos);
        }
    }
    if (event->type() == QEvent::TouchCancel && touchPoint_ >= 0) {
        touchPoint_ = -1;
        release(QPointF(-1, -1));
    }
    // Accepted, so that Qt does not also turn the fingers into mouse events.
    event->accept();
    return true;
}
