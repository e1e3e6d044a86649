// Helpers for the widget tests: a window whose event processing can be
// watched, recorded dialogs in place of modal ones, synthetic file drops.
#pragma once

#include "DialogHooks.h"
#include "Unit1.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace vorsa::testing
{

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
    // The open dialog's answers, first in first out; an empty one, or none
    // left, is a cancel.
    QStringList openAnswers;
    QStringList openFilters;      // the filter shown, per open dialog
    QStringList openInitialNames; // the name field's start text, per open dialog
};

QUrl LocalUrl(const std::string &path);

// Sends a drop of `urls` to the window; true when the window accepted it.
bool DropUrls(QWidget &target, const QList<QUrl> &urls);
// Whether the window would take a drag of `urls` that enters it.
bool DragEnterAccepted(QWidget &target, const QList<QUrl> &urls);

// The song list's captions and ticks.
QStringList Captions(const TForm1 &form);
QList<bool> Ticks(const TForm1 &form);

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

} // namespace vorsa::testing
