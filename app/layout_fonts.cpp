#include "app/layout_fonts.h"

#include "controls/caption_fit.h"

#include <QFontMetricsF>

QFont MakeFont(FontRole role, qreal scale)
{
    const FontFace& face = FaceOf(role);
    QFont font(QString::fromLatin1(face.family));
    font.setPixelSize(qMax(1, qRound(face.pixelSize * scale)));
    font.setBold(face.bold);
    font.setItalic(face.italic);
    font.setStyleStrategy(QFont::PreferMatch);
    return font;
}

QFont CaptionFont(const ControlRow& row, qreal scale)
{
    // Fitted at the layout's own size, and that size scaled with the layout:
    // a caption that fits as it is keeps its role's face at every scale.
    QFont font = MakeFont(*row.font);
    const int roleSize = font.pixelSize();
    const std::vector<std::string> captions = CaptionsOf(row);
    const int fitted = FittedCaptionSize(row, roleSize, [&](int pixelSize) {
        font.setPixelSize(pixelSize);
        const QFontMetricsF metrics(font);
        qreal width = 0;
        for (const std::string& caption : captions)
            width = qMax(width, metrics.horizontalAdvance(QString::fromStdString(caption)));
        return static_cast<double>(width);
    });
    return MakeFont(*row.font, scale * fitted / roleSize);
}
