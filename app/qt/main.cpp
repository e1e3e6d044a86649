// The vorsa program: one window, run until it is closed. A file named on the
// command line ("Open with" in a file manager) loads as a drop of it would,
// with its whole name.
#include "Application.h"
#include "ProcessStart.h"
#include "Unit1.h"

#include <QFileInfo>

int main(int argc, char *argv[])
{
    vorsa::PrepareProcess();
    // No application name is set: message boxes take their caption from argv[0].
    vorsa::ui::Application application(argc, argv);
    TForm1 Form1;
    Form1.show();
    // A drop hands over an absolute path; Qt has taken its own options out of argv.
    if (argc > 1)
        Form1.PostNamedFile(QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath());
    return application.exec();
}
