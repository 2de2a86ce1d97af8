#include "app/paint_box.h"

#include <QPainter>

PaintBox::PaintBox(QWidget* parent) : QWidget(parent)
{
    // The routine always covers the whole area, so Qt need not clear it first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PaintBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (routine_)
        routine_(painter);
    emit painted();
}
