#pragma once

#include "lesson/catalogue.h"

#include <QString>

#include <optional>

// What the command line asks of the program. With no options it runs the
// lesson window; an option answered on the console (--help, --version) or a
// command line it does not understand ends the program before any window
// system starts, with `exitStatus`. Options that change the window (a
// language, a contrast palette) are added to the one parser in
// ReadCommandLine and carried to the window as fields here. A link's
// language serves where --lang gives none.
struct CommandLine {
    std::optional<int> exitStatus;
    bool highContrast = false; // --high-contrast
    // --lang, or else the locale's language (LANGUAGE, LC_ALL, LC_MESSAGES,
    // LANG); Japanese when neither names one the lesson speaks.
    const Language* language = nullptr;
    // --open: a lesson's link, or its fragment, to start with.
    QString link;
    // Where the school serves the page, which the share view's link opens:
    // --page-url, else the setting page/url (the user's configuration file,
    // else the system-wide one a school sets), else the build's default;
    // empty where none names one.
    QString pageAddress;
    // --export: the file to write the lesson's picture to, then end.
    QString exportFile;
    // --touch-reader: the picture, and the window's printing, for touch reading.
    bool touchReader = false;
};

// The exit status for a command line the program does not understand, as
// usual for a usage error; 1 stays for a failure of the program itself.
inline constexpr int kUsageErrorStatus = 2;

// Reads the command line with QCommandLineParser, without a display: help and
// version go to standard output, errors to standard error.
CommandLine ReadCommandLine(int& argc, char** argv);
