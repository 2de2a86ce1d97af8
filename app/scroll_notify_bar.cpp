#include "app/scroll_notify_bar.h"

#include <QKeyEvent>
#include <QMouseEvent>

ScrollNotifyBar::ScrollNotifyBar(QWidget* parent) : QScrollBar(Qt::Horizontal, parent)
{
    setRange(0, 100);
    setSingleStep(1);
    setPageStep(1);
    setFocusPolicy(Qt::StrongFocus);
    // Qt mirrors the keys of a horizontal scroll bar; a native one does not.
    setInvertedControls(false);
    // The context menu's "Scroll here" would move the bar without telling
    // the handler.
    setContextMenuPolicy(Qt::NoContextMenu);
    connect(this, &QAbstractSlider::actionTriggered, this, &ScrollNotifyBar::onActionTriggered);
}

void ScrollNotifyBar::onActionTriggered(int action)
{
    pressActed_ = true;
    ScrollCode code = ScrollCode::Track;
    switch (static_cast<SliderAction>(action)) {
    case SliderSingleStepAdd:
        code = ScrollCode::LineDown;
        break;
    case SliderSingleStepSub:
        code = ScrollCode::LineUp;
        break;
    case SliderPageStepAdd:
        code = ScrollCode::PageDown;
        break;
    case SliderPageStepSub:
        code = ScrollCode::PageUp;
        break;
    case SliderToMinimum:
        code = ScrollCode::Top;
        break;
    case SliderToMaximum:
        code = ScrollCode::Bottom;
        break;
    case SliderMove:
        code = ScrollCode::Track;
        break;
    case SliderNoAction:
        return;
    }
    // Qt has moved the slider position but not yet the value: the handler's
    // answer is what the bar takes.
    notify(code);
}

void ScrollNotifyBar::notify(ScrollCode code)
{
    int position = sliderPosition();
    emit scroll(code, position);
    if (position != sliderPosition())
        setSliderPosition(qBound(minimum(), position, maximum()));
}

void ScrollNotifyBar::stepForAssistant(SliderAction action)
{
    triggerAction(action);
    notify(ScrollCode::EndScroll);
}

void ScrollNotifyBar::moveForAssistant(int position)
{
    // A new slider position runs the SliderMove action (the bar tracks), which
    // notifies like a dragged thumb; the same position moves nothing.
    setSliderPosition(qBound(minimum(), position, maximum()));
    notify(ScrollCode::EndScroll);
}

void ScrollNotifyBar::keyPressEvent(QKeyEvent* event)
{
    SliderAction action = SliderNoAction;
    switch (event->key()) {
    case Qt::Key_Right:
    case Qt::Key_Down:
        action = SliderSingleStepAdd;
        break;
    case Qt::Key_Left:
    case Qt::Key_Up:
        action = SliderSingleStepSub;
        break;
    case Qt::Key_PageDown:
        action = SliderPageStepAdd;
        break;
    case Qt::Key_PageUp:
        action = SliderPageStepSub;
        break;
    case Qt::Key_Home:
        action = SliderToMinimum;
        break;
    case Qt::Key_End:
        action = SliderToMaximum;
        break;
    default:
        event->ignore();
        return;
    }
    keyActionPending_ = true;
    triggerAction(action);
    event->accept();
}

void ScrollNotifyBar::keyReleaseEvent(QKeyEvent* event)
{
    if (keyActionPending_ && !event->isAutoRepeat()) {
        keyActionPending_ = false;
        notify(ScrollCode::EndScroll);
        event->accept();
        return;
    }
    QScrollBar::keyReleaseEvent(event);
}

void ScrollNotifyBar::mousePressEvent(QMouseEvent* event)
{
    // Only a press the bar acts on (an arrow, the trough, the thumb) ends
    // with the end-of-scroll notice; a right click, as on a native scroll
    // bar, tells the handler nothing.
    pressActed_ = false;
    QScrollBar::mousePressEvent(event);
    if (pressActed_ || isSliderDown())
        mouseActionPending_ = true;
}

void ScrollNotifyBar::mouseReleaseEvent(QMouseEvent* event)
{
    const bool wasDragging = isSliderDown();
    QScrollBar::mouseReleaseEvent(event);
    if (!mouseActionPending_)
        return;
    mouseActionPending_ = false;
    if (wasDragging)
        notify(ScrollCode::Position);
    notify(ScrollCode::EndScroll);
}

void ScrollNotifyBar::dragThumbTo(int position)
{
    position = qBound(minimum(), position, maximum());
    if (position == sliderPosition())
        return;
    // Without tracking, moving the thumb triggers no action of its own; the
    // notice goes out here, and the bar takes the handler's answer.
    setTracking(false);
    setSliderPosition(position);
    setTracking(true);
    notify(ScrollCode::Track);
    setValue(sliderPosition());
}

void ScrollNotifyBar::endThumbDrag()
{
    notify(ScrollCode::Position);
    notify(ScrollCode::EndScroll);
}
