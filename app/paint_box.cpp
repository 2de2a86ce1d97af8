#include "app/paint_box.h"

#include <QMouseEvent>
#include <QPainter>
#include <QTouchEvent>

PaintBox::PaintBox(const LessonSession& session, QWidget* parent)
    : QWidget(parent), session_(session)
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
    plot_.paint(painter, session_.lesson(), plotSize());
    emit painted();
}

QSize PaintBox::plotSize() const
{
    return (QSizeF(size()) / layoutScale_).toSize();
}

PlotPointer PaintBox::at(QPointF pos) const
{
    const QPointF plot = pos / layoutScale_;
    return {plotSize().width(), plotSize().height(), plot.x(), plot.y()};
}

bool PaintBox::press(QPointF pos)
{
    if (holding())
        return false;
    emit pointer(PointerPhase::Down, at(pos));
    if (!holding())
        return false;
    setCursor(Qt::ClosedHandCursor);
    return true;
}

void PaintBox::release(QPointF pos)
{
    emit pointer(PointerPhase::Up, at(pos));
    showCursorFor(pos);
}

void PaintBox::showCursorFor(QPointF pos)
{
    if (session_.grabsTangentPoint(at(pos)))
        setCursor(Qt::OpenHandCursor);
    else
        unsetCursor();
}

void PaintBox::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && press(event->position()))
        event->accept();
    else
        event->ignore();
}

void PaintBox::mouseMoveEvent(QMouseEvent* event)
{
    if (holding())
        emit pointer(PointerPhase::Move, at(event->position()));
    else
        showCursorFor(event->position());
}

void PaintBox::mouseReleaseEvent(QMouseEvent* event)
{
    if (holding() && event->button() == Qt::LeftButton)
        release(event->position());
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
        const QPointF pos = point.position();
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
            emit pointer(PointerPhase::Move, at(pos));
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
