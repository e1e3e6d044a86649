// The application object: the one place where an error that a window
// handler raises is caught and shown, so that no exception crosses Qt's
// event loop and the loop goes on after the error box. It also puts Qt's
// own dialogs and buttons into the window's language.
#pragma once

#include <QApplication>
#include <QTranslator>

namespace vorsa::ui
{

class Application : public QApplication
{
    Q_OBJECT
public:
    Application(int &argc, char **argv);

    bool notify(QObject *receiver, QEvent *event) override;

private:
    QTranslator qtTranslator_; // Qt's Japanese texts, when installed on the system
};

} // namespace vorsa::ui
