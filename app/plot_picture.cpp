#include "app/plot_picture.h"

#include "plot/plot_caption.h"

#include <QFont>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QSaveFile>
#include <QSvgRenderer>

#include <algorithm>

QByteArray PlotSvgBytes(const LessonState& lesson, const SvgOptions& options)
{
    const std::string svg = PlotSvg(lesson, options);
    return QByteArray(svg.data(), static_cast<qsizetype>(svg.size()));
}

QImage PlotImage(const QByteArray& svg, int scale)
{
    QSvgRenderer renderer(svg);
    const QSize size = renderer.viewBox().size() * scale;
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    painter.end();
    return image;
}

bool PrintPlot(QPagedPaintDevice& device, const LessonState& lesson, SvgOptions options)
{
    const SvgGrid grid = SvgGridOf(lesson, options);
    options.caption = false;
    QSvgRenderer renderer(PlotSvgBytes(lesson, options));
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    // The painter's pixels are the device's: so many per cm at its resolution.
    const double perCm = device.logicalDpiX() / 2.54;
    const double width = grid.widthCm * perCm;
    const QRect page = device.pageLayout().paintRectPixels(device.logicalDpiX());
    const double left = std::max(0.0, (page.width() - width) / 2);
    renderer.render(&painter, QRectF(left, 0, width, width));

    QFont font(QStringLiteral("IPAPGothic"));
    font.setPixelSize(static_cast<int>(0.45 * perCm)); // about 13 pt, a worksheet's text
    painter.setFont(font);
    painter.setPen(Qt::black);
    double baseline = width + 0.5 * perCm;
    for (const std::string& line : PlotCaption(lesson, grid.step, grid.stepCm)) {
        baseline += 0.75 * perCm;
        painter.drawText(QPointF(left, baseline), QString::fromStdString(line));
    }
    return painter.end();
}

bool WritePictureFile(const QString& path, const QByteArray& bytes, QString* error)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return true;
    if (error != nullptr)
        *error = file.errorString();
    return false;
}
