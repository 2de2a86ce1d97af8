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
    // Fitted at the layout's own size, a pixel smaller at a time (widths do
    // not shrink in proportion once glyphs are hinted to whole pixels), and
    // that size scaled with the layout: a caption that fits as it is keeps
    // its role's face at every scale.
    QFont font = MakeFont(*row.font);
    const int roleSize = font.pixelSize();
    const std::vector<std::string> captions = CaptionsOf(row);
    const auto widest = [&captions](const QFont& face) {
        const QFontMetricsF metrics(face);
        qreal width = 0;
        for (const std::string& caption : captions)
            width = qMax(width, metrics.horizontalAdvance(QString::fromStdString(caption)));
        return width;
    };
    const int smallest = qCeil(roleSize * kSmallestCaptionScale);
    while (font.pixelSize() > smallest && widest(font) > CaptionRoom(row))
        font.setPixelSize(font.pixelSize() - 1);
    return MakeFont(*row.font, scale * font.pixelSize() / roleSize);
}
