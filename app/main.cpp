#include "app/sessen_form.h"
#include "app/tavrine_application.h"

int main(int, char** argv)
{
    // The program takes no command line: only its own name reaches Qt.
    int argc = 1;
    char* args[] = {argv[0], nullptr};
    TavrineApplication app(argc, args);
    TSessen_Form form;
    form.show();
    // Ask for the keyboard focus as the window appears, as a desktop gives it
    // to a newly started program; the first focus sets up the lesson.
    form.activateWindow();
    return app.exec();
}
