#pragma once

#include <QWidget>

// Tells a screen reader, without moving the focus, what an action changed.
//
// From Qt 6.8 this is an announcement event, which the screen reader speaks
// as it comes. Older Qt has no such event, and the screen readers ignore
// name and description changes of controls that are not focused; Orca does
// speak a notification as it appears, so there the announcer is an empty
// one-pixel notification that is shown anew with each message.
class Announcer : public QWidget {
    Q_OBJECT
public:
    explicit Announcer(QWidget* parent);

    void say(const QString& message);

    // The last message, which is also the notification's accessible name.
    const QString& message() const { return message_; }

private:
    QString message_;
};
