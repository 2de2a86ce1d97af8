#include "app/sessen_form.h"

#include "app/accessible_names.h"
#include "app/layout_fonts.h"

#include "app/qt_color.h"
#include "lesson/colors.h"

#include <QApplication>
#include <QCloseEvent>

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
    setFont(MakeFont(LayoutFont::F1));
    selectorGroup_ = new SpeedButtonGroup(this);

    BuildLayout(*this);
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
    showEntry();
    applyToggleLooks(session_.toggleLooks());
    ScrollBar2->setValue(session_.tangentPosition());
    PaintBox1Paint(sender);
}

void TSessen_Form::PaintBox1Paint(QObject*)
{
    // Drawn at once, before the calling handler returns.
    PaintBox1->repaint();
}

void TSessen_Form::ScrollBar1Scroll(QObject* sender, ScrollCode, int& scrollPos)
{
    session_.ScrollBar1Scroll(scrollPos);
    PaintBox1Paint(sender);
}

void TSessen_Form::ScrollBar2Scroll(QObject* sender, ScrollCode, int& scrollPos)
{
    session_.ScrollBar2Scroll(scrollPos);
    PaintBox1Paint(sender);
}

void TSessen_Form::BBtnSessenSuClick(QObject* sender)
{
    session_.BBtnSessenSuClick();
    applyToggleLooks(session_.toggleLooks());
    // Show the change at once, so the plot never contradicts the buttons.
    PaintBox1Paint(sender);
}

void TSessen_Form::BBtnHojosenClick(QObject* sender)
{
    session_.BBtnHojosenClick();
    applyToggleLooks(session_.toggleLooks());
    PaintBox1Paint(sender);
}

void TSessen_Form::applyToggleLooks(const ToggleLooks& looks)
{
    const std::pair<PushButton*, const ToggleLook*> buttons[] = {
        {BBtnSessenSu, &looks.secondTangent}, {BBtnHojosen, &looks.chord}};
    for (const auto& [button, look] : buttons) {
        button->setText(QString::fromStdString(look->caption));
        SetCaptionColor(button, look->color);
        button->setVisible(look->visible);
    }
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
    showEntry();
}

void TSessen_Form::showEntry()
{
    for (int n = 1; n <= kCoefficientCount; ++n)
        coefficientLabel(n)->setText(QString::fromStdString(session_.coefficientLabel(n)));
    LblSiki->setText(QString::fromStdString(session_.equationText()));
    // A click on the latched button has just raised it; latch it again so
    // that exactly the selected target's button is down.
    if (const int latched = session_.latchedSelector(); latched != 0)
        selectorGroup_->latch(selectorButton(latched));
    const auto& colors = session_.selectorColors();
    for (int n = 1; n <= kEquationTarget; ++n)
        SetCaptionColor(selectorButton(n), colors[static_cast<std::size_t>(n - 1)]);
}

void TSessen_Form::digitKey(int digit)
{
    session_.DigitClick(digit);
    showEntry();
}

void TSessen_Form::Btn00Click(QObject*)
{
    session_.Btn00Click();
    showEntry();
}

void TSessen_Form::BtnMinusClick(QObject*)
{
    session_.BtnMinusClick();
    showEntry();
}

void TSessen_Form::BtnKetteiClick(QObject* sender)
{
    // A refused confirmation has only emptied the pending signs, which no
    // control shows.
    if (!session_.BtnKetteiClick())
        return;
    showEntry();
    ScrollBar2->setValue(session_.tangentPosition());
    PaintBox1Paint(sender);
}
