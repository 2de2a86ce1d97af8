// Builds the window's fixed layout: every control at its pixel position with
// its text, font, colours and keyboard order. Controls are created in
// stacking order, so where two touch the later one is drawn over the earlier.

#include "app/layout_fonts.h"
#include "app/qt_color.h"
#include "app/sessen_form.h"
#include "lesson/colors.h"

#include <QApplication>

namespace {
// The desktop's window-text colour, for fonts that follow the desktop.
QColor WindowTextColor()
{
    return QApplication::palette().color(QPalette::WindowText);
}

void SetBackground(QWidget* widget, const QColor& color)
{
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
    static void applyFont(QWidget* widget, LayoutFont key);
    static QLabel* label(QWidget* parent, QRect rect, const QString& text, LayoutFont font,
                         const QColor& background, Qt::Alignment alignment);
    PushButton* pushButton(QWidget* parent, QRect rect, const QString& text, LayoutFont font,
                           void (TSessen_Form::*handler)(QObject*));
    SpeedButton* speedButton(QRect rect, const QString& text, LayoutFont font,
                             void (TSessen_Form::*handler)(QObject*));
    QGroupBox* groupBox(QRect rect, const QString& title, LayoutFont font);
    ScrollNotifyBar* scrollBar(QRect rect, int position,
                               void (TSessen_Form::*handler)(QObject*, ScrollCode, int&));
    void buildKeypad();
    void buildCoefficientPanel();
    void setKeyboardOrder();
    void nameControls();

    TSessen_Form& form_;
};

void LayoutBuilder::applyFont(QWidget* widget, LayoutFont key)
{
    widget->setFont(MakeFont(key));
    const int64_t color = FontColor(key);
    QPalette palette = widget->palette();
    const QColor text = color < 0 ? WindowTextColor() : QtColor(static_cast<uint32_t>(color));
    for (QPalette::ColorRole role : {QPalette::ButtonText, QPalette::WindowText, QPalette::Text})
        palette.setColor(role, text);
    widget->setPalette(palette);
}

QLabel* LayoutBuilder::label(QWidget* parent, QRect rect, const QString& text, LayoutFont font,
                             const QColor& background, Qt::Alignment alignment)
{
    auto* label = new QLabel(text, parent);
    label->setGeometry(rect);
    applyFont(label, font);
    SetBackground(label, background);
    label->setAlignment(alignment);
    label->setWordWrap(false);
    return label;
}

PushButton* LayoutBuilder::pushButton(QWidget* parent, QRect rect, const QString& text,
                                      LayoutFont font, void (TSessen_Form::*handler)(QObject*))
{
    auto* button = new PushButton(text, parent);
    button->setGeometry(rect);
    applyFont(button, font);
    TSessen_Form* form = &form_;
    QObject::connect(button, &QAbstractButton::clicked, form,
                     [form, button, handler] { (form->*handler)(button); });
    return button;
}

SpeedButton* LayoutBuilder::speedButton(QRect rect, const QString& text, LayoutFont font,
                                        void (TSessen_Form::*handler)(QObject*))
{
    auto* button = new SpeedButton(text, form_.GroupBox2);
    button->setGeometry(rect);
    applyFont(button, font);
    form_.selectorGroup_->addButton(button);
    TSessen_Form* form = &form_;
    QObject::connect(button, &QAbstractButton::clicked, form,
                     [form, button, handler] { (form->*handler)(button); });
    return button;
}

QGroupBox* LayoutBuilder::groupBox(QRect rect, const QString& title, LayoutFont font)
{
    auto* box = new QGroupBox(title, form_.client_);
    box->setGeometry(rect);
    applyFont(box, font);
    SetBackground(box, QtColor(Bgr::MoneyGreen));
    box->setFocusPolicy(Qt::NoFocus);
    return box;
}

ScrollNotifyBar* LayoutBuilder::scrollBar(QRect rect, int position,
                                          void (TSessen_Form::*handler)(QObject*, ScrollCode, int&))
{
    auto* bar = new ScrollNotifyBar(form_.client_);
    bar->setGeometry(rect);
    bar->setValue(position);
    TSessen_Form* form = &form_;
    QObject::connect(
        bar, &ScrollNotifyBar::scroll, form,
        [form, bar, handler](ScrollCode code, int& pos) { (form->*handler)(bar, code, pos); });
    return bar;
}

void LayoutBuilder::build()
{
    TSessen_Form& f = form_;
    QWidget* client = f.client_;
    const QColor windowBackground = QtColor(Bgr::MoneyGreen);

    f.PaintBox1 = new PaintBox(f.session_.lesson(), client);
    f.PaintBox1->setGeometry(8, 29, 660, 660);
    f.LblSetten = label(client, {687, 360, 65, 25}, "接点", LayoutFont::F9, windowBackground,
                        Qt::AlignCenter);
    f.ScrollBar1 = scrollBar({48, 696, 569, 17}, 51, &TSessen_Form::ScrollBar1Scroll);
    f.GroupBox1 = groupBox({689, 451, 175, 242}, "条件入力ボタン", LayoutFont::F6);
    f.GroupBox2 = groupBox({689, 24, 318, 273}, "曲線の条件", LayoutFont::F5);
    f.BtnSyuryo = pushButton(client, {887, 628, 105, 49}, "終　了", LayoutFont::F4,
                             &TSessen_Form::BtnSyuryoClick);
    f.ScrollBar2 = scrollBar({751, 360, 249, 25}, 50, &TSessen_Form::ScrollBar2Scroll);
    f.BBtnSessenSu = pushButton(client, {695, 309, 129, 33}, "接 線 1 本", LayoutFont::F8,
                                &TSessen_Form::BBtnSessenSuClick);
    f.BBtnHojosen = pushButton(client, {855, 309, 129, 33}, "補助線なし", LayoutFont::F8,
                               &TSessen_Form::BBtnHojosenClick);

    buildKeypad();
    buildCoefficientPanel();
    setKeyboardOrder();
    nameControls();
}

void LayoutBuilder::nameControls()
{
    TSessen_Form& f = form_;
    const std::pair<QWidget*, const char*> controls[] = {
        {f.PaintBox1, "PaintBox1"},
        {f.LblSetten, "LblSetten"},
        {f.ScrollBar1, "ScrollBar1"},
        {f.GroupBox1, "GroupBox1"},
        {f.GroupBox2, "GroupBox2"},
        {f.BtnSyuryo, "BtnSyuryo"},
        {f.ScrollBar2, "ScrollBar2"},
        {f.BBtnSessenSu, "BBtnSessenSu"},
        {f.BBtnHojosen, "BBtnHojosen"},
        {f.Btn00, "Btn00"},
        {f.BtnKettei, "BtnKettei"},
        {f.Btn01, "Btn01"},
        {f.Btn02, "Btn02"},
        {f.Btn03, "Btn03"},
        {f.Btn04, "Btn04"},
        {f.Btn05, "Btn05"},
        {f.Btn06, "Btn06"},
        {f.Btn07, "Btn07"},
        {f.Btn08, "Btn08"},
        {f.Btn09, "Btn09"},
        {f.BtnMinus, "BtnMinus"},
        {f.SbnSiki, "SbnSiki"},
        {f.LblSiki, "LblSiki"},
        {f.SbnKeisuA, "SbnKeisuA"},
        {f.SbnKeisuB, "SbnKeisuB"},
        {f.SbnKeisuC, "SbnKeisuC"},
        {f.SbnKeisuD, "SbnKeisuD"},
        {f.LblKeisuA, "LblKeisuA"},
        {f.LblKeisuB, "LblKeisuB"},
        {f.LblKeisuC, "LblKeisuC"},
        {f.LblKeisuD, "LblKeisuD"},
        {f.Label2, "Label2"},
    };
    for (const auto& [widget, name] : controls)
        widget->setObjectName(QLatin1String(name));
}

void LayoutBuilder::buildKeypad()
{
    struct Key {
        PushButton* TSessen_Form::*member;
        int left;
        int top;
        const char* text;
        LayoutFont font;
        void (TSessen_Form::*handler)(QObject*);
    };
    // Three columns at a pitch of 48 pixels, one less than a key's size:
    // ７８９ / ４５６ / １２３ / ０－決定. Listed in stacking and keyboard order.
    static const Key keys[] = {
        {&TSessen_Form::Btn00, 16, 176, "０", LayoutFont::F2, &TSessen_Form::Btn00Click},
        {&TSessen_Form::BtnKettei, 112, 176, "決定", LayoutFont::F3, &TSessen_Form::BtnKetteiClick},
        {&TSessen_Form::Btn01, 16, 128, "１", LayoutFont::F2, &TSessen_Form::Btn01Click},
        {&TSessen_Form::Btn03, 112, 128, "３", LayoutFont::F2, &TSessen_Form::Btn03Click},
        {&TSessen_Form::Btn02, 64, 128, "２", LayoutFont::F2, &TSessen_Form::Btn02Click},
        {&TSessen_Form::Btn04, 16, 80, "４", LayoutFont::F2, &TSessen_Form::Btn04Click},
        {&TSessen_Form::BtnMinus, 64, 176, "－", LayoutFont::F2, &TSessen_Form::BtnMinusClick},
        {&TSessen_Form::Btn06, 112, 80, "６", LayoutFont::F2, &TSessen_Form::Btn06Click},
        {&TSessen_Form::Btn05, 64, 80, "５", LayoutFont::F2, &TSessen_Form::Btn05Click},
        {&TSessen_Form::Btn07, 16, 32, "７", LayoutFont::F2, &TSessen_Form::Btn07Click},
        {&TSessen_Form::Btn09, 112, 32, "９", LayoutFont::F2, &TSessen_Form::Btn09Click},
        {&TSessen_Form::Btn08, 64, 32, "８", LayoutFont::F2, &TSessen_Form::Btn08Click},
    };
    for (const Key& key : keys) {
        form_.*key.member = pushButton(form_.GroupBox1, {key.left, key.top, 49, 49},
                                       QString::fromUtf8(key.text), key.font, key.handler);
    }
}

void LayoutBuilder::buildCoefficientPanel()
{
    TSessen_Form& f = form_;
    const QColor tooltip = QApplication::palette().color(QPalette::ToolTipBase);
    const Qt::Alignment centred = Qt::AlignCenter;

    f.SbnSiki =
        speedButton({8, 176, 129, 33}, "曲線の方程式", LayoutFont::F7, &TSessen_Form::SbnSikiClick);
    f.LblSiki = label(f.GroupBox2, {8, 207, 297, 34}, QString(), LayoutFont::F5, tooltip,
                      Qt::AlignLeft | Qt::AlignVCenter);
    f.SbnKeisuA =
        speedButton({24, 88, 49, 33}, "a=", LayoutFont::F10, &TSessen_Form::SbnKeisuAClick);
    f.SbnKeisuB =
        speedButton({96, 88, 49, 33}, "b=", LayoutFont::F10, &TSessen_Form::SbnKeisuBClick);
    f.LblKeisuA =
        label(f.GroupBox2, {24, 120, 49, 33}, QString(), LayoutFont::F5, tooltip, centred);
    f.LblKeisuB =
        label(f.GroupBox2, {96, 120, 49, 33}, QString(), LayoutFont::F5, tooltip, centred);
    f.LblKeisuC =
        label(f.GroupBox2, {168, 120, 49, 33}, QString(), LayoutFont::F5, tooltip, centred);
    f.LblKeisuD =
        label(f.GroupBox2, {240, 120, 49, 33}, QString(), LayoutFont::F5, tooltip, centred);
    f.SbnKeisuD =
        speedButton({240, 88, 49, 33}, "d=", LayoutFont::F10, &TSessen_Form::SbnKeisuDClick);
    f.SbnKeisuC =
        speedButton({168, 88, 49, 33}, "c=", LayoutFont::F10, &TSessen_Form::SbnKeisuCClick);
    f.Label2 = label(f.GroupBox2, {24, 32, 273, 41}, "y=ax^3+bx^2+cx+d", LayoutFont::F11,
                     QtColor(Bgr::MoneyGreen), Qt::AlignLeft | Qt::AlignTop);
}

void LayoutBuilder::setKeyboardOrder()
{
    TSessen_Form& f = form_;
    QWidget* const chain[] = {f.ScrollBar1,   f.Btn00,      f.BtnKettei, f.Btn01,     f.Btn03,
                              f.Btn02,        f.Btn04,      f.BtnMinus,  f.Btn06,     f.Btn05,
                              f.Btn07,        f.Btn09,      f.Btn08,     f.BtnSyuryo, f.ScrollBar2,
                              f.BBtnSessenSu, f.BBtnHojosen};
    for (std::size_t i = 1; i < std::size(chain); ++i)
        QWidget::setTabOrder(chain[i - 1], chain[i]);
}

void BuildLayout(TSessen_Form& form)
{
    LayoutBuilder(form).build();
}
