// The program's modal dialogs: the message box, the error display and the
// open-file dialog. Each goes through its hook when one is set, so that tests
// and benchmarks can answer them without blocking.
#pragma once

#include <QString>

#include <functional>
#include <optional>

namespace vorsa::ui
{

// Caption of every message box: the executable's name as the title rule shapes it.
QString ApplicationTitleText();

// Text, one OK button, no icon; centred on the screen; returns when closed.
// The texts are as the box shows them (BoxText.h).
void ShowMessageBox(const QString &text);
// The default exception display: error icon, one OK button.
void ShowErrorBox(const QString &text);

// One file, which need not exist. `filterShown` is the single filter entry's
// text, `patterns` the names it lets through. Empty result for a cancel.
std::optional<QString> ChooseOpenFile(const QString &filterShown, const QStringList &patterns,
                                      const QString &initialName);

// The seams. With no hook set, the real dialogs run.
// caption, text, and whether it is the error display (error icon) or a plain message.
using MessageHook = std::function<void(const QString &caption, const QString &text, bool error)>;
// Answers the open-file dialog: the filter as shown and the name field's start
// text in, the chosen name out (nullopt for a cancel).
using OpenFileHook =
    std::function<std::optional<QString>(const QString &filterShown, const QString &initialName)>;

void SetMessageHook(MessageHook hook);
void SetOpenFileHook(OpenFileHook hook);

} // namespace vorsa::ui
