#include "app/sessen_form.h"

#include "app/accessible_names.h"
#include "app/control_bindings.h"
#include "app/layout_fonts.h"
#include "app/presentation.h"
#include "app/qt_color.h"
#include "controls/control_table.h"
#include "lesson/colors.h"
#include "lesson/contrast_palette.h"

#include <QAccessible>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QScreen>

TSessen_Form::TSessen_Form(QWidget* parent) : QWidget(parent)
{
    setWindowTitle(QStringLiteral("Tavrine"));
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QtColor(Bgr::MoneyGreen));
    setPalette(palette);
    setAutoFillBackground(true);

    // The layout is fixed in pixels: a smaller window scrolls it, a larger
    // one shows the background around it.
    scrollArea_ = new QScrollArea(this);
    scrollArea_->setFrameShape(QFrame::NoFrame);
    scrollArea_->setFocusPolicy(Qt::NoFocus);
    scrollArea_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    scrollArea_->setWidgetResizable(false);
    scrollArea_->viewport()->setPalette(palette);
    scrollArea_->viewport()->setAutoFillBackground(true);
    client_ = new QWidget;
    client_->setFixedSize(kLayoutExtent);
    client_->setPalette(palette);
    client_->setAutoFillBackground(true);
    setFont(MakeFont(FontRole::Window));
    selectorGroup_ = new SpeedButtonGroup(this);

    BuildLayout(*this);
    ScrollBar1->setValue(session_.zoomPosition());
    ScrollBar2->setValue(session_.tangentPosition());
    announcer_ = new Announcer(client_);
    player_ = new SoundPlayer(this);
    NameControlsForScreenReaders(*this);
    scrollArea_->setWidget(client_);

    // Dragging the tangent point on the plot drags the tangent slider's thumb.
    connect(PaintBox1, &PaintBox::tangentDragged, ScrollBar2, &ScrollNotifyBar::dragThumbTo);
    connect(PaintBox1, &PaintBox::tangentReleased, ScrollBar2, &ScrollNotifyBar::endThumbDrag);

    ScrollBar1->setFocus();
    FormCreate(this);
}

void TSessen_Form::FormCreate(QObject*)
{
    move(0, 0);
    resize(kOuterSize);
}

void TSessen_Form::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    scrollArea_->setGeometry(rect());
    fitOuterSize();
}

void TSessen_Form::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    fitOuterSize();
}

void TSessen_Form::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    fitOuterSize();
}

void TSessen_Form::fitOuterSize()
{
    // The window manager adds its frame after the window is shown; the first
    // time the frame is known, shrink the client so that the frame included
    // the window is 1024 by 768 at the top-left of the screen.
    if (outerSizeFitted_ || !isVisible())
        return;
    const QSize frame = frameGeometry().size() - geometry().size();
    if (frame.isEmpty())
        return;
    outerSizeFitted_ = true;
    resize(kOuterSize - frame);
    move(0, 0);
}

void TSessen_Form::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    // The lesson is set up the first time the window gets the keyboard focus
    // and lasts until the program ends; later activations change nothing.
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && !lessonStarted_) {
        lessonStarted_ = true;
        Syokika(this);
    }
}

void TSessen_Form::closeEvent(QCloseEvent* event)
{
    event->accept();
    BtnSyuryoClick(this);
}

void TSessen_Form::BtnSyuryoClick(QObject*)
{
    QApplication::quit();
}

void TSessen_Form::Syokika(QObject* sender)
{
    // The session reads the zoom slider's position from its own record of
    // it, which ScrollBar1Scroll keeps.
    session_.Syokika();
    // Drawn before the controls change, as each handler below does.
    PaintBox1Paint(sender);
    applyView();
}

void TSessen_Form::PaintBox1Paint(QObject*)
{
    // Drawn at once, before the calling handler returns.
    PaintBox1->repaint();
}

void TSessen_Form::ScrollBar1Scroll(QObject* sender, ScrollCode code, int& scrollPos)
{
    session_.ScrollBar1Scroll(scrollPos, code == ScrollCode::EndScroll);
    PaintBox1Paint(sender);
    applyView();
}

void TSessen_Form::ScrollBar2Scroll(QObject* sender, ScrollCode code, int& scrollPos)
{
    session_.ScrollBar2Scroll(scrollPos, code == ScrollCode::EndScroll);
    PaintBox1Paint(sender);
    applyView();
}

void TSessen_Form::BBtnSessenSuClick(QObject* sender)
{
    session_.BBtnSessenSuClick();
    // Show the change at once, so the plot never contradicts the buttons.
    PaintBox1Paint(sender);
    applyView();
}

void TSessen_Form::BBtnHojosenClick(QObject* sender)
{
    session_.BBtnHojosenClick();
    PaintBox1Paint(sender);
    applyView();
}

void TSessen_Form::applyView()
{
    LessonView view = session_.view();
    // A sound that found no device to play on has that to say.
    if (!applySound(view.sound))
        view = session_.view();
    for (int n = 1; n <= kCoefficientCount; ++n) {
        coefficientLabel(n)->setText(
            QString::fromStdString(view.coefficientLabels[static_cast<std::size_t>(n - 1)]));
    }
    LblSiki->setText(QString::fromStdString(view.equationText));
    SbnSiki->setAccessibleDescription(
        QString::fromStdString(ControlDescription(*FindControlRow("SbnSiki"), view.equationText)));
    // A click on the latched button has just raised it; latch it again so
    // that exactly the selected target's button is down.
    if (view.latchedSelector != 0)
        selectorGroup_->latch(selectorButton(view.latchedSelector));
    for (int n = 1; n <= kEquationTarget; ++n)
        SetCaptionColor(selectorButton(n),
                        shownColor(view.selectorColors[static_cast<std::size_t>(n - 1)]));
    const std::tuple<ToggleButton*, const ToggleLook&, bool> toggles[] = {
        {BBtnSessenSu, view.toggles.secondTangent, view.secondTangentOn},
        {BBtnHojosen, view.toggles.chord, view.chordOn}};
    for (const auto& [button, look, on] : toggles) {
        button->setText(QString::fromStdString(look.caption));
        SetCaptionColor(button, shownColor(look.color));
        button->setVisible(look.visible);
        button->setOn(on);
    }
    // A slider under the pointer or the keys is already where the session
    // puts it; the other follows the lesson (the tangent's back to its centre
    // after "決定").
    const std::pair<ScrollNotifyBar*, int> sliders[] = {{ScrollBar1, view.zoomPosition},
                                                        {ScrollBar2, view.tangentPosition}};
    for (const auto& [bar, position] : sliders) {
        if (bar->sliderPosition() != position)
            bar->setValue(position);
    }
    PaintBox1->setAccessibleDescription(QString::fromStdString(view.plotDescription));
    if (!view.announcement.empty())
        announcer_->say(QString::fromStdString(view.announcement));
}

QAbstractButton* TSessen_Form::keypadKeyFor(const QKeyEvent& event) const
{
    // Only the bare keys: the number pad's, and Shift where a layout needs it
    // for digits; with Ctrl, Alt or Meta a key is a shortcut, not a digit.
    if ((event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) != 0)
        return nullptr;
    PushButton* const digits[] = {Btn00, Btn01, Btn02, Btn03, Btn04,
                                  Btn05, Btn06, Btn07, Btn08, Btn09};
    if (event.key() >= Qt::Key_0 && event.key() <= Qt::Key_9)
        return digits[event.key() - Qt::Key_0];
    if (event.key() == Qt::Key_Minus)
        return BtnMinus;
    return nullptr;
}

void TSessen_Form::setPresenting(bool on)
{
    if (on == presenting_)
        return;
    presenting_ = on;
    if (on) {
        normalGeometry_ = geometry();
        // The scaled lesson sits in the middle of the screen, on the
        // window's background.
        scrollArea_->setAlignment(Qt::AlignCenter);
        const QRect whole = screen()->geometry();
        setLayoutScale(PresentationFactor(whole.size()));
        // Without a window manager nothing but the geometry makes the window
        // cover the screen; with one, full screen puts it there too. Set
        // after full screen, the geometry would end it.
        setGeometry(whole);
        showFullScreen();
    } else {
        showNormal();
        setLayoutScale(1);
        scrollArea_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        setGeometry(normalGeometry_);
    }
}

void TSessen_Form::setLayoutScale(qreal factor)
{
    layoutScale_ = factor;
    setFont(MakeFont(FontRole::Window, factor));
    for (const ControlRow& row : ControlTable()) {
        QWidget* control = ControlOf(*this, row);
        control->setGeometry(ScaledPlace(RectOf(row.place), factor));
        if (row.font)
            control->setFont(CaptionFont(row, factor));
    }
    PaintBox1->setLayoutScale(factor);
    // In presentation mode the whole lesson window, centred on the screen;
    // otherwise the layout's own extent, which a smaller window scrolls.
    const QSize extent = presenting_ ? kLessonWindow : kLayoutExtent;
    client_->setFixedSize(ScaledPlace(QRect(QPoint(0, 0), extent), factor).size());
}

bool TSessen_Form::applySound(SoundCue cue)
{
    if (cue == SoundCue::None)
        return true;
    if (cue == SoundCue::Stop) {
        player_->stop();
        return true;
    }
    if (player_->play(SoundOf(session_.lesson(), cue)))
        return true;
    session_.SoundUnavailable();
    return false;
}

bool TSessen_Form::soundKey(const QKeyEvent& event)
{
    const Qt::KeyboardModifiers modifiers =
        event.modifiers() &
        (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    if (event.key() == Qt::Key_T && modifiers == Qt::AltModifier) {
        session_.SoundToggle();
        // The device is opened as the sound is switched on, so that the
        // first piece starts at once; a missing one is said now.
        if (session_.view().soundOn && !player_->prepare())
            session_.SoundUnavailable();
    } else if (event.key() == Qt::Key_H && (modifiers & ~Qt::ShiftModifier) == 0) {
        session_.HearKey(modifiers == Qt::ShiftModifier, player_->playing());
    } else if (event.key() == Qt::Key_Escape) {
        session_.StopSound();
    } else {
        return false;
    }
    applyView();
    return true;
}

void TSessen_Form::hearFromAction(bool tangentFirst)
{
    session_.HearAction(tangentFirst);
    applyView();
}

void TSessen_Form::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F11) {
        setPresenting(!presenting_);
        event->accept();
        return;
    }
    // Escape stops the sound, and leaves presentation mode as it always has.
    if (soundKey(*event)) {
        if (presenting_ && event->key() == Qt::Key_Escape)
            setPresenting(false);
        event->accept();
        return;
    }
    // No control takes the digits or "-", so they come up to the window from
    // wherever the focus is, and press the keypad's key.
    if (QAbstractButton* key = keypadKeyFor(*event)) {
        key->click();
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

SpeedButton* TSessen_Form::selectorButton(int target) const
{
    SpeedButton* const buttons[] = {SbnKeisuA, SbnKeisuB, SbnKeisuC, SbnKeisuD, SbnSiki};
    return buttons[target - 1];
}

QLabel* TSessen_Form::coefficientLabel(int coefficient) const
{
    QLabel* const labels[] = {LblKeisuA, LblKeisuB, LblKeisuC, LblKeisuD};
    return labels[coefficient - 1];
}

void TSessen_Form::selectTarget(int target)
{
    session_.SelectorClick(target);
    applyView();
}

void TSessen_Form::digitKey(int digit)
{
    session_.DigitClick(digit);
    applyView();
}

void TSessen_Form::Btn00Click(QObject*)
{
    session_.Btn00Click();
    applyView();
}

void TSessen_Form::BtnMinusClick(QObject*)
{
    session_.BtnMinusClick();
    applyView();
}

void TSessen_Form::BtnKetteiClick(QObject* sender)
{
    // A refused confirmation has only emptied the pending signs, which no
    // control shows; there is only its reason to say.
    if (session_.BtnKetteiClick())
        PaintBox1Paint(sender);
    applyView();
}

uint32_t TSessen_Form::shownColor(uint32_t bgr) const
{
    return highContrast_ ? HighContrastColor(bgr, ColorUse::Caption) : bgr;
}

void TSessen_Form::setHighContrast(bool on)
{
    highContrast_ = on;
    const QPalette desktop = QApplication::palette();
    // The buttons' face: the palette's captions are dark, so a dark theme's
    // face would hide them.
    QPalette palette = this->palette();
    palette.setColor(QPalette::Button,
                     on ? QtColor(Bgr::ButtonFace) : desktop.color(QPalette::Button));
    setPalette(palette);
    for (const ControlRow& row : ControlTable()) {
        QWidget* control = ControlOf(*this, row);
        if (row.font) {
            // The window's text follows the desktop, except on the faces the
            // high contrast fixes.
            SetCaptionColor(control, row.captionColor ? QtColor(shownColor(*row.captionColor))
                                     : on             ? QtColor(Bgr::Black)
                                                      : desktop.color(QPalette::WindowText));
        }
        if (row.background == Background::TooltipBackground) {
            QPalette face = control->palette();
            face.setColor(QPalette::Window,
                          on ? QtColor(Bgr::TooltipYellow) : desktop.color(QPalette::ToolTipBase));
            control->setPalette(face);
        }
    }
    PaintBox1->setHighContrast(on);
    PaintBox1Paint(this);
    applyView();
}
