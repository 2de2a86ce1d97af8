#include "app/paint_box.h"

#include <QPainter>

PaintBox::PaintBox(const LessonState& lesson, QWidget* parent) : QWidget(parent), lesson_(lesson)
{
    // The picture always covers the whole area, so Qt need not clear it first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PaintBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    plot_.paint(painter, lesson_, size());
    emit painted();
}
