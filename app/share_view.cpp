#include "app/share_view.h"

#include "app/qr_code_view.h"
#include "entry/lesson_share.h"
#include "lesson/catalogue.h"

#include <QGridLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {
QString Text(const char* japanese)
{
    const std::string_view text = Translated(japanese);
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Character heights in the window's own pixels, before presentation mode's
// scale: the title to be read across the room, the rest at reading size.
constexpr int kTitlePixels = 36;
constexpr int kTextPixels = 20;
} // namespace

ShareView::ShareView(QWidget* parent)
    : QFrame(parent), title_(new QLabel(this)), description_(new QLabel(this)),
      code_(new QrCodeView(this)), link_(new QPlainTextEdit(this)), copy_(new QPushButton(this)),
      close_(new QPushButton(this))
{
    setAutoFillBackground(true);
    setFrameShape(QFrame::NoFrame);
    title_->setText(Text(kShareTitle));
    copy_->setText(Text(kShareCopy));
    close_->setText(Text(kShareClose));
    setAccessibleName(title_->text());
    setAccessibleDescription(Text(kShareDescription));
    description_->setWordWrap(true);
    // The link is read and selected, never edited; a long one wraps
    // anywhere, as it has no spaces.
    link_->setReadOnly(true);
    link_->setWordWrapMode(QTextOption::WrapAnywhere);
    link_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    link_->setAccessibleName(Text(kShareLink));
    connect(copy_, &QPushButton::clicked, this, [this] { emit copyClicked(link_->toPlainText()); });
    connect(close_, &QPushButton::clicked, this, &ShareView::closeClicked);

    auto* grid = new QGridLayout(this);
    grid->addWidget(title_, 0, 0, 1, 2);
    grid->addWidget(code_, 1, 0, 5, 1);
    grid->addWidget(description_, 1, 1);
    grid->addWidget(link_, 2, 1);
    grid->addWidget(copy_, 3, 1);
    grid->addWidget(close_, 4, 1);
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(1, 2);
    // What is left below the buttons, beside the code.
    grid->setRowStretch(5, 1);
    setLayoutScale(1);
}

void ShareView::showLink(const QString& address, const QString& fragment)
{
    code_->setText(address);
    code_->setVisible(!address.isEmpty());
    // Without a code, the texts take the whole width.
    static_cast<QGridLayout*>(layout())->setColumnStretch(0, address.isEmpty() ? 0 : 3);
    description_->setText(Text(address.isEmpty() ? kShareNoPageAddress : kShareDescription));
    link_->setPlainText(address.isEmpty() ? QLatin1Char('#') + fragment : address);
}

void ShareView::setLayoutScale(qreal factor)
{
    QFont title = font();
    title.setPixelSize(qRound(kTitlePixels * factor));
    title.setBold(true);
    title_->setFont(title);
    QFont text = font();
    text.setPixelSize(qRound(kTextPixels * factor));
    for (QWidget* widget : {static_cast<QWidget*>(description_), static_cast<QWidget*>(link_),
                            static_cast<QWidget*>(copy_), static_cast<QWidget*>(close_)})
        widget->setFont(text);
    // Room for a long link's four lines.
    link_->setFixedHeight(QFontMetrics(text).lineSpacing() * 4 + qRound(12 * factor));
    const int margin = qRound(24 * factor);
    layout()->setContentsMargins(margin, margin, margin, margin);
    layout()->setSpacing(qRound(16 * factor));
}

QWidget* ShareView::firstControl() const
{
    return copy_;
}
