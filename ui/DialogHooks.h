// Seams for the window's modal dialogs, so that tests and benchmarks can
// answer them without blocking. With no hook set, the real dialogs run.
#pragma once

#include <QString>

#include <functional>
#include <optional>

namespace vorsa::ui
{

// caption, text, and whether it is the error display (error icon) or a plain message.
using MessageHook = std::function<void(const QString &caption, const QString &text, bool error)>;
// Answers the open-file dialog: the filter as shown and the name field's start
// text in, the chosen name out (nullopt for a cancel).
using OpenFileHook =
    std::function<std::optional<QString>(const QString &filterShown, const QString &initialName)>;

void SetMessageHook(MessageHook hook);
void SetOpenFileHook(OpenFileHook hook);

} // namespace vorsa::ui
