#include "app/command_line.h"

#include "entry/lesson_link.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QSettings>
#include <QUrl>

#include <cstdio>
#include <cstdlib>

namespace {

void Print(std::FILE* stream, const QString& text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fflush(stream);
}

// In the form GNU programs answer --version with, so that a school's
// administrator finds the licence where they look for it.
QString VersionText()
{
    return QStringLiteral("tavrine %1\n"
                          "Copyright (C) 2026 Tavrine developers\n"
                          "License GPLv3+: GNU GPL version 3 or later "
                          "<https://gnu.org/licenses/gpl.html>.\n"
                          "This is free software: you are free to change and redistribute it.\n"
                          "There is NO WARRANTY, to the extent permitted by law.\n")
        .arg(QCoreApplication::applicationVersion());
}

// A page's address as a link starts with it: a whole http or https address,
// or empty for anything else, so that a mistyped setting makes the share
// view say how to set it rather than hand out a link that opens nothing.
QString PageAddress(const QString& text)
{
    const QUrl url(text.trimmed(), QUrl::StrictMode);
    const bool web =
        url.scheme() == QLatin1String("https") || url.scheme() == QLatin1String("http");
    return url.isValid() && web && !url.host().isEmpty() ? url.toString() : QString();
}

// The languages --lang takes, by their tags.
QString LanguageTags()
{
    QStringList tags;
    for (const Language& language : Languages())
        tags << QString::fromUtf8(language.tag.data(), static_cast<qsizetype>(language.tag.size()));
    return tags.join(QStringLiteral(", "));
}

} // namespace

CommandLine ReadCommandLine(int& argc, char** argv)
{
    // The parser takes the program's name and arguments from an application
    // object. This one is not the window's: a QCoreApplication opens no
    // display, and it is gone before the window's application is made.
    const QCoreApplication core(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tavrine"));
    // The settings' file: tavrine/tavrine.conf in the user's configuration
    // folder, else in the system's (/etc/xdg).
    QCoreApplication::setOrganizationName(QStringLiteral("tavrine"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TAVRINE_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("A classroom program about cubic curves and their tangents.\n"
                       "With no options it opens the lesson window."));
    // Our own help and version options rather than addHelpOption(), which
    // would also offer --help-all for Qt's own options: the window is given
    // none of them.
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help and exit."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Show the version and licence and exit."));
    const QCommandLineOption highContrast(
        QStringLiteral("high-contrast"),
        QStringLiteral("Draw the lesson in high-contrast colours, for a washed-out "
                       "projector or low vision. Without it, the desktop's own contrast "
                       "setting decides, where Qt reports one."));
    const QCommandLineOption lang(
        QStringLiteral("lang"),
        QStringLiteral("Show and speak the lesson in this language: %1. Without it, the "
                       "locale's language (LANGUAGE, LC_MESSAGES, LANG), else Japanese.")
            .arg(LanguageTags()),
        QStringLiteral("CODE"));
    const QCommandLineOption open(
        QStringLiteral("open"),
        QStringLiteral("Start with the lesson of a link a teacher shared, the whole link or "
                       "what follows its '#', for example \"a=1&b=0&c=-3&d=0\" for "
                       "y = x^3 - 3x."),
        QStringLiteral("LINK"));
    parser.addOption(help);
    parser.addOption(version);
    parser.addOption(highContrast);
    parser.addOption(lang);
    const QCommandLineOption pageUrl(
        QStringLiteral("page-url"),
        QStringLiteral("Where the school serves the lesson's page (http or https), which the "
                       "links and QR codes of the share view (S) open. Without it, the setting "
                       "page/url of the configuration file (~/.config/tavrine/tavrine.conf, "
                       "else /etc/xdg/tavrine/tavrine.conf)."),
        QStringLiteral("URL"));
    const QCommandLineOption exportFile(
        QStringLiteral("export"),
        QStringLiteral("Write the lesson (of --open, else y = x^3) to FILE and exit, without a "
                       "window or a display: an SVG drawing, a PNG picture, or a PDF page "
                       "with the plot 15 cm wide, by FILE's ending (.svg, .png, .pdf)."),
        QStringLiteral("FILE"));
    const QCommandLineOption touchReader(
        QStringLiteral("touch-reader"),
        QStringLiteral("Draw the plot for touch reading (swell paper, an embosser) when it is "
                       "exported or printed: lines at least 1.5 mm wide, grid lines 1.5 to 2 cm "
                       "apart, the tangents dashed and the chord dotted."));
    parser.addOption(open);
    parser.addOption(pageUrl);
    parser.addOption(exportFile);
    parser.addOption(touchReader);

    CommandLine line;
    const auto usageError = [&line](const QString& message) {
        Print(stderr, QStringLiteral("tavrine: %1\nTry 'tavrine --help' for more information.\n")
                          .arg(message));
        line.exitStatus = kUsageErrorStatus;
    };
    if (!parser.parse(QCoreApplication::arguments())) {
        usageError(parser.errorText());
    } else if (parser.isSet(help)) {
        Print(stdout, parser.helpText());
        line.exitStatus = 0;
    } else if (parser.isSet(version)) {
        Print(stdout, VersionText());
        line.exitStatus = 0;
    } else if (!parser.positionalArguments().isEmpty()) {
        usageError(QStringLiteral("unexpected argument '%1'.")
                       .arg(parser.positionalArguments().constFirst()));
    }
    line.highContrast = parser.isSet(highContrast);
    if (!line.exitStatus && parser.isSet(pageUrl)) {
        line.pageAddress = PageAddress(parser.value(pageUrl));
        if (line.pageAddress.isEmpty())
            usageError(QStringLiteral("--page-url takes a whole http or https address, not '%1'.")
                           .arg(parser.value(pageUrl)));
    } else {
        const QSettings settings;
        line.pageAddress = PageAddress(settings.value(QStringLiteral("page/url")).toString());
        if (line.pageAddress.isEmpty())
            line.pageAddress = PageAddress(QStringLiteral(TAVRINE_PAGE_URL));
    }
    line.link = parser.value(open);
    line.exportFile = parser.value(exportFile);
    line.touchReader = parser.isSet(touchReader);
    const std::optional<LessonLink> linked = ParseLessonLink(line.link.toStdString());
    const Language* linkLanguage = linked ? FindLanguage(linked->lang) : nullptr;
    if (!line.exitStatus && parser.isSet(lang)) {
        line.language = FindLanguage(parser.value(lang).toStdString());
        if (line.language == nullptr)
            usageError(QStringLiteral("no lesson in the language '%1'; --lang takes one of: %2.")
                           .arg(parser.value(lang), LanguageTags()));
    } else if (linkLanguage != nullptr) {
        line.language = linkLanguage;
    } else {
        line.language = &LanguageOfLocale(std::getenv("LANGUAGE"), std::getenv("LC_ALL"),
                                          std::getenv("LC_MESSAGES"), std::getenv("LANG"));
    }
    return line;
}
