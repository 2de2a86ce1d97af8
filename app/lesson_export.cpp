#include "app/lesson_export.h"

#include "app/command_line.h"
#include "app/plot_picture.h"
#include "entry/lesson_paper.h"
#include "entry/lesson_session.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QLocale>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QSaveFile>

#include <cstdio>
#include <memory>

namespace {
enum class Format { Svg, Png, Pdf };

QPageSize PaperOfLocale()
{
    return QLocale::system().measurementSystem() == QLocale::ImperialUSSystem
               ? QPageSize(QPageSize::Letter)
               : QPageSize(QPageSize::A4);
}

// The page as a PDF, in memory: written to the file only once it is whole.
QByteArray PdfPage(const LessonState& lesson, const SvgOptions& options, const QString& title)
{
    QByteArray pdf;
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setTitle(title);
        writer.setCreator(QStringLiteral("Tavrine"));
        writer.setResolution(600);
        writer.setPageLayout(
            QPageLayout(PaperOfLocale(), QPageLayout::Portrait, QMarginsF(15, 15, 15, 15)));
        if (!PrintPlot(writer, lesson, options))
            return {};
    }
    return pdf;
}
} // namespace

int ExportLesson(const ExportRequest& request, const char* programName)
{
    const QString suffix = request.file.section(QLatin1Char('.'), -1).toLower();
    Format format;
    if (suffix == QLatin1String("svg"))
        format = Format::Svg;
    else if (suffix == QLatin1String("png"))
        format = Format::Png;
    else if (suffix == QLatin1String("pdf"))
        format = Format::Pdf;
    else {
        std::fprintf(stderr,
                     "tavrine: --export writes a file ending in .svg, .png or .pdf, not '%s'.\n",
                     request.file.toLocal8Bit().constData());
        return kUsageErrorStatus;
    }

    LessonSession session;
    if (!request.link.isEmpty())
        session.Open(request.link.toStdString());
    const SvgOptions options =
        PaperSvgOptions(kPaperWidthCm, request.touchReader, request.highContrast);
    const QByteArray svg = PlotSvgBytes(session.lesson(), options);

    QByteArray bytes = svg;
    std::unique_ptr<QGuiApplication> gui;
    if (format != Format::Svg) {
        // Fonts for the caption, with no display: Qt's offscreen platform,
        // whatever QT_QPA_PLATFORM says.
        static int argc = 3;
        static char platform[] = "-platform";
        static char offscreen[] = "offscreen";
        static char* argv[] = {const_cast<char*>(programName), platform, offscreen, nullptr};
        gui = std::make_unique<QGuiApplication>(argc, argv);
        if (format == Format::Png) {
            bytes.clear();
            QBuffer buffer(&bytes);
            buffer.open(QIODevice::WriteOnly);
            PlotImage(svg, kPictureScale).save(&buffer, "PNG");
        } else {
            bytes = PdfPage(session.lesson(), options,
                            QString::fromStdString(session.view().equationText));
        }
    }
    QString error;
    if (bytes.isEmpty() || !WritePictureFile(request.file, bytes, &error)) {
        std::fprintf(stderr, "tavrine: cannot write '%s': %s\n",
                     request.file.toLocal8Bit().constData(), error.toLocal8Bit().constData());
        return 1;
    }
    return 0;
}
