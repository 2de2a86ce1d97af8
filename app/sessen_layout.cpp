// Builds the window's fixed layout from the control table: every control at
// its pixel position with its text, font, colours and keyboard order, its
// events bound to the session.
// Controls are created in the table's stacking order, so where two touch the
// later one is drawn over the earlier.

#include "app/control_bindings.h"
#include "app/layout_fonts.h"
#include "app/qt_color.h"
#include "app/sessen_form.h"
#include "lesson/colors.h"

#include <QApplication>

namespace {
// The caption in the pupil's language.
QString CaptionOf(const ControlRow& row)
{
    const std::string_view caption = RowCaption(row);
    return QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size()));
}

// The desktop's window-text colour, for fonts that follow the desktop.
QColor WindowTextColor()
{
    return QApplication::palette().color(QPalette::WindowText);
}

Qt::Alignment QtAlignment(Alignment alignment)
{
    switch (alignment) {
    case Alignment::Centre:
        return Qt::AlignCenter;
    case Alignment::LeftMiddle:
        return Qt::AlignLeft | Qt::AlignVCenter;
    case Alignment::TopLeft:
        return Qt::AlignLeft | Qt::AlignTop;
    case Alignment::Natural:
        break;
    }
    return {};
}

void ApplyFont(QWidget* widget, const ControlRow& row)
{
    widget->setFont(CaptionFont(row));
    const std::optional<uint32_t> color = row.captionColor;
    QPalette palette = widget->palette();
    const QColor text = color ? QtColor(*color) : WindowTextColor();
    for (QPalette::ColorRole role : {QPalette::ButtonText, QPalette::WindowText, QPalette::Text})
        palette.setColor(role, text);
    widget->setPalette(palette);
}

void ApplyBackground(QWidget* widget, Background background)
{
    QColor color;
    switch (background) {
    case Background::None:
        return;
    case Background::WindowBackground:
        color = QtColor(Bgr::MoneyGreen);
        break;
    case Background::TooltipBackground:
        color = QApplication::palette().color(QPalette::ToolTipBase);
        break;
    }
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, color);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}
} // namespace

class LayoutBuilder {
public:
    explicit LayoutBuilder(TSessen_Form& form) : form_(form) {}

    void build();

private:
    QWidget* parentOf(const ControlRow& row) const;
    // One per kind of control, chosen by the type of the row's member.
    QWidget* make(const ControlRow& row, PaintBox* TSessen_Form::*member);
    QWidget* make(const ControlRow& row, QLabel* TSessen_Form::*member);
    QWidget* make(const ControlRow& row, ScrollNotifyBar* TSessen_Form::*member);
    QWidget* make(const ControlRow& row, QGroupBox* TSessen_Form::*member);
    QWidget* make(const ControlRow& row, PushButton* TSessen_Form::*member);
    QWidget* make(const ControlRow& row, ToggleButton* TSessen_Form::*member);
    QWidget* make(const ControlRow& row, SpeedButton* TSessen_Form::*member);
    void wire(const ControlRow& row, QWidget* widget);
    void setKeyboardOrder();

    TSessen_Form& form_;
};

QWidget* LayoutBuilder::parentOf(const ControlRow& row) const
{
    switch (row.parent) {
    case Parent::GroupBox1:
        return form_.GroupBox1;
    case Parent::GroupBox2:
        return form_.GroupBox2;
    case Parent::Window:
        break;
    }
    return form_.client_;
}

QWidget* LayoutBuilder::make(const ControlRow& row, PaintBox* TSessen_Form::*member)
{
    return form_.*member = new PaintBox(form_.session_, parentOf(row));
}

QWidget* LayoutBuilder::make(const ControlRow& row, QLabel* TSessen_Form::*member)
{
    auto* label = new QLabel(CaptionOf(row), parentOf(row));
    label->setAlignment(QtAlignment(row.alignment));
    label->setWordWrap(false);
    return form_.*member = label;
}

QWidget* LayoutBuilder::make(const ControlRow& row, ScrollNotifyBar* TSessen_Form::*member)
{
    return form_.*member = new ScrollNotifyBar(parentOf(row));
}

QWidget* LayoutBuilder::make(const ControlRow& row, QGroupBox* TSessen_Form::*member)
{
    auto* box = new QGroupBox(CaptionOf(row), parentOf(row));
    box->setFocusPolicy(Qt::NoFocus);
    return form_.*member = box;
}

QWidget* LayoutBuilder::make(const ControlRow& row, PushButton* TSessen_Form::*member)
{
    return form_.*member = new PushButton(CaptionOf(row), parentOf(row));
}

QWidget* LayoutBuilder::make(const ControlRow& row, ToggleButton* TSessen_Form::*member)
{
    return form_.*member = new ToggleButton(CaptionOf(row), parentOf(row));
}

QWidget* LayoutBuilder::make(const ControlRow& row, SpeedButton* TSessen_Form::*member)
{
    auto* button = new SpeedButton(CaptionOf(row), parentOf(row));
    form_.selectorGroup_->addButton(button);
    return form_.*member = button;
}

void LayoutBuilder::wire(const ControlRow& row, QWidget* widget)
{
    // Every event goes to the session with the control's row: a button's
    // press, a slider's scroll, a pointer on the plot.
    TSessen_Form* form = &form_;
    switch (row.kind) {
    case ControlKind::PushButton:
    case ControlKind::Toggle:
    case ControlKind::Selector:
        QObject::connect(static_cast<QAbstractButton*>(widget), &QAbstractButton::clicked, form,
                         [form, &row] { form->press(row); });
        break;
    case ControlKind::Slider:
        QObject::connect(static_cast<ScrollNotifyBar*>(widget), &ScrollNotifyBar::scroll, form,
                         [form, &row](ScrollCode code, int& pos) { form->scroll(row, code, pos); });
        break;
    case ControlKind::Plot:
        QObject::connect(static_cast<PaintBox*>(widget), &PaintBox::pointer, form,
                         [form, &row](PointerPhase phase, const PlotPointer& at) {
                             form->pointer(row, phase, at);
                         });
        break;
    case ControlKind::Label:
    case ControlKind::GroupBox:
        break;
    }
}

void LayoutBuilder::build()
{
    for (const ControlRow& row : ControlTable()) {
        QWidget* widget =
            std::visit([&](auto member) { return make(row, member); }, BindingOf(row).member);
        widget->setObjectName(QLatin1String(row.id));
        widget->setGeometry(RectOf(row.place));
        if (row.font)
            ApplyFont(widget, row);
        ApplyBackground(widget, row.background);
        wire(row, widget);
    }
    setKeyboardOrder();
}

void LayoutBuilder::setKeyboardOrder()
{
    QWidget* previous = nullptr;
    for (const ControlRow* row : KeyboardOrder()) {
        QWidget* widget = ControlOf(form_, *row);
        if (previous != nullptr)
            QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
}

void BuildLayout(TSessen_Form& form)
{
    LayoutBuilder(form).build();
}
