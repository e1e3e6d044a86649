// The program's modal dialogs: the message box, the error display and the
// open-file dialog. Each goes through its hook (DialogHooks.h) when one is set.
#pragma once

#include <QString>

#include <optional>

namespace vorsa::ui
{

// Caption of every message box: the executable's name as the title rule shapes it.
QString ApplicationTitleText();

// Text, one OK button, no icon; centred on the screen; returns when closed.
void ShowMessageBox(const QString &text);
// The default exception display: the message as the error box shows it
// (see messages::DisplayedErrorText), error icon, one OK button.
void ShowErrorBox(const QString &message);

// One file, which need not exist. `filterShown` is the single filter entry's
// text, `patterns` the names it lets through. Empty result for a cancel.
std::optional<QString> ChooseOpenFile(const QString &filterShown, const QStringList &patterns,
                                      const QString &initialName);

} // namespace vorsa::ui
