// How the running program presents itself to the desktop: the desktop file it
// names is the one the package installs, and its window carries the icon that
// the build renders, in the sizes a task bar asks for.

#include "window_fixture.h"

#include "app/tavrine_application.h"
#include "lesson/colors.h"

class TestDesktopIdentity : public QObject {
    Q_OBJECT
private slots:
    void namesTheInstalledDesktopFile();
    void iconComesInTheThemesSizes();
    void iconIsTheDrawnOne();
    void windowShowsTheIcon();
};

void TestDesktopIdentity::namesTheInstalledDesktopFile()
{
    // The build installs the menu entry as <id>.desktop.
    QCOMPARE(QGuiApplication::desktopFileName(), QStringLiteral(TAVRINE_APP_ID));
}

void TestDesktopIdentity::iconComesInTheThemesSizes()
{
    const QIcon icon = QGuiApplication::windowIcon();
    QVERIFY(!icon.isNull());
    const QList<QSize> sizes = icon.availableSizes();
    for (const int side : {16, 24, 32, 48, 64, 128, 256}) {
        QVERIFY2(sizes.contains(QSize(side, side)), qPrintable(QString::number(side)));
        // Drawn at that size, not scaled from another.
        QCOMPARE(icon.pixmap(QSize(side, side), 1.0).size(), QSize(side, side));
    }
}

void TestDesktopIdentity::iconIsTheDrawnOne()
{
    // The 128 pixel icon is the SVG at its own size: rounded corners left
    // clear, the money-green frame inside a maroon edge, the white plot with
    // its black axes crossing at the centre under the lime inflection point.
    const QImage image = QGuiApplication::windowIcon()
                             .pixmap(QSize(128, 128), 1.0)
                             .toImage()
                             .convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
    QCOMPARE(QColor(image.pixel(64, 2)).rgb(), Rgb(Bgr::Maroon).rgb());
    QCOMPARE(QColor(image.pixel(10, 64)).rgb(), Rgb(Bgr::MoneyGreen).rgb());
    QCOMPARE(QColor(image.pixel(40, 104)).rgb(), Rgb(Bgr::White).rgb());
    QCOMPARE(QColor(image.pixel(64, 20)).rgb(), Rgb(Bgr::Black).rgb());
    QCOMPARE(QColor(image.pixel(64, 64)).rgb(), Rgb(Bgr::Lime).rgb());
}

void TestDesktopIdentity::windowShowsTheIcon()
{
    const auto form = StartedForm();
    QCOMPARE(form->windowIcon().cacheKey(), QGuiApplication::windowIcon().cacheKey());
    QCOMPARE(form->windowHandle()->icon().cacheKey(), QGuiApplication::windowIcon().cacheKey());
}

int main(int argc, char** argv)
{
    // The program's own application object, which sets up what it shows the
    // desktop.
    TavrineApplication app(argc, argv);
    TestDesktopIdentity test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_desktop_identity.moc"
