#include "app/buttons.h"

#include "app/qt_color.h"

#include <QAccessible>
#include <QKeyEvent>

void SetCaptionColor(QWidget* widget, uint32_t bgr)
{
    SetCaptionColor(widget, QtColor(bgr));
}

void SetCaptionColor(QWidget* widget, const QColor& color)
{
    QPalette palette = widget->palette();
    // Applied after every event of the lesson; only a change is worth a repaint.
    if (palette.color(QPalette::ButtonText) == color &&
        palette.color(QPalette::WindowText) == color && palette.color(QPalette::Text) == color)
        return;
    for (QPalette::ColorRole role : {QPalette::ButtonText, QPalette::WindowText, QPalette::Text})
        palette.setColor(role, color);
    widget->setPalette(palette);
}

PushButton::PushButton(const QString& text, QWidget* parent) : QPushButton(text, parent)
{
    setAutoDefault(false);
    setDefault(false);
    setFocusPolicy(Qt::StrongFocus);
}

void PushButton::keyPressEvent(QKeyEvent* event)
{
    // The number pad's Enter comes with the keypad modifier; it presses the
    // button as the main Enter does.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        click();
        event->accept();
        return;
    }
    QPushButton::keyPressEvent(event);
}

void ToggleButton::setOn(bool on)
{
    if (on == on_)
        return;
    on_ = on;
    QAccessible::State changed;
    changed.checked = true;
    QAccessibleStateChangeEvent event(this, changed);
    QAccessible::updateAccessibility(&event);
}

SpeedButton::SpeedButton(const QString& text, QWidget* parent) : QToolButton(parent)
{
    setText(text);
    setCheckable(true);
    setFocusPolicy(Qt::NoFocus);
    setToolButtonStyle(Qt::ToolButtonTextOnly);
}

void SpeedButtonGroup::addButton(SpeedButton* button)
{
    buttons_.append(button);
    connect(button, &QAbstractButton::toggled, this, [this, button](bool checked) {
        if (checked)
            raiseAllBut(button);
    });
}

void SpeedButtonGroup::latch(SpeedButton* button)
{
    button->setChecked(true);
    raiseAllBut(button);
}

void SpeedButtonGroup::raiseAllBut(const SpeedButton* keep)
{
    for (SpeedButton* other : buttons_) {
        if (other != keep)
            other->setChecked(false);
    }
}
