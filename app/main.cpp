// The vorsa program: one window, run until it is closed.
#include "Application.h"
#include "ProcessStart.h"
#include "Unit1.h"

int main(int argc, char *argv[])
{
    vorsa::PrepareProcess();
    // No application name is set: message boxes take their caption from argv[0].
    vorsa::ui::Application application(argc, argv);
    TForm1 Form1;
    Form1.show();
    return application.exec();
}
