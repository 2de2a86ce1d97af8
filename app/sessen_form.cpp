#include "app/sessen_form.h"

#include "app/accessible_names.h"
#include "app/control_bindings.h"
#include "app/key_names.h"
#include "app/layout_fonts.h"
#include "app/plot_paper.h"
#include "app/presentation.h"
#include "app/qt_color.h"
#include "app/share_view.h"
#include "controls/control_table.h"
#include "entry/lesson_share.h"
#include "entry/plot_menu.h"
#include "lesson/colors.h"
#include "lesson/contrast_palette.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMenu>
#include <QMessageBox>
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

    PaintBox1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(PaintBox1, &QWidget::customContextMenuRequested, this, &TSessen_Form::showPlotMenu);

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
    if (shareView_ != nullptr)
        shareView_->setGeometry(rect());
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
        if (startLink_.isEmpty())
            Syokika(this);
        else
            openLink(startLink_);
    }
}

void TSessen_Form::openLink(const QString& link)
{
    if (!lessonStarted_) {
        startLink_ = link;
        return;
    }
    session_.Open(link.toStdString());
    PaintBox1Paint(this);
    applyView();
}

void TSessen_Form::closeEvent(QCloseEvent* event)
{
    event->accept();
    follow(After::Quit);
}

void TSessen_Form::Syokika(QObject* sender)
{
    // The session reads the zoom slider's position from its own record of
    // it, which the slider's scroll events keep.
    session_.Syokika();
    // Drawn before the controls change, as after every event.
    PaintBox1Paint(sender);
    applyView();
}

void TSessen_Form::PaintBox1Paint(QObject*)
{
    // Drawn at once, before the calling handler returns.
    PaintBox1->repaint();
}

void TSessen_Form::press(const ControlRow& row)
{
    follow(session_.Press(row));
}

void TSessen_Form::scroll(const ControlRow& row, ScrollCode code, int& scrollPos)
{
    follow(session_.Scroll(row, scrollPos, code == ScrollCode::EndScroll));
}

void TSessen_Form::pointer(const ControlRow& row, PointerPhase phase, const PlotPointer& at)
{
    follow(session_.Pointer(row, phase, at));
}

void TSessen_Form::follow(After after)
{
    switch (after) {
    case After::Ignored:
        return;
    case After::Quit:
        QApplication::quit();
        return;
    case After::Draw:
        // Drawn before the controls change, so that a handler returns with
        // the new picture on screen.
        PaintBox1Paint(this);
        break;
    case After::Presentation:
        setPresenting(!presenting_);
        break;
    case After::EndPresentation:
        setPresenting(false);
        break;
    case After::Copy:
        copyPlot();
        return;
    case After::Save:
        savePlot();
        return;
    case After::Print:
        printPlot();
        return;
    case After::Show:
    case After::PressControl:
    case After::Share: // the view says whether it is open
        break;
    }
    applyView();
}

namespace {
// Whether `now` is to be shown: everything is the first time, otherwise what
// differs from what was shown, which it then becomes.
template <typename T> bool Changed(T& shown, const T& now, bool everything)
{
    if (!everything && shown == now)
        return false;
    shown = now;
    return true;
}
} // namespace

void TSessen_Form::applyView()
{
    // A sound that found no device to play on has that to say.
    applySound(session_.view().sound);
    const LessonView& view = session_.view();
    // Only what changed is set again, so that a slider's step touches little
    // more than the plot.
    const bool everything = !applied_;
    LessonView& shown = everything ? applied_.emplace() : *applied_;
    if (Changed(shown.coefficientLabels, view.coefficientLabels, everything)) {
        for (int n = 1; n <= kCoefficientCount; ++n) {
            coefficientLabel(n)->setText(
                QString::fromStdString(view.coefficientLabels[static_cast<std::size_t>(n - 1)]));
        }
    }
    if (Changed(shown.equationText, view.equationText, everything)) {
        LblSiki->setText(QString::fromStdString(view.equationText));
        // The equation button is described with the equation it chooses.
        selectorButton(kEquationTarget)
            ->setAccessibleDescription(QString::fromStdString(ControlDescription(
                *FindControlRow(Does::Select, kEquationTarget), view.equationText)));
    }
    // A click on the latched button has just raised it; latch it again so
    // that exactly the selected target's button is down.
    if (view.latchedSelector != 0)
        selectorGroup_->latch(selectorButton(view.latchedSelector));
    if (Changed(shown.selectorColors, view.selectorColors, everything)) {
        for (int n = 1; n <= kEquationTarget; ++n)
            SetCaptionColor(selectorButton(n),
                            shownColor(view.selectorColors[static_cast<std::size_t>(n - 1)]));
    }
    const std::tuple<ToggleButton*, ToggleLook&, const ToggleLook&, bool&, bool> toggles[] = {
        {BBtnSessenSu, shown.toggles.secondTangent, view.toggles.secondTangent,
         shown.secondTangentOn, view.secondTangentOn},
        {BBtnHojosen, shown.toggles.chord, view.toggles.chord, shown.chordOn, view.chordOn}};
    for (const auto& [button, shownLook, look, shownOn, on] : toggles) {
        if (Changed(shownLook, look, everything)) {
            button->setText(QString::fromStdString(look.caption));
            SetCaptionColor(button, shownColor(look.color));
            button->setVisible(look.visible);
        }
        if (Changed(shownOn, on, everything))
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
    if (Changed(shown.sharing, view.sharing, everything))
        showShare(view.sharing);
    if (Changed(shown.plotDescription, view.plotDescription, everything))
        PaintBox1->setAccessibleDescription(QString::fromStdString(view.plotDescription));
    if (!view.announcement.empty())
        announcer_->say(QString::fromStdString(view.announcement));
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
    if (shareView_ != nullptr)
        shareView_->setLayoutScale(factor);
    // In presentation mode the whole lesson window, centred on the screen;
    // otherwise the layout's own extent, which a smaller window scrolls.
    const QSize extent = presenting_ ? kLessonWindow : kLayoutExtent;
    client_->setFixedSize(ScaledPlace(QRect(QPoint(0, 0), extent), factor).size());
}

void TSessen_Form::applySound(SoundCue cue)
{
    switch (cue) {
    case SoundCue::None:
        return;
    case SoundCue::Stop:
        player_->stop();
        // Switched off: the output is let go until the sound is on again.
        if (!session_.view().soundOn)
            player_->close();
        return;
    case SoundCue::Open:
        if (player_->prepare())
            return;
        break;
    default:
        if (player_->play(SoundOf(session_.lesson(), cue)))
            return;
        break;
    }
    session_.SoundUnavailable();
}

void TSessen_Form::hearFromAction(bool tangentFirst)
{
    session_.HearAction(tangentFirst);
    applyView();
}

void TSessen_Form::keyPressEvent(QKeyEvent* event)
{
    // The lesson's keys reach the window from wherever the focus is: no
    // control takes them.
    const KeyRow* key = FindKey(KeyName(*event), KeyModifiers(*event), false);
    const After after = key ? session_.Key(*key, player_->playing()) : After::Ignored;
    if (after == After::Ignored) {
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
    if (after == After::PressControl)
        static_cast<QAbstractButton*>(ControlOf(*this, *FindControlRow(key->control)))->click();
    else
        follow(after);
}

SpeedButton* TSessen_Form::selectorButton(int target) const
{
    return static_cast<SpeedButton*>(ControlOf(*this, *FindControlRow(Does::Select, target)));
}

QLabel* TSessen_Form::coefficientLabel(int coefficient) const
{
    return static_cast<QLabel*>(
        ControlOf(*this, *LabelOf(*FindControlRow(Does::Select, coefficient))));
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
    // Every caption again, in the palette's colours.
    applied_.reset();
    applyView();
}

void TSessen_Form::showShare(bool on)
{
    if (on == (shareView_ != nullptr && shareView_->isVisible()))
        return;
    if (shareView_ == nullptr) {
        // Made when first opened: a lesson that is never shared carries
        // none of it.
        shareView_ = new ShareView(this);
        shareView_->setLayoutScale(layoutScale_);
        connect(shareView_, &ShareView::copyClicked, this, &TSessen_Form::copyLink);
        connect(shareView_, &ShareView::closeClicked, this, [this] {
            follow(session_.Key(*FindCommandKey(KeyCommand::Share), player_->playing()));
        });
    }
    if (on) {
        const LessonLink link = session_.link();
        shareView_->showLink(QString::fromStdString(ShareAddress(pageAddress_.toStdString(), link)),
                             QString::fromStdString(LinkFragment(link)));
        focusBeforeShare_ = focusWidget();
        shareView_->setGeometry(rect());
        shareView_->show();
        shareView_->raise();
        // The lesson's controls behind the view neither take the focus nor
        // the pointer while it is open.
        scrollArea_->setEnabled(false);
        shareView_->firstControl()->setFocus(Qt::OtherFocusReason);
    } else {
        scrollArea_->setEnabled(true);
        shareView_->hide();
        (focusBeforeShare_ ? focusBeforeShare_.data() : ScrollBar1)->setFocus(Qt::OtherFocusReason);
    }
}

void TSessen_Form::copyLink(const QString& link)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setText(link);
    // A desktop without a clipboard to hold it takes nothing; say so rather
    // than that it was copied.
    const bool copied = clipboard->text() == link;
    const std::string_view said = Translated(copied ? kShareCopied : kShareCopyFailed);
    announcer_->say(QString::fromUtf8(said.data(), static_cast<qsizetype>(said.size())));
}

void TSessen_Form::copyPlot()
{
    session_.PaperDone(CopyPlotPicture(session_.lesson(), highContrast_)
                           ? PaperOutcome::Copied
                           : PaperOutcome::CopyRefused);
    applyView();
}

void TSessen_Form::savePlot()
{
    const QString path = AskPictureFile(this, session_.lesson());
    if (!path.isEmpty())
        savePlotTo(path);
}

void TSessen_Form::savePlotTo(const QString& path)
{
    QString error;
    if (SavePlotPicture(path, session_.lesson(), highContrast_, &error)) {
        session_.PaperDone(PaperOutcome::Saved, QFileInfo(path).fileName().toStdString());
        applyView();
        return;
    }
    // Said, and shown until the pupil has read it; the lesson goes on as it was.
    session_.PaperDone(PaperOutcome::SaveFailed, error.toStdString());
    applyView();
    QMessageBox::warning(this, QString::fromStdString(std::string(Translated(kSavePictureTitle))),
                         QString::fromStdString(session_.view().announcement));
}

void TSessen_Form::printPlot()
{
    bool touch = session_.view().touchPaperOn;
    PrintPlotDialog(this, session_.lesson(), highContrast_, touch);
    session_.SetTouchPaper(touch);
}

void TSessen_Form::showPlotMenu(const QPoint& at)
{
    QMenu menu(this);
    for (const PlotMenuEntry& entry : kPlotMenu) {
        const KeyRow* key = FindCommandKey(entry.command);
        const std::string_view caption = Translated(entry.caption);
        QAction* action = menu.addAction(
            QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size())));
        // Named as Qt writes it ("Ctrl+C" where a screen reader is told "Control+C").
        action->setShortcut(QKeySequence(QString::fromUtf8(key->name).replace(
            QLatin1String("Control+"), QLatin1String("Ctrl+"))));
        if (entry.checked != nullptr) {
            action->setCheckable(true);
            action->setChecked(session_.view().*entry.checked);
        }
        connect(action, &QAction::triggered, this,
                [this, key] { follow(session_.Key(*key, player_->playing())); });
    }
    menu.exec(PaintBox1->mapToGlobal(at));
}
