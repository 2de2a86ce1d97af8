#pragma once

#include <QList>
#include <QObject>
#include <QPushButton>
#include <QToolButton>

// Sets the colour a button or label draws its caption in (0xBBGGRR).
void SetCaptionColor(QWidget* widget, uint32_t bgr);
void SetCaptionColor(QWidget* widget, const QColor& color);

// A push button that also clicks on Enter while it has the focus, as the
// keypad does on every desktop the lesson came from. It is never a default
// button: with the focus elsewhere, Enter presses nothing.
class PushButton : public QPushButton {
    Q_OBJECT
public:
    explicit PushButton(const QString& text, QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

// A glyph button that switches part of the lesson on and off. It looks and
// clicks like any push button (it is not checkable: the caption and its colour
// show the state); it only remembers whether it stands for "on", so that a
// screen reader can tell the state without reading the caption.
class ToggleButton : public PushButton {
    Q_OBJECT
public:
    using PushButton::PushButton;

    bool isOn() const { return on_; }
    void setOn(bool on);

private:
    bool on_ = false;
};

// A latching button that never takes the keyboard focus. A click toggles the
// latch and then emits clicked().
class SpeedButton : public QToolButton {
    Q_OBJECT
public:
    explicit SpeedButton(const QString& text, QWidget* parent = nullptr);
};

// Speed buttons of which at most one is latched: latching one raises the
// others. All may be up: a click on the latched button raises it.
class SpeedButtonGroup : public QObject {
    Q_OBJECT
public:
    explicit SpeedButtonGroup(QObject* parent = nullptr) : QObject(parent) {}

    void addButton(SpeedButton* button);

    // Latches `button` from the program, raising the others; emits no click.
    void latch(SpeedButton* button);

private:
    void raiseAllBut(const SpeedButton* keep);

    QList<SpeedButton*> buttons_;
};
