#include "app/qr_code_view.h"

#include <QPainter>

#include <qrcodegen.hpp>

#include <algorithm>

namespace {
// The quiet zone the standard asks for around the code, in modules.
constexpr int kQuietModules = 4;
} // namespace

QrCodeView::QrCodeView(QWidget* parent) : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void QrCodeView::setText(const QString& text)
{
    size_ = 0;
    modules_.clear();
    if (!text.isEmpty()) {
        try {
            // Medium error correction, as the page encodes it: the same link
            // gives the same code in both editions.
            const qrcodegen::QrCode code = qrcodegen::QrCode::encodeText(
                text.toUtf8().constData(), qrcodegen::QrCode::Ecc::MEDIUM);
            size_ = code.getSize();
            modules_.reserve(static_cast<std::size_t>(size_ * size_));
            for (int y = 0; y < size_; ++y) {
                for (int x = 0; x < size_; ++x)
                    modules_.push_back(code.getModule(x, y));
            }
        } catch (const qrcodegen::data_too_long&) {
            size_ = 0;
        }
    }
    setAccessibleName(text);
    update();
}

void QrCodeView::paintEvent(QPaintEvent*)
{
    if (size_ == 0)
        return;
    QPainter painter(this);
    // Whole device pixels per module keep every edge sharp for a camera.
    const qreal ratio = devicePixelRatioF();
    const int side = static_cast<int>(std::min(width(), height()) * ratio);
    const int module = std::max(1, side / (size_ + 2 * kQuietModules));
    const int drawn = module * (size_ + 2 * kQuietModules);
    painter.scale(1 / ratio, 1 / ratio);
    const QPoint origin((static_cast<int>(width() * ratio) - drawn) / 2,
                        (static_cast<int>(height() * ratio) - drawn) / 2);
    painter.fillRect(QRect(origin, QSize(drawn, drawn)), Qt::white);
    const QPoint first = origin + QPoint(kQuietModules * module, kQuietModules * module);
    for (int y = 0; y < size_; ++y) {
        for (int x = 0; x < size_; ++x) {
            if (modules_[static_cast<std::size_t>(y * size_ + x)])
                painter.fillRect(first.x() + x * module, first.y() + y * module, module, module,
                                 Qt::black);
        }
    }
}
