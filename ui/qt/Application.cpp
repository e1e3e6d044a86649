#include "Application.h"

#include "Credits.h"
#include "ErrorDisplay.h"

#include <QLibraryInfo>
#include <QLocale>

namespace vorsa::ui
{

Application::Application(int &argc, char **argv) : QApplication(argc, argv)
{
    // Lets the window system match the window to its desktop entry and icon.
    setDesktopFileName(QString::fromUtf8(kApplicationId));
    // The window is Japanese throughout: what Qt formats or describes by the
    // default locale (file types in the open dialog among them) follows it,
    // whatever the system locale.
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
    // The open dialog ("Look in", "File name") and the standard buttons speak
    // Japanese as the window does; without Qt's translations they stay English.
    if (qtTranslator_.load(QStringLiteral("qtbase_ja"),
                           QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        installTranslator(&qtTranslator_);
}

bool Application::notify(QObject *receiver, QEvent *event)
{
    bool handled = false;
    // The action ends where the error arose; what it wrote stays.
    RunShowingErrors([&] { handled = QApplication::notify(receiver, event); });
    return handled;
}

} // namespace vorsa::ui
