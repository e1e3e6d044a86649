// The application object: the one place where an error that a window
// handler raises is caught and shown, so that no exception crosses Qt's
// event loop and the loop goes on after the error box.
#pragma once

#include <QApplication>

namespace vorsa::ui
{

class Application : public QApplication
{
    Q_OBJECT
public:
    Application(int &argc, char **argv);

    bool notify(QObject *receiver, QEvent *event) override;
};

} // namespace vorsa::ui
