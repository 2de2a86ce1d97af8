// The lesson window on a high-density screen or a projector scaled up by the
// desktop (run with QT_SCALE_FACTOR set, at 2 and at 1.5): the whole layout
// grows by the factor, nothing overlaps or is cut off, and the plot is drawn
// at the screen's own resolution from the same 660 x 660 arithmetic.

#include "window_fixture.h"

#include "app/plot_painter.h"
#include "lesson/colors.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>

#include <cmath>
#include <memory>

namespace {
constexpr int kPlotSize = 660;

// The plot's colours; anything else in the plot area would be a blend.
const uint32_t kPlotColors[] = {Bgr::White, Bgr::Silver, Bgr::Black,  Bgr::Red,
                                Bgr::Blue,  Bgr::Lime,   Bgr::Purple, Bgr::Green};

// The device pixel at the middle of a logical pixel.
QPoint DevicePixel(QPoint logical, qreal ratio)
{
    return QPoint(static_cast<int>(std::floor((logical.x() + 0.5) * ratio)),
                  static_cast<int>(std::floor((logical.y() + 0.5) * ratio)));
}

// The device pixels that show a logical pixel: those it covers, and those
// half a pixel up and to the left, since on a scaled screen QPainter centres
// a line on its coordinates where one device pixel per pixel draws it to
// their right and below.
QRect DeviceSpan(QPoint logical, qreal ratio)
{
    const auto from = [ratio](int k) { return static_cast<int>(std::floor((k - 0.5) * ratio)); };
    const auto to = [ratio](int k) { return static_cast<int>(std::ceil((k + 1) * ratio)) - 1; };
    return QRect(QPoint(from(logical.x()), from(logical.y())),
                 QPoint(to(logical.x()), to(logical.y())));
}

bool ShowsColor(const QImage& image, const QRect& span, QRgb color)
{
    const QRect inside = span & image.rect();
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x) {
            if (image.pixel(x, y) == color)
                return true;
        }
    }
    return false;
}

// The controls of one parent that the layout places side by side.
QList<QWidget*> LaidOutChildren(const QWidget* parent)
{
    return parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
}

QString Describe(const QWidget* w)
{
    return QStringLiteral("%1 \"%2\" at %3,%4 %5x%6")
        .arg(QLatin1String(w->metaObject()->className()), w->objectName())
        .arg(w->x())
        .arg(w->y())
        .arg(w->width())
        .arg(w->height());
}

QString ShownText(const QWidget* w)
{
    if (const auto* label = qobject_cast<const QLabel*>(w))
        return label->text();
    if (const auto* button = qobject_cast<const QAbstractButton*>(w))
        return button->text();
    return {};
}
} // namespace

class TestScaling : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase() { form_.reset(); }

    void windowIsScaledAsAWhole();
    void plotKeepsItsLogicalGeometry();
    void controlsStayInsideTheirParents();
    void controlsOnlyTouchWhereTheLayoutSaysSo();
    void captionsFitTheirControls();
    void windowPixelsAtScaledPositions();
    void plotOutlineIsWhole();
    void plotIsTheSamePictureAtTheScreensResolution();
    void plotIsSharp();

private:
    std::unique_ptr<TSessen_Form> form_;
    qreal ratio_ = 1;
    QImage window_;
    QImage plot_;
};

void TestScaling::initTestCase()
{
    const QByteArray factor = qgetenv("QT_SCALE_FACTOR");
    QVERIFY2(!factor.isEmpty(), "run with QT_SCALE_FACTOR set, e.g. 2 or 1.5");
    ratio_ = factor.toDouble();
    QVERIFY2(ratio_ > 1, factor.constData());

    form_ = StartedForm();
    window_ = form_->grab().toImage().convertToFormat(QImage::Format_RGB32);
    plot_ = PlotPicture(*form_);
}

void TestScaling::windowIsScaledAsAWhole()
{
    QCOMPARE(form_->devicePixelRatioF(), ratio_);
    QCOMPARE(form_->PaintBox1->devicePixelRatioF(), ratio_);
    QCOMPARE(form_->frameGeometry().size(), TSessen_Form::kOuterSize);
    QCOMPARE(window_.size(), (QSizeF(form_->size()) * ratio_).toSize());
    QCOMPARE(window_.devicePixelRatio(), ratio_);

    // The layout fits the window as at 96 dpi: no scroll bar shows.
    const auto* area = form_->findChild<QScrollArea*>();
    QVERIFY(area != nullptr);
    QVERIFY(!area->horizontalScrollBar()->isVisible());
    QVERIFY(!area->verticalScrollBar()->isVisible());
    QCOMPARE(area->widget()->size(), TSessen_Form::kLayoutExtent);
}

void TestScaling::plotKeepsItsLogicalGeometry()
{
    QCOMPARE(form_->PaintBox1->geometry(), QRect(8, 29, kPlotSize, kPlotSize));
    QCOMPARE(form_->lesson().ZahyoMax, 20);
    QCOMPARE(plot_.size(), QSize(kPlotSize, kPlotSize) * ratio_);
}

void TestScaling::controlsStayInsideTheirParents()
{
    for (const QWidget* parent :
         {form_->PaintBox1->parentWidget(), static_cast<QWidget*>(form_->GroupBox1),
          static_cast<QWidget*>(form_->GroupBox2)}) {
        for (const QWidget* w : LaidOutChildren(parent)) {
            QVERIFY2(parent->rect().contains(w->geometry()), qPrintable(Describe(w)));
        }
    }
}

void TestScaling::controlsOnlyTouchWhereTheLayoutSaysSo()
{
    // Neighbouring keys, a coefficient button and its label, "接点" and its
    // slider share an edge of one pixel, the equation button and text two;
    // no two controls of one parent overlap more than that.
    for (const QWidget* parent :
         {form_->PaintBox1->parentWidget(), static_cast<QWidget*>(form_->GroupBox1),
          static_cast<QWidget*>(form_->GroupBox2)}) {
        const QList<QWidget*> children = LaidOutChildren(parent);
        for (qsizetype i = 0; i < children.size(); ++i) {
            for (qsizetype j = i + 1; j < children.size(); ++j) {
                const QRect shared = children[i]->geometry() & children[j]->geometry();
                QVERIFY2(shared.isEmpty() || std::min(shared.width(), shared.height()) <= 2,
                         qPrintable(Describe(children[i]) + " and " + Describe(children[j])));
            }
        }
    }
}

void TestScaling::captionsFitTheirControls()
{
    // Text is measured on the scaled screen: a face whose hinting made it
    // wider there would cut the caption off.
    for (const QWidget* w : form_->findChildren<QWidget*>()) {
        const QString text = ShownText(w);
        if (text.isEmpty() || !w->isVisible())
            continue;
        const QFontMetricsF metrics(w->font(), w);
        QVERIFY2(metrics.horizontalAdvance(text) <= w->width(),
                 qPrintable(Describe(w) + " cannot show \"" + text + "\""));
    }
}

void TestScaling::windowPixelsAtScaledPositions()
{
    struct Expected {
        QPoint logical;
        uint32_t bgr;
        const char* what;
    };
    // Window coordinates; the plot's top-left pixel is (8, 29), its centre
    // (338, 359), one curve unit 33 pixels.
    const Expected pixels[] = {
        {{2, 2}, Bgr::MoneyGreen, "window background, top left"},
        {{1015, 760}, Bgr::MoneyGreen, "window background, bottom right"},
        {{678, 20}, Bgr::MoneyGreen, "between the plot and the coefficient panel"},
        {{8, 200}, Bgr::Silver, "plot outline, left"},
        {{667, 200}, Bgr::Silver, "plot outline, right"},
        {{338, 100}, Bgr::Black, "y axis"},
        {{338 + 33, 100}, Bgr::Silver, "grid line x = 1"},
        {{338, 359 + 5 * 33}, Bgr::Black, "y axis below the curve"},
        {{348, 145}, Bgr::White, "plot background"},
        {{338, 358}, Bgr::Lime, "inflection point"},
        {{100, 359}, Bgr::Blue, "tangent at the inflection point"},
    };
    for (const Expected& e : pixels) {
        QVERIFY2(ShowsColor(window_, DeviceSpan(e.logical, ratio_), Rgb(e.bgr).rgb()), e.what);
    }

    // The curve y = x^3 passes through (1, 1) and (-1, -1).
    for (const QPoint logical : {QPoint(338 + 33, 359 - 33), QPoint(338 - 33, 359 + 33)})
        QVERIFY(ShowsColor(window_, DeviceSpan(logical, ratio_), Rgb(Bgr::Red).rgb()));
}

void TestScaling::plotOutlineIsWhole()
{
    // The silver outline keeps its whole width on all four sides: the
    // outermost device pixels of the plot are silver, and at a whole ratio
    // so are the ones within the outline's width (at 1.5 a one-pixel line
    // falls on one device pixel or two, depending on where it lies).
    const int last = plot_.width() - 1;
    const int inner = ratio_ == std::floor(ratio_) ? static_cast<int>(ratio_) - 1 : 0;
    const QRgb silver = Rgb(Bgr::Silver).rgb();
    const int along = static_cast<int>(200 * ratio_);
    for (const int depth : {0, inner}) {
        QCOMPARE(plot_.pixel(depth, along), silver);
        QCOMPARE(plot_.pixel(last - depth, along), silver);
        QCOMPARE(plot_.pixel(along, depth), silver);
        QCOMPARE(plot_.pixel(along, last - depth), silver);
    }
}

void TestScaling::plotIsTheSamePictureAtTheScreensResolution()
{
    // The plot painted from the same lesson on a plain 660 x 660 image; the
    // scaled plot, seen at the middle of each of its logical pixels, shows
    // that picture, give or take where a line's edge falls.
    QImage reference(kPlotSize, kPlotSize, QImage::Format_RGB32);
    {
        QPainter painter(&reference);
        PaintPlot(painter, form_->lesson(), kPlotSize, kPlotSize);
    }
    int misplaced = 0;
    for (int y = 0; y < kPlotSize; ++y) {
        for (int x = 0; x < kPlotSize; ++x) {
            const QRgb scaled = plot_.pixel(DevicePixel({x, y}, ratio_));
            bool nearby = false;
            for (int dy = -1; dy <= 1 && !nearby; ++dy) {
                for (int dx = -1; dx <= 1 && !nearby; ++dx) {
                    const QPoint p(x + dx, y + dy);
                    nearby = reference.rect().contains(p) && reference.pixel(p) == scaled;
                }
            }
            misplaced += nearby ? 0 : 1;
        }
    }
    // Where the curve crosses a line the two drawings disagree on a few
    // pixels; a plot mapped or sized differently would miss by thousands.
    QVERIFY2(misplaced <= kPlotSize * kPlotSize / 2000, qPrintable(QString::number(misplaced)));
}

void TestScaling::plotIsSharp()
{
    // Painted at the screen's resolution, not enlarged: only the plot's own
    // colours, no blend between them...
    QSet<QRgb> palette;
    for (const uint32_t bgr : kPlotColors)
        palette.insert(Rgb(bgr).rgb());
    for (int y = 0; y < plot_.height(); ++y) {
        for (int x = 0; x < plot_.width(); ++x) {
            if (!palette.contains(plot_.pixel(x, y)))
                QFAIL(qPrintable(QStringLiteral("blended colour %1 at device pixel %2,%3")
                                     .arg(QColor(plot_.pixel(x, y)).name())
                                     .arg(x)
                                     .arg(y)));
        }
    }
    // ...and detail finer than a logical pixel: the edges of the slanted
    // curve step by single device pixels, which an enlarged 660 x 660 picture
    // could not show.
    QImage enlarged(plot_.size(), QImage::Format_RGB32);
    {
        QImage reference(kPlotSize, kPlotSize, QImage::Format_RGB32);
        QPainter painter(&reference);
        PaintPlot(painter, form_->lesson(), kPlotSize, kPlotSize);
        painter.end();
        for (int y = 0; y < enlarged.height(); ++y) {
            for (int x = 0; x < enlarged.width(); ++x) {
                const QPoint logical(static_cast<int>(x / ratio_), static_cast<int>(y / ratio_));
                enlarged.setPixel(x, y, reference.pixel(logical));
            }
        }
    }
    int finer = 0;
    for (int y = 0; y < plot_.height(); ++y) {
        for (int x = 0; x < plot_.width(); ++x)
            finer += plot_.pixel(x, y) != enlarged.pixel(x, y) ? 1 : 0;
    }
    QVERIFY2(finer > 1000, qPrintable(QString::number(finer)));
}

QTEST_MAIN(TestScaling)
#include "test_scaling.moc"
