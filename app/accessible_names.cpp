#include "app/accessible_names.h"

#include "app/sessen_form.h"

#include <QAbstractButton>
#include <QAccessibleWidget>
#include <QScrollBar>

namespace {
// The fixed lead of a name that goes on with the control's current text.
constexpr char kLeadProperty[] = "tavrineAccessibleLead";

QString ShownText(const QWidget* widget)
{
    if (const auto* label = qobject_cast<const QLabel*>(widget))
        return label->text();
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
        return button->text();
    return {};
}

// A control whose name is its lead and the text it shows at the moment the
// name is read. A button keeps its press action, so a screen reader can
// still press it.
class LiveTextAccessible : public QAccessibleWidget {
public:
    explicit LiveTextAccessible(QWidget* widget)
        : QAccessibleWidget(widget, qobject_cast<QAbstractButton*>(widget)
                                        ? QAccessible::Button
                                        : QAccessible::StaticText)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        if (t != QAccessible::Name)
            return QAccessibleWidget::text(t);
        const QString lead = widget()->property(kLeadProperty).toString();
        const QString shown = ShownText(widget());
        return shown.isEmpty() ? lead : lead + QStringLiteral("：") + shown;
    }

    QStringList actionNames() const override
    {
        QStringList names = QAccessibleWidget::actionNames();
        if (button() && widget()->isEnabled())
            names.prepend(pressAction());
        return names;
    }

    void doAction(const QString& action) override
    {
        if (action == pressAction() && button() && widget()->isEnabled())
            button()->click();
        else
            QAccessibleWidget::doAction(action);
    }

private:
    QAbstractButton* button() const { return qobject_cast<QAbstractButton*>(widget()); }
};

QAccessibleInterface* LiveTextFactory(const QString&, QObject* object)
{
    auto* widget = qobject_cast<QWidget*>(object);
    if (widget == nullptr || !widget->property(kLeadProperty).isValid())
        return nullptr;
    return new LiveTextAccessible(widget);
}

enum class NameKind {
    Fixed,    // the name as written
    LiveText, // the name as a lead, followed by the control's current text
};

struct AccessibleText {
    QWidget* widget;
    NameKind kind;
    QString name;
    QString description;
};

void Apply(const AccessibleText& entry)
{
    if (entry.kind == NameKind::Fixed) {
        entry.widget->setAccessibleName(entry.name);
    } else {
        entry.widget->setProperty(kLeadProperty, entry.name);
        // An interface made before the control had its lead (a screen reader
        // already running while the window was built) would keep the plain
        // text as its name; drop it so that the next look-up makes the live one.
        QAccessibleInterface* made = QAccessible::queryAccessibleInterface(entry.widget);
        if (made != nullptr && dynamic_cast<LiveTextAccessible*>(made) == nullptr)
            QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
    }
    entry.widget->setAccessibleDescription(entry.description);
}
} // namespace

void NameControlsForScreenReaders(TSessen_Form& form)
{
    // Looked up before Qt's own factories, for every control that has a lead.
    QAccessible::installFactory(&LiveTextFactory);

    using enum NameKind;
    const TSessen_Form& f = form;
    const AccessibleText texts[] = {
        {&form, Fixed, "Tavrine 三次関数と接線",
         "三次関数の係数を入力して、グラフと変曲点、接線を調べるウィンドウ"},
        {f.PaintBox1, Fixed, "グラフ", "方眼の上に曲線と変曲点、接線を描いた座標平面"},
        {f.LblSetten, Fixed, "接点", "右にある接点の位置のスライダーの見出し"},
        {f.ScrollBar1, Fixed, "拡大・縮小",
         "グラフの表示範囲を変えるスライダー。右へ動かすと拡大、左へ動かすと縮小します"},
        {f.GroupBox1, Fixed, "条件入力ボタン", "係数を入力する数字のキーと決定のキー"},
        {f.GroupBox2, Fixed, "曲線の条件", "係数を選ぶボタン、係数の値と曲線の方程式"},
        {f.BtnSyuryo, Fixed, "終了", "プログラムを終了します"},
        {f.ScrollBar2, Fixed, "接点の位置",
         "接点を曲線に沿って動かすスライダー。動かすと接点での接線が引き直されます"},
        {f.BBtnSessenSu, LiveText, "接線の本数",
         "変曲点について対称な点での接線も引くかどうかを切り替えます"},
        {f.BBtnHojosen, LiveText, "補助線", "二つの接点を結ぶ補助線を引くかどうかを切り替えます"},
        {f.BtnMinus, Fixed, "マイナス", "選んでいる係数の符号をマイナスにします"},
        {f.BtnKettei, Fixed, "決定",
         "入力した係数を確定して、方程式とグラフを新しくし、次の係数に進みます"},
        {f.SbnSiki, Fixed, "曲線の方程式を選択",
         "係数ではなく曲線の方程式を選びます。数字のキーは何も入力しません"},
        {f.LblSiki, LiveText, "曲線の方程式", "確定した係数でできる曲線の方程式"},
        {f.Label2, LiveText, "三次関数の式", "係数 a, b, c, d を入力する三次関数の形"},
    };
    for (const AccessibleText& entry : texts)
        Apply(entry);

    // The keys by their digit.
    QWidget* const digitKeys[] = {f.Btn00, f.Btn01, f.Btn02, f.Btn03, f.Btn04,
                                  f.Btn05, f.Btn06, f.Btn07, f.Btn08, f.Btn09};
    for (int digit = 0; digit <= 9; ++digit) {
        Apply({digitKeys[digit], Fixed, QString::number(digit),
               QStringLiteral("選んでいる係数に数字 %1 を入力します").arg(digit)});
    }

    // Each coefficient's selector and the label under it.
    for (int n = 1; n <= kCoefficientCount; ++n) {
        const QChar letter(u'a' + (n - 1));
        Apply({f.selectorButton(n), Fixed, QStringLiteral("係数 %1 を選択").arg(letter),
               QStringLiteral("キーで入力する係数を %1 にします").arg(letter)});
        Apply({f.coefficientLabel(n), LiveText, QStringLiteral("係数 %1").arg(letter),
               QStringLiteral("係数 %1 の値。キーで入力し、決定で確定します").arg(letter)});
    }

    // The window's own scroll bars, which appear when it is made smaller than
    // the layout.
    for (QScrollBar* bar : form.findChildren<QScrollBar*>()) {
        if (qobject_cast<ScrollNotifyBar*>(bar) != nullptr)
            continue;
        const bool across = bar->orientation() == Qt::Horizontal;
        Apply({bar, Fixed,
               across ? QStringLiteral("ウィンドウの横スクロール")
                      : QStringLiteral("ウィンドウの縦スクロール"),
               across ? QStringLiteral("ウィンドウの幅が足りないとき、画面を左右に動かします")
                      : QStringLiteral("ウィンドウの高さが足りないとき、画面を上下に動かします")});
    }
}
