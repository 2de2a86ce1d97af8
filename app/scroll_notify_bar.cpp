#include "app/scroll_notify_bar.h"

#include "app/key_names.h"
#include "controls/key_table.h"

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
    const KeyRow* key = FindKey(KeyName(*event), KeyModifiers(*event), true);
    SliderAction action = SliderNoAction;
    if (key != nullptr) {
        switch (key->command) {
        case KeyCommand::SliderLine:
            action = key->step > 0 ? SliderSingleStepAdd : SliderSingleStepSub;
            break;
        case KeyCommand::SliderPage:
            action = key->step > 0 ? SliderPageStepAdd : SliderPageStepSub;
            break;
        case KeyCommand::SliderToStart:
            action = SliderToMinimum;
            break;
        case KeyCommand::SliderToEnd:
            action = SliderToMaximum;
            break;
        default:
            break;
        }
    }
    if (action == SliderNoAction) {
        // Not the slider's: the lesson's keys go on up to the window.
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
