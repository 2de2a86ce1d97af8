#pragma once

#include <QScrollBar>

// What a user did to a scroll bar, in the terms of the window's handlers.
enum class ScrollCode {
    LineUp,    // left arrow button, Left or Up key
    LineDown,  // right arrow button, Right or Down key
    PageUp,    // trough left of the thumb, Page Up
    PageDown,  // trough right of the thumb, Page Down
    Position,  // thumb released
    Track,     // thumb dragged
    Top,       // Home
    Bottom,    // End
    EndScroll, // the action has ended
};

// A horizontal scroll bar from 0 to 100 that reports every user action, the
// way the lesson's sliders expect:
// - each arrow, trough, key or thumb step emits scroll() with the new
//   position, which a handler may change before the bar takes it;
// - when the action ends (mouse or key released) one more scroll() comes
//   with the current position;
// - setValue() from the program emits nothing.
// It takes the keyboard focus, and its keys are the key table's keys of a
// focused slider (controls/key_table.h), as on a native horizontal scroll
// bar.
class ScrollNotifyBar : public QScrollBar {
    Q_OBJECT
public:
    explicit ScrollNotifyBar(QWidget* parent = nullptr);

    // Moves the bar for an assistive technology: a step (SliderSingleStepAdd
    // or SliderSingleStepSub), or straight to a position. Either tells the
    // handler what a key press and its release tell it: the move, then the
    // end-of-scroll notice.
    void stepForAssistant(SliderAction action);
    void moveForAssistant(int position);

signals:
    void scroll(ScrollCode code, int& position);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void onActionTriggered(int action);
    void notify(ScrollCode code);

    bool keyActionPending_ = false;
    bool mouseActionPending_ = false;
    bool pressActed_ = false; // an action came from the mouse press under way
};
