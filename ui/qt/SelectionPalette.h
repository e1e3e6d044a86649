// Item views draw their selection in the inactive colours while they lack
// the focus. Most styles make those the same as the active ones, so the user
// cannot tell which list has the focus; muted ones show it.
#pragma once

class QWidget;

namespace vorsa::ui
{

void MuteInactiveSelection(QWidget &view);

} // namespace vorsa::ui
