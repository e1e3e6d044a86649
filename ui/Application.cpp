#include "Application.h"

#include "ErrorDisplay.h"

namespace vorsa::ui
{

Application::Application(int &argc, char **argv) : QApplication(argc, argv) {}

bool Application::notify(QObject *receiver, QEvent *event)
{
    bool handled = false;
    // The action ends where the error arose; what it wrote stays.
    RunShowingErrors([&] { handled = QApplication::notify(receiver, event); });
    return handled;
}

} // namespace vorsa::ui
