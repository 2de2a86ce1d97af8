#include "app/desktop_identity.h"

#include <QDir>

QIcon ProgramIcon()
{
    // The build renders the drawn SVG into the resource in every size it
    // installs, laid out as in the hicolor icon theme: one folder per size.
    const QDir theme(QStringLiteral(":/icons/hicolor"));
    const QString file = QStringLiteral("/apps/%1.png").arg(QLatin1String(kDesktopFileName));
    QIcon icon;
    for (const QString& size : theme.entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        icon.addFile(theme.filePath(size + file));
    return icon;
}
