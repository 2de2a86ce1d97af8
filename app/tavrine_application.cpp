#include "app/tavrine_application.h"

#include "app/desktop_identity.h"
#include "lesson/catalogue.h"

#include <QMessageBox>

#include <exception>

TavrineApplication::TavrineApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    // One look on every desktop, so the layout's pixels hold everywhere.
    setStyle(QStringLiteral("Fusion"));
    // The window and the task bar show the program's icon and match it to its
    // menu entry.
    setDesktopFileName(QLatin1String(kDesktopFileName));
    setWindowIcon(ProgramIcon());
}

bool TavrineApplication::notify(QObject* receiver, QEvent* event)
{
    QString message;
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        message = QString::fromLocal8Bit(error.what());
    } catch (...) {
        const std::string_view unknown = Translated("不明なエラーが発生しました。");
        message = QString::fromUtf8(unknown.data(), static_cast<qsizetype>(unknown.size()));
    }
    QMessageBox::critical(nullptr, QStringLiteral("Tavrine"), message);
    return false;
}
