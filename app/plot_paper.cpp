#include "app/plot_paper.h"

#include "app/plot_picture.h"
#include "entry/lesson_paper.h"
#include "lesson/catalogue.h"
#include "plot/plot_caption.h"

#include <QBuffer>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGuiApplication>
#include <QMimeData>
#include <QPrintDialog>
#include <QPrinter>
#include <QStandardPaths>

namespace {
QString Text(std::string_view japanese)
{
    const std::string_view text = Translated(japanese);
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QByteArray PictureSvg(const LessonState& lesson, bool highContrast)
{
    return PlotSvgBytes(lesson, PaperSvgOptions(kPaperWidthCm, false, highContrast));
}

QByteArray Png(const QImage& image)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return png;
}

constexpr const char* kSvgType = "image/svg+xml";
} // namespace

bool CopyPlotPicture(const LessonState& lesson, bool highContrast)
{
    const QByteArray svg = PictureSvg(lesson, highContrast);
    auto* data = new QMimeData;
    data->setImageData(PlotImage(svg, kPictureScale));
    data->setData(QString::fromLatin1(kSvgType), svg);
    data->setText(QString::fromStdString(PlotCaptionText(lesson)));
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setMimeData(data);
    // A desktop without a clipboard keeps nothing: say so rather than that
    // it was copied.
    const QMimeData* held = clipboard->mimeData();
    return held != nullptr && held->hasFormat(QString::fromLatin1(kSvgType));
}

bool SavePlotPicture(const QString& path, const LessonState& lesson, bool highContrast,
                     QString* error)
{
    const QByteArray svg = PictureSvg(lesson, highContrast);
    const bool asSvg = path.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive);
    return WritePictureFile(path, asSvg ? svg : Png(PlotImage(svg, kPictureScale)), error);
}

QString AskPictureFile(QWidget* parent, const LessonState& lesson)
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    if (folder.isEmpty() || !QDir(folder).exists())
        folder = QDir::homePath();
    const QString svgKind = Text(kSvgFileKind) + QStringLiteral(" (*.svg)");
    const QString pngKind = Text(kPngFileKind) + QStringLiteral(" (*.png)");
    QString kind = svgKind;
    QString path = QFileDialog::getSaveFileName(
        parent, Text(kSavePictureTitle),
        QDir(folder).filePath(QString::fromStdString(PlotFileName(lesson, "svg"))),
        svgKind + QStringLiteral(";;") + pngKind, &kind);
    // A name typed without its ending takes the kind chosen.
    if (!path.isEmpty() && !path.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive) &&
        !path.endsWith(QLatin1String(".png"), Qt::CaseInsensitive))
        path += kind == pngKind ? QStringLiteral(".png") : QStringLiteral(".svg");
    return path;
}

bool PrintPlotDialog(QWidget* parent, const LessonState& lesson, bool highContrast,
                     bool& touchReader)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QString::fromStdString(PlotFileName(lesson, "pdf")).chopped(4));
    QPrintDialog dialog(&printer, parent);

    auto* options = new QWidget;
    options->setWindowTitle(Text(kPrintOptionsTitle));
    auto* form = new QFormLayout(options);
    auto* width = new QDoubleSpinBox;
    width->setRange(kPaperMinWidthCm, kPaperMaxWidthCm);
    width->setDecimals(1);
    width->setSingleStep(0.5);
    width->setSuffix(QStringLiteral(" cm"));
    width->setValue(kPaperWidthCm);
    form->addRow(Text(kPrintWidthLabel), width);
    auto* touch = new QCheckBox(Text(kTouchPaperCaption));
    touch->setToolTip(Text(kTouchPaperDescription));
    touch->setAccessibleDescription(Text(kTouchPaperDescription));
    touch->setChecked(touchReader);
    form->addRow(touch);
    dialog.setOptionTabs({options});

    const bool accepted = dialog.exec() == QDialog::Accepted;
    touchReader = touch->isChecked();
    if (!accepted)
        return false;
    const SvgOptions svgOptions = PaperSvgOptions(width->value(), touchReader, highContrast);
    return PrintPlot(printer, lesson, svgOptions);
}
