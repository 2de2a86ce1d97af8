#pragma once

#include <QWidget>

#include <vector>

// A QR code of a text, drawn as large as the widget allows in whole pixels
// per module, dark on white inside its four-module quiet zone, so that a
// phone or tablet reads it from the back of a classroom off a projector.
// The code is made on the device (Nayuki's qrcodegen, as the page's is).
class QrCodeView : public QWidget {
    Q_OBJECT
public:
    explicit QrCodeView(QWidget* parent);

    // The text to encode; empty draws nothing, as does a text too long for
    // any QR code (a lesson's link never is).
    void setText(const QString& text);

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override { return width; }
    QSize sizeHint() const override { return {360, 360}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int size_ = 0;              // modules along a side; 0: nothing to draw
    std::vector<bool> modules_; // row by row, true where dark
};
