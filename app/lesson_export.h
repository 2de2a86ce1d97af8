#pragma once

#include <QString>

// --export: the lesson of a link (or the first lesson) written to a file and
// the program ended, as --help ends it, with no window and no display: an
// SVG drawing, a PNG picture, or a PDF page of A4 (Letter where the locale
// measures in inches) with the plot 15 cm wide. Returns the exit status: 0
// written, 1 where the file could not be written, the usage error's status
// for a name that is none of the three.
struct ExportRequest {
    QString file;
    QString link;
    bool highContrast = false;
    bool touchReader = false;
};

int ExportLesson(const ExportRequest& request, const char* programName);
