#pragma once

// TSessen_Form is the lesson's one window and the owner of its state.
//
// How the pieces fit: the window owns the lesson's session (LessonSession,
// which holds the LessonState record and everything the controls show) and
// every control of the fixed 1007 x 713 layout, built by LayoutBuilder
// (sessen_layout.cpp) from the control table (controls/control_table.h)
// inside a scroll area, so that a smaller window scrolls the layout. Each
// control event runs one handler below, named after the control and bound to
// it in control_bindings.cpp. The handlers stay thin: they pass the event to
// the session and apply the value it gives back (applyView). The plot's layers
// (plot/) record what they draw as geometry; PaintBox1 draws it with QPainter
// (plot_painter.h), the unchanging base from a cache and the tangent layer
// over it (cached_plot.h). The window's PaintBox1Paint repaints it
// synchronously, so a handler that changed the lesson returns with the new
// picture on screen.

#include "app/announcer.h"
#include "app/buttons.h"
#include "app/paint_box.h"
#include "app/scroll_notify_bar.h"
#include "app/sound_player.h"
#include "controls/control_table.h"
#include "entry/lesson_session.h"
#include "lesson/lesson_state.h"
#include "lesson/tangent_toggles.h"

#include <QGroupBox>
#include <QLabel>
#include <QPointer>
#include <QScrollArea>
#include <QWidget>

#include <array>
#include <optional>

class ShareView;

class TSessen_Form : public QWidget {
    Q_OBJECT
public:
    explicit TSessen_Form(QWidget* parent = nullptr);

    const LessonState& lesson() const { return session_.lesson(); }
    const LessonView& view() const { return session_.view(); }

    // The window's outer size and the extent of its fixed layout.
    static constexpr QSize kOuterSize{kWindowWidth, kWindowHeight};
    static constexpr QSize kLayoutExtent{1007, 713};

    // Controls, named as in the layout. The window owns them all.
    PaintBox* PaintBox1 = nullptr;
    QLabel* LblSetten = nullptr;
    ScrollNotifyBar* ScrollBar1 = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    QGroupBox* GroupBox2 = nullptr;
    PushButton* BtnSyuryo = nullptr;
    ScrollNotifyBar* ScrollBar2 = nullptr;
    ToggleButton* BBtnSessenSu = nullptr;
    ToggleButton* BBtnHojosen = nullptr;
    // Keypad, in GroupBox1.
    PushButton* Btn00 = nullptr;
    PushButton* BtnKettei = nullptr;
    PushButton* Btn01 = nullptr;
    PushButton* Btn02 = nullptr;
    PushButton* Btn03 = nullptr;
    PushButton* Btn04 = nullptr;
    PushButton* Btn05 = nullptr;
    PushButton* Btn06 = nullptr;
    PushButton* Btn07 = nullptr;
    PushButton* Btn08 = nullptr;
    PushButton* Btn09 = nullptr;
    PushButton* BtnMinus = nullptr;
    // Coefficient panel, in GroupBox2.
    SpeedButton* SbnSiki = nullptr;
    QLabel* LblSiki = nullptr;
    SpeedButton* SbnKeisuA = nullptr;
    SpeedButton* SbnKeisuB = nullptr;
    QLabel* LblKeisuA = nullptr;
    QLabel* LblKeisuB = nullptr;
    QLabel* LblKeisuC = nullptr;
    QLabel* LblKeisuD = nullptr;
    SpeedButton* SbnKeisuD = nullptr;
    SpeedButton* SbnKeisuC = nullptr;
    QLabel* Label2 = nullptr;

    // Window events.
    void FormCreate(QObject* sender);
    void Syokika(QObject* sender);

    // The lesson of a link (entry/lesson_link.h): the lesson the window
    // starts with when it first gets the focus, in place of the reset's
    // (--open); once started, opened at once.
    void openLink(const QString& link);
    void PaintBox1Paint(QObject* sender);

    // Every control's event goes to the session with the control's row
    // (bound in sessen_layout.cpp), and the window does what it answers.
    void press(const ControlRow& row);
    void scroll(const ControlRow& row, ScrollCode code, int& scrollPos);
    void pointer(const ControlRow& row, PointerPhase phase, const PlotPointer& at);

    // The selector button of target 1..5 and the label of coefficient 1..4.
    SpeedButton* selectorButton(int target) const;
    QLabel* coefficientLabel(int coefficient) const;

    // Presentation mode: full screen, the whole lesson drawn as large as the
    // screen allows. F11 switches it on and off; Escape leaves it.
    void setPresenting(bool on);
    bool presenting() const { return presenting_; }

    // Every control's place, size and font, and the plot, at `factor` times
    // the layout's own; 1 outside presentation mode.
    void setLayoutScale(qreal factor);
    qreal layoutScale() const { return layoutScale_; }

    const Announcer* announcer() const { return announcer_; }

    // The high-contrast palette (lesson/contrast_palette.h) in place of the
    // lesson's colours, for a washed-out projector or a pupil who sees
    // little contrast: darker captions, the window's text black, the labels
    // and buttons on the lesson's own faces whatever the desktop's theme,
    // and the plot's faint lines darkened.
    void setHighContrast(bool on);
    bool highContrast() const { return highContrast_; }

    // The plot as sound: Alt+T switches it on and off, H plays the curve,
    // Shift+H the tangent then the curve, H again or Escape stops it. The
    // plot's two actions for screen readers play the same, switching the
    // sound on first.
    void hearFromAction(bool tangentFirst);
    const SoundPlayer* soundPlayer() const { return player_; }

    // The share view (S, Escape, the plot's menu): the lesson's link on the
    // page served at `address` (--page-url, the setting page/url), as a QR
    // code and as text; without an address, the fragment to type.
    void setPageAddress(const QString& address) { pageAddress_ = address; }
    // The plot printed for touch reading (Ctrl+Shift+P, --touch-reader).
    void setTouchPaper(bool on) { session_.SetTouchPaper(on); }

    // The plot copied (Ctrl+C), saved (Ctrl+S) to a file the pupil chooses
    // and printed (Ctrl+P); what came of it is said.
    void copyPlot();
    void savePlot();
    void savePlotTo(const QString& path);
    void printPlot();

    // Null until the view is first opened.
    const ShareView* shareView() const { return shareView_; }

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    friend class LayoutBuilder;

    // Does what the session answered to an event: draws the plot again,
    // ends the lesson, goes into or out of presentation mode, and shows the
    // view.
    void follow(After after);
    // Shows what the session gives after an event, and says its sentence.
    void applyView();
    // Starts or stops the sound as the session's view asks; the session is
    // told when there was no device to play on.
    void applySound(SoundCue cue);
    void fitOuterSize();
    // Opens or closes the share view over the whole window, as the session
    // says; the lesson behind it takes no focus meanwhile.
    void showShare(bool on);
    void copyLink(const QString& link);
    void showPlotMenu(const QPoint& at);
    // A caption's colour as the window shows it, in either palette.
    uint32_t shownColor(uint32_t bgr) const;

    // The lesson, what its controls show and what is said; every handler
    // passes its event on to it and then applies its view.
    LessonSession session_;
    // What the controls were last set to show, to set only what changes.
    std::optional<LessonView> applied_;
    QScrollArea* scrollArea_ = nullptr;
    QWidget* client_ = nullptr;
    SpeedButtonGroup* selectorGroup_ = nullptr;
    Announcer* announcer_ = nullptr;
    SoundPlayer* player_ = nullptr;
    bool lessonStarted_ = false;
    QString startLink_; // the lesson to start with, where one was given
    bool outerSizeFitted_ = false;
    bool presenting_ = false;
    bool highContrast_ = false;
    qreal layoutScale_ = 1;
    ShareView* shareView_ = nullptr; // made when first opened
    QString pageAddress_;
    QPointer<QWidget> focusBeforeShare_; // where the focus goes back to
    QRect normalGeometry_;               // where the window was before presentation mode
};

// Creates every control of the window's layout from the control table
// (sessen_layout.cpp).
void BuildLayout(TSessen_Form& form);
