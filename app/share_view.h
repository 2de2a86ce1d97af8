#pragma once

#include <QFrame>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QrCodeView;

// The share view, over the whole window (the whole screen in presentation
// mode): the lesson's link as a QR code to read from the back of the
// classroom, the link as text, and buttons to copy it and to close the
// view. The session decides when it is open (S, Escape, the plot's menu);
// the view only shows the link it is given and reports its buttons.
class ShareView : public QFrame {
    Q_OBJECT
public:
    explicit ShareView(QWidget* parent);

    // The link to hand out. Where the page's address is unknown (`address`
    // empty) the view says how to set it and shows `fragment` to type after
    // the page's address, without a QR code.
    void showLink(const QString& address, const QString& fragment);
    // The texts in the lesson's language, and at `factor` times their size
    // (presentation mode).
    void setLayoutScale(qreal factor);
    // Where the keyboard focus goes as the view opens.
    QWidget* firstControl() const;
    const QrCodeView* code() const { return code_; }

signals:
    void copyClicked(const QString& link);
    void closeClicked();

private:
    QLabel* title_;
    QLabel* description_;
    QrCodeView* code_;
    QPlainTextEdit* link_;
    QPushButton* copy_;
    QPushButton* close_;
};
