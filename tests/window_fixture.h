#pragma once

// Starts the lesson window on the offscreen platform and reads back what a
// pupil would see on it.

#include "app/sessen_form.h"

#include <QtTest>

#include <memory>

// A shown window that has had its first activation, so the lesson is set up.
inline std::unique_ptr<TSessen_Form> StartedForm()
{
    auto form = std::make_unique<TSessen_Form>();
    form->show();
    form->activateWindow();
    if (!QTest::qWaitForWindowActive(form.get()))
        qFatal("the lesson window was never activated");
    return form;
}

inline QColor CaptionColor(const QWidget* widget)
{
    return widget->palette().color(QPalette::ButtonText);
}

inline QColor Rgb(uint32_t bgr)
{
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

inline void Click(QWidget* widget)
{
    QTest::mouseClick(widget, Qt::LeftButton);
}

// The plot area as the window paints it from the lesson of this moment.
inline QImage PlotPicture(const TSessen_Form& form)
{
    const QRect area(form.PaintBox1->mapTo(form.window(), QPoint(0, 0)), QSize(660, 660));
    return form.window()->grab(area).toImage().convertToFormat(QImage::Format_RGB32);
}

inline bool HasColor(const QImage& image, const QColor& color)
{
    const QRgb wanted = color.rgb();
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (line[x] == wanted)
                return true;
        }
    }
    return false;
}
