#include "app/cached_plot.h"

#include "app/plot_painter.h"
#include "plot/plot_layers.h"

#include <QPainter>

#include <cmath>

void CachedPlot::paint(QPainter& painter, const LessonState& lesson, QSize size)
{
    const QTransform device = painter.deviceTransform();
    if (device.type() > QTransform::TxScale || device.m11() <= 0 || device.m22() <= 0) {
        // Turned or mirrored: no image of device pixels fits; draw it all.
        painter.save();
        PreparePlotPainter(painter, size.width(), size.height());
        PaintPlotGeometry(painter, colored(PlotOf(lesson, size.width(), size.height())));
        painter.restore();
        return;
    }
    const QPoint whole(static_cast<int>(std::floor(device.dx())),
                       static_cast<int>(std::floor(device.dy())));
    revision_.follow(lesson);
    const BaseKey key{revision_.base(), size, device.m11(), device.m22(),
                      QPointF(device.dx() - whole.x(), device.dy() - whole.y()), highContrast_};
    if (key_ != key)
        drawBase(lesson, key);

    painter.save();
    // Only the device pixels that drawing the area itself would reach: at a
    // fractional placement the image's first row and column are partly
    // outside it.
    painter.setClipRect(QRect(QPoint(0, 0), size), Qt::IntersectClip);
    // The image's pixels go onto the device's pixels one to one, starting at
    // the whole device pixel where the area's corner lies.
    const QTransform toDevice = painter.worldTransform().inverted() * device;
    painter.setWorldTransform(QTransform::fromTranslate(whole.x(), whole.y()) *
                              toDevice.inverted());
    painter.drawImage(QPoint(0, 0), base_);
    painter.restore();

    painter.save();
    PreparePlotPainter(painter, size.width(), size.height());
    PaintPlotGeometry(painter, colored(TangentLayerOf(lesson, size.width(), size.height())));
    painter.restore();
}

void CachedPlot::drawBase(const LessonState& lesson, const BaseKey& key)
{
    const QSize pixels(static_cast<int>(std::ceil(key.size.width() * key.scaleX + key.phase.x())),
                       static_cast<int>(std::ceil(key.size.height() * key.scaleY + key.phase.y())));
    if (base_.size() != pixels)
        base_ = QImage(pixels, QImage::Format_RGB32);
    base_.fill(Qt::white);
    QPainter painter(&base_);
    painter.setTransform(QTransform(key.scaleX, 0, 0, key.scaleY, key.phase.x(), key.phase.y()));
    PreparePlotPainter(painter, key.size.width(), key.size.height());
    PaintPlotGeometry(painter, colored(PlotBaseOf(lesson, key.size.width(), key.size.height())));
    painter.end();
    key_ = key;
    ++baseDrawings_;
}

PlotGeometry CachedPlot::colored(PlotGeometry geometry) const
{
    return highContrast_ ? InHighContrast(std::move(geometry)) : geometry;
}
