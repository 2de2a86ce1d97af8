#pragma once

// A paint device the size of the plot area that draws nothing and records the
// largest pixel coordinate the plot hands to the painter. The painter passes
// lines, polylines, points, fills and images on to it unclipped: these are the
// coordinates Qt would have to draw.

#include "app/plot_painter.h"
#include "lesson/lesson_state.h"

#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

class CoordinateRecorder : public QPaintDevice {
public:
    explicit CoordinateRecorder(int size) : size_(size) {}

    QPaintEngine* paintEngine() const override { return &engine_; }

    // Largest |x| or |y| handed over so far.
    double farthest() const { return engine_.farthest; }

protected:
    int metric(PaintDeviceMetric metric) const override
    {
        switch (metric) {
        case PdmWidth:
        case PdmHeight:
            return size_;
        case PdmWidthMM:
        case PdmHeightMM:
            return size_ * 254 / 960;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return 96;
        case PdmDepth:
            return 32;
        case PdmNumColors:
            return 0x7fffffff;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return static_cast<int>(QPaintDevice::devicePixelRatioFScale());
        }
        return 0;
    }

private:
    struct Engine : QPaintEngine {
        // Every feature, so that the painter hands each primitive over as it
        // is instead of breaking it into paths.
        Engine() : QPaintEngine(QPaintEngine::AllFeatures) {}

        bool begin(QPaintDevice*) override { return true; }
        bool end() override { return true; }
        void updateState(const QPaintEngineState&) override {}
        Type type() const override { return User; }
        void drawPixmap(const QRectF& target, const QPixmap&, const QRectF&) override
        {
            note(target.topLeft());
            note(target.bottomRight());
        }
        void drawTiledPixmap(const QRectF& target, const QPixmap&, const QPointF&) override
        {
            note(target.topLeft());
            note(target.bottomRight());
        }
        void drawImage(const QRectF& target, const QImage&, const QRectF&,
                       Qt::ImageConversionFlags) override
        {
            note(target.topLeft());
            note(target.bottomRight());
        }

        void drawLines(const QLine* lines, int count) override
        {
            for (int k = 0; k < count; ++k) {
                note(lines[k].p1());
                note(lines[k].p2());
            }
        }
        void drawLines(const QLineF* lines, int count) override
        {
            for (int k = 0; k < count; ++k) {
                note(lines[k].p1());
                note(lines[k].p2());
            }
        }
        void drawPolygon(const QPoint* points, int count, PolygonDrawMode) override
        {
            std::for_each(points, points + count, [this](QPoint p) { note(p); });
        }
        void drawPolygon(const QPointF* points, int count, PolygonDrawMode) override
        {
            std::for_each(points, points + count, [this](QPointF p) { note(p); });
        }
        void drawPoints(const QPoint* points, int count) override
        {
            std::for_each(points, points + count, [this](QPoint p) { note(p); });
        }
        void drawPoints(const QPointF* points, int count) override
        {
            std::for_each(points, points + count, [this](QPointF p) { note(p); });
        }
        void drawRects(const QRect* rects, int count) override
        {
            for (int k = 0; k < count; ++k) {
                note(rects[k].topLeft());
                note(rects[k].bottomRight());
            }
        }
        void drawRects(const QRectF* rects, int count) override
        {
            for (int k = 0; k < count; ++k) {
                note(rects[k].topLeft());
                note(rects[k].bottomRight());
            }
        }
        void drawPath(const QPainterPath& path) override
        {
            const QRectF box = path.boundingRect();
            note(box.topLeft());
            note(box.bottomRight());
        }

        void note(QPointF p)
        {
            farthest = std::max({farthest, std::fabs(p.x()), std::fabs(p.y())});
        }

        double farthest = 0;
    };

    int size_;
    mutable Engine engine_;
};

// The farthest coordinate a repaint of the lesson hands to the painter.
inline double FarthestPlotCoordinate(const LessonState& lesson, int size = 660)
{
    CoordinateRecorder recorder(size);
    QPainter painter(&recorder);
    PaintPlot(painter, lesson, size, size);
    painter.end();
    return recorder.farthest();
}
