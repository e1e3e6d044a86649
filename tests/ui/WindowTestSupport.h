// Helpers for the widget tests: a window whose event processing can be
// watched, recorded dialogs in place of modal ones, synthetic file drops.
#pragma once

#include "Dialogs.h"
#include "TempDir.h"
#include "Unit1.h"

#include <QList>
#include <QObject>
#include <QPoint>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace vorsa::testing
{

// The window's control named `name` in the form's design.
template <typename Widget = QWidget> Widget &ControlNamed(const QWidget &form, const char *name)
{
    auto *control = form.findChild<Widget *>(QString::fromLatin1(name));
    if (!control)
        throw std::logic_error(std::string("no control ") + name);
    return *control;
}

// The real window; a run's calls to ProcessEvents are counted, and the
// probe runs inside each one before the window's events are handled, as a
// click handled there would.
class ProbedForm : public TForm1
{
public:
    void ProcessEvents() override;

    int processEventsCalls = 0;
    std::function<void(int call)> probe;
};

struct RecordedMessage {
    QString caption;
    QString text;
    bool error = false;
};

// Answers every message box and the open dialog while it lives.
class DialogRecorder
{
public:
    DialogRecorder();
    ~DialogRecorder();
    DialogRecorder(const DialogRecorder &) = delete;
    DialogRecorder &operator=(const DialogRecorder &) = delete;

    QStringList Texts() const;

    std::vector<RecordedMessage> messages;
    // Called as each box is shown, after it is recorded.
    std::function<void(const RecordedMessage &)> onMessage;
    // The open dialog's answers, first in first out; an empty one, or none
    // left, is a cancel.
    QStringList openAnswers;
    QStringList openFilters;      // the filter shown, per open dialog
    QStringList openInitialNames; // the name field's start text, per open dialog
};

// Takes the place of the web browser for https addresses while it lives.
class UrlCatcher : public QObject
{
    Q_OBJECT
public:
    UrlCatcher();
    ~UrlCatcher() override;
    UrlCatcher(const UrlCatcher &) = delete;
    UrlCatcher &operator=(const UrlCatcher &) = delete;

    QList<QUrl> opened;
    std::function<void(const QUrl &)> onOpen; // called for each, after it is recorded

public slots:
    void Open(const QUrl &url)
    {
        opened.append(url);
        if (onOpen)
            onOpen(url);
    }
};

QUrl LocalUrl(const std::string &path);

// Drags and drops as the window system does, through the window, which
// hands them to the control under `at` (in the window's coordinates) or the
// nearest of its parents that takes drops.

// Drops `urls` at `at`, then lets the load that the drop posted run; true
// when the drop was accepted.
bool DropUrls(QWidget &window, const QList<QUrl> &urls, QPoint at = QPoint(100, 100));
// Only the drop itself: whatever it posted is still waiting when this returns.
bool DeliverDrop(QWidget &window, const QList<QUrl> &urls, QPoint at = QPoint(100, 100));
// Whether the window would take a drag of `urls` that enters it at `at`.
bool DragEnterAccepted(QWidget &window, const QList<QUrl> &urls, QPoint at = QPoint(100, 100));

// The song list's captions and ticks.
QStringList Captions(const TForm1 &form);
QList<bool> Ticks(const TForm1 &form);

// Runs the handler named `handler` (ToolButton1Click...) as its control's
// signal would, even where the control is off.
void RunHandler(TForm1 &form, const char *handler);

// Opens the folder list's entry for `path` as the user does: select, Enter.
void OpenFolderEntry(TForm1 &form, const QString &path);

// Puts the process's current folder back when the test ends.
class CurrentFolderGuard
{
public:
    CurrentFolderGuard();
    ~CurrentFolderGuard();
    CurrentFolderGuard(const CurrentFolderGuard &) = delete;
    CurrentFolderGuard &operator=(const CurrentFolderGuard &) = delete;

private:
    QString saved_;
};

// What every window test runs in: the process's folder kept, dialogs
// answered, a temporary folder, and the real window shown.
class WindowTestBase : public QObject
{
protected:
    // Call from init(): QVERIFY(StartWindow()).
    bool StartWindow();
    // Call from cleanup(): the window goes first, the folder guard last.
    void StopWindow();
    template <typename Widget = QWidget> Widget &Control(const char *name) const
    {
        return ControlNamed<Widget>(*form_, name);
    }

    std::unique_ptr<ProbedForm> form_;
    std::unique_ptr<DialogRecorder> dialogs_;
    std::unique_ptr<TempDir> dir_;
    std::unique_ptr<CurrentFolderGuard> folder_;
};

} // namespace vorsa::testing
