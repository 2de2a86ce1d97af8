#pragma once

#include <QApplication>

// The application object. An error that escapes a handler is shown in a
// message box with its text, and the event loop carries on with the lesson as
// the handler left it.
class TavrineApplication : public QApplication {
    Q_OBJECT
public:
    TavrineApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};
