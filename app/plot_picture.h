#pragma once

#include "plot/plot_svg.h"

#include <QByteArray>
#include <QImage>
#include <QString>

class QPagedPaintDevice;

// The lesson's picture as the desktop hands it out: the core's SVG drawing
// (plot/plot_svg.h) as it stands, as an image rendered from it, and on
// paper. Rendering needs a QGuiApplication (for the caption's fonts).

// The drawing for the lesson: the window's plot, at the window's palette.
QByteArray PlotSvgBytes(const LessonState& lesson, const SvgOptions& options);

// The drawing rendered at `scale` pixels for each of its own.
QImage PlotImage(const QByteArray& svg, int scale);

// The lesson's plot on the first page of the device, at the drawing's width
// in cm, centred across the page at the top of its printable area, and the
// caption beneath it set as text, which a PDF keeps searchable; false where
// the device cannot be painted on (a printer that failed to start).
bool PrintPlot(QPagedPaintDevice& device, const LessonState& lesson, SvgOptions options);

// Writes the bytes to the file, whole or not at all: false with the system's
// reason where the folder cannot be written.
bool WritePictureFile(const QString& path, const QByteArray& bytes, QString* error);
