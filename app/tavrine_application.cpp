#include "app/tavrine_application.h"

#include <QMessageBox>

#include <exception>

TavrineApplication::TavrineApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    // One look on every desktop, so the layout's pixels hold everywhere.
    setStyle(QStringLiteral("Fusion"));
}

bool TavrineApplication::notify(QObject* receiver, QEvent* event)
{
    QString message;
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        message = QString::fromLocal8Bit(error.what());
    } catch (...) {
        message = QStringLiteral("不明なエラーが発生しました。");
    }
    QMessageBox::critical(nullptr, QStringLiteral("Tavrine"), message);
    return false;
}
