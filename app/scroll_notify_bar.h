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
// It takes the keyboard focus, and its keys act as on a native horizontal
// scroll bar: Right/Down +1, Left/Up -1, Page Down +1, Page Up -1, Home 0,
// End 100.
class ScrollNotifyBar : public QScrollBar {
    Q_OBJECT
public:
    explicit ScrollNotifyBar(QWidget* parent = nullptr);

    // Moves the thumb as the user's drag of it would, from something else
    // the user drags (the tangent point on the plot): a step to a new
    // position notifies Track; the end notifies Position, then EndScroll.
    void dragThumbTo(int position);
    void endThumbDrag();

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
