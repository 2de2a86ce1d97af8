#include "app/layout_fonts.h"

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
