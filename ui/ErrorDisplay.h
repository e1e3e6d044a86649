// Runs a window handler on behalf of a Qt signal and shows what it raises
// with the default exception display. The error stops here because Debian's
// Qt Gui and Widgets are built without exception support: unwinding through
// their frames (a button's click, a list's activation) would skip their
// clean-ups and leave the control half-updated. Application::notify remains
// the net for event handlers.
#pragma once

#include "BoxText.h"
#include "Dialogs.h"

#include <exception>
#include <utility>

namespace vorsa::ui
{

template <typename Handler> void RunShowingErrors(Handler &&handler)
{
    try {
        std::forward<Handler>(handler)();
    } catch (const std::exception &error) {
        ShowErrorBox(QString::fromStdString(ErrorBoxText(error)));
    }
}

} // namespace vorsa::ui
