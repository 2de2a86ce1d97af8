#include "app/accessible_names.h"

#include "app/control_bindings.h"
#include "app/sessen_form.h"
#include "controls/control_roles.h"
#include "controls/control_table.h"
#include "lesson/catalogue.h"
#include "sound/lesson_sound.h"

#include <QAbstractButton>
#include <QAccessibleWidget>
#include <QScrollBar>

namespace {
QString Text(std::string_view utf8)
{
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

// The control table's row of a control, as its index.
constexpr char kRowProperty[] = "tavrineControlRow";

const ControlRow* RowOf(const QObject* object)
{
    const QVariant index = object->property(kRowProperty);
    if (!index.isValid())
        return nullptr;
    return &ControlTable()[index.toUInt()];
}

QString ShownText(const QWidget* widget)
{
    if (const auto* label = qobject_cast<const QLabel*>(widget))
        return label->text();
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
        return button->text();
    return {};
}

using Relations = QList<QPair<QAccessibleInterface*, QAccessible::Relation>>;

// The label relations the control table gives a control: the control it
// labels, and the controls that label it.
void AddTableRelations(const QWidget* widget, QAccessible::Relation match, Relations& relations)
{
    const ControlRow* row = RowOf(widget);
    const auto* form = qobject_cast<const TSessen_Form*>(widget->window());
    if (row == nullptr || form == nullptr)
        return;
    auto add = [&](const ControlRow& other, QAccessible::Relation relation) {
        if (QAccessibleInterface* iface =
                QAccessible::queryAccessibleInterface(ControlOf(*form, other)))
            relations.append({iface, relation});
    };
    if (const ControlRow* labelled = row->labelFor ? FindControlRow(row->labelFor) : nullptr;
        labelled != nullptr && (match & QAccessible::Labelled))
        add(*labelled, QAccessible::Labelled);
    if (const ControlRow* label = LabelOf(*row); label != nullptr && (match & QAccessible::Label))
        add(*label, QAccessible::Label);
}

// Labels, buttons, toggles, selectors and the plot.
class ControlAccessible : public QAccessibleWidget {
public:
    ControlAccessible(QWidget* widget, QAccessible::Role role) : QAccessibleWidget(widget, role) {}

    QString text(QAccessible::Text t) const override
    {
        const ControlRow* row = RowOf(widget());
        if (t != QAccessible::Name || row == nullptr || row->nameKind != NameKind::LiveText)
            return QAccessibleWidget::text(t);
        return QString::fromStdString(ControlName(*row, ShownText(widget()).toStdString()));
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        if (const auto* toggle = qobject_cast<const ToggleButton*>(widget())) {
            s.checkable = true;
            s.checked = toggle->isOn();
        } else if (const auto* selector = qobject_cast<const SpeedButton*>(widget())) {
            s.checkable = true;
            s.checked = selector->isChecked();
        }
        return s;
    }

    Relations relations(QAccessible::Relation match) const override
    {
        Relations found = QAccessibleWidget::relations(match);
        AddTableRelations(widget(), match, found);
        return found;
    }

    QStringList actionNames() const override
    {
        // A hidden control can be neither seen nor clicked: it offers nothing.
        if (!widget()->isVisible() || !widget()->isEnabled())
            return {};
        QStringList names = QAccessibleWidget::actionNames();
        if (form() != nullptr && qobject_cast<const PaintBox*>(widget()) != nullptr)
            names = QStringList{hearCurveAction(), hearTangentAction()} + names;
        else if (qobject_cast<const SpeedButton*>(widget()) != nullptr)
            names.prepend(toggleAction());
        else if (button() != nullptr)
            names.prepend(pressAction());
        return names;
    }

    void doAction(const QString& action) override
    {
        if (!actionNames().contains(action))
            return;
        // A click, as the mouse gives it: a selector toggles its latch and
        // then runs its handler, a button runs its handler.
        if (button() != nullptr && (action == pressAction() || action == toggleAction()))
            button()->click();
        else if (action == hearCurveAction() || action == hearTangentAction())
            form()->hearFromAction(action == hearTangentAction());
        else
            QAccessibleWidget::doAction(action);
    }

    QString localizedActionName(const QString& action) const override
    {
        // The plot's own actions are named in the lesson's language already.
        if (action == hearCurveAction() || action == hearTangentAction())
            return action;
        return QAccessibleWidget::localizedActionName(action);
    }

    QString localizedActionDescription(const QString& action) const override
    {
        if (action == hearCurveAction() || action == hearTangentAction())
            return action;
        return QAccessibleWidget::localizedActionDescription(action);
    }

private:
    static QString hearCurveAction() { return Text(Translated(kHearCurveAction)); }
    static QString hearTangentAction() { return Text(Translated(kHearTangentAction)); }

    QAbstractButton* button() const { return qobject_cast<QAbstractButton*>(widget()); }
    TSessen_Form* form() const { return qobject_cast<TSessen_Form*>(widget()->window()); }
};

// The two sliders: their value can be read and set, and stepped.
class ScrollBarAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit ScrollBarAccessible(ScrollNotifyBar* bar)
        : QAccessibleWidget(bar, QAccessible::ScrollBar)
    {
    }

    void* interface_cast(QAccessible::InterfaceType t) override
    {
        if (t == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return QString::number(bar()->value());
        return QAccessibleWidget::text(t);
    }

    Relations relations(QAccessible::Relation match) const override
    {
        Relations found = QAccessibleWidget::relations(match);
        AddTableRelations(widget(), match, found);
        return found;
    }

    QVariant currentValue() const override { return bar()->value(); }
    QVariant maximumValue() const override { return bar()->maximum(); }
    QVariant minimumValue() const override { return bar()->minimum(); }
    QVariant minimumStepSize() const override { return bar()->singleStep(); }

    void setCurrentValue(const QVariant& value) override
    {
        if (operable())
            bar()->moveForAssistant(value.toInt());
    }

    QStringList actionNames() const override
    {
        if (!operable())
            return {};
        return QStringList{increaseAction(), decreaseAction()} + QAccessibleWidget::actionNames();
    }

    void doAction(const QString& action) override
    {
        if (!actionNames().contains(action))
            return;
        if (action == increaseAction())
            bar()->stepForAssistant(QAbstractSlider::SliderSingleStepAdd);
        else if (action == decreaseAction())
            bar()->stepForAssistant(QAbstractSlider::SliderSingleStepSub);
        else
            QAccessibleWidget::doAction(action);
    }

private:
    ScrollNotifyBar* bar() const { return static_cast<ScrollNotifyBar*>(widget()); }
    bool operable() const { return widget()->isVisible() && widget()->isEnabled(); }
};

// What the window last said; a screen reader speaks it as it appears.
class AnnouncerAccessible : public QAccessibleWidget {
public:
    explicit AnnouncerAccessible(Announcer* announcer)
        : QAccessibleWidget(announcer, QAccessible::Notification)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return static_cast<const Announcer*>(widget())->message();
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface* LessonFactory(const QString&, QObject* object)
{
    auto* widget = qobject_cast<QWidget*>(object);
    if (widget == nullptr)
        return nullptr;
    if (qobject_cast<TSessen_Form*>(widget) != nullptr)
        return new QAccessibleWidget(widget, QAccessible::Window);
    if (auto* announcer = qobject_cast<Announcer*>(widget))
        return new AnnouncerAccessible(announcer);
    const ControlRow* row = RowOf(widget);
    if (row == nullptr)
        return nullptr;
    switch (RoleOf(row->kind)) {
    case ControlRole::Slider: {
        auto* bar = qobject_cast<ScrollNotifyBar*>(widget);
        return bar ? new ScrollBarAccessible(bar) : nullptr;
    }
    case ControlRole::Group:
        return nullptr; // Qt's own
    case ControlRole::CheckBox:
        return new ControlAccessible(widget, QAccessible::CheckBox);
    case ControlRole::Button:
        return new ControlAccessible(widget, QAccessible::Button);
    case ControlRole::Text:
        return new ControlAccessible(widget, QAccessible::StaticText);
    case ControlRole::Image:
        break;
    }
    return new ControlAccessible(widget, QAccessible::Graphic);
}

bool IsLessonInterface(QAccessibleInterface* iface)
{
    return dynamic_cast<ControlAccessible*>(iface) != nullptr ||
           dynamic_cast<ScrollBarAccessible*>(iface) != nullptr ||
           dynamic_cast<AnnouncerAccessible*>(iface) != nullptr ||
           iface->role() == QAccessible::Window;
}

// An interface made before the factory knew the control (a screen reader
// already running while the window was built) would keep Qt's plain one;
// drop it so that the next look-up makes the lesson's.
void ForgetPlainInterface(QWidget* widget)
{
    QAccessibleInterface* made = QAccessible::queryAccessibleInterface(widget);
    if (made != nullptr && !IsLessonInterface(made) && qobject_cast<QGroupBox*>(widget) == nullptr)
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
}
} // namespace

void NameControlsForScreenReaders(TSessen_Form& form)
{
    // Looked up before Qt's own factories.
    QAccessible::installFactory(&LessonFactory);

    form.setAccessibleName(Text(Translated(kLessonName)));
    form.setAccessibleDescription(Text(Translated(kLessonDescription)));
    ForgetPlainInterface(&form);
    ForgetPlainInterface(form.findChild<Announcer*>());

    const std::span<const ControlRow> rows = ControlTable();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const ControlRow& row = rows[i];
        QWidget* widget = ControlOf(form, row);
        widget->setProperty(kRowProperty, static_cast<uint>(i));
        // A live name is made from the shown text when it is read; a fixed
        // accessible name would hide the text's changes from Qt.
        widget->setAccessibleName(row.nameKind == NameKind::Fixed ? Text(RowName(row)) : QString());
        widget->setAccessibleDescription(Text(RowDescription(row)));
        ForgetPlainInterface(widget);
    }

    // The window's own scroll bars, which appear when it is made smaller than
    // the layout.
    for (QScrollBar* bar : form.findChildren<QScrollBar*>()) {
        if (qobject_cast<ScrollNotifyBar*>(bar) != nullptr)
            continue;
        const bool across = bar->orientation() == Qt::Horizontal;
        bar->setAccessibleName(
            Text(Translated(across ? "ウィンドウの横スクロール" : "ウィンドウの縦スクロール")));
        bar->setAccessibleDescription(
            Text(Translated(across ? "ウィンドウの幅が足りないとき、画面を左右に動かします"
                                   : "ウィンドウの高さが足りないとき、画面を上下に動かします")));
    }
}
