#include "app/command_line.h"
#include "app/contrast_setting.h"
#include "app/lesson_export.h"
#include "app/sessen_form.h"
#include "app/tavrine_application.h"

#include <QLocale>

int main(int argc, char** argv)
{
    // The command line is read before any window system starts, so that
    // --help and --version answer on a console without a display.
    const CommandLine line = ReadCommandLine(argc, argv);
    if (line.exitStatus)
        return *line.exitStatus;

    // Qt's own options have been refused above: only the program's name
    // reaches the window's application.
    SetLanguage(*line.language);
    // A screen reader picks its voice by the locale the program reports.
    if (line.language->tag != Languages().front().tag)
        QLocale::setDefault(QLocale(QString::fromUtf8(
            line.language->tag.data(), static_cast<qsizetype>(line.language->tag.size()))));
    if (!line.exportFile.isEmpty())
        return ExportLesson({line.exportFile, line.link, line.highContrast, line.touchReader},
                            argv[0]);
    int qtArgc = 1;
    char* args[] = {argv[0], nullptr};
    TavrineApplication app(qtArgc, args);
    TSessen_Form form;
    FollowContrastSetting(form, line.highContrast);
    form.setPageAddress(line.pageAddress);
    if (line.touchReader)
        form.setTouchPaper(true);
    if (!line.link.isEmpty())
        form.openLink(line.link);
    form.show();
    // Ask for the keyboard focus as the window appears, as a desktop gives it
    // to a newly started program; the first focus sets up the lesson.
    form.activateWindow();
    return app.exec();
}
