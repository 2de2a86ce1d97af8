#pragma once

#include <QWidget>

#include <functional>

// A rectangle that the program draws on. It has no background of its own:
// every paint event hands the painter to the owner's paint routine, which
// redraws the whole area.
class PaintBox : public QWidget {
    Q_OBJECT
public:
    using PaintRoutine = std::function<void(QPainter&)>;

    explicit PaintBox(QWidget* parent = nullptr);

    void setPaintRoutine(PaintRoutine routine) { routine_ = std::move(routine); }

signals:
    // Emitted after each completed repaint.
    void painted();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    PaintRoutine routine_;
};
