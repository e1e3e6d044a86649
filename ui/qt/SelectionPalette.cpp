#include "SelectionPalette.h"

#include <QPalette>
#include <QWidget>

namespace vorsa::ui
{

void MuteInactiveSelection(QWidget &view)
{
    QPalette muted = view.palette();
    muted.setColor(QPalette::Inactive, QPalette::Highlight,
                   muted.color(QPalette::Active, QPalette::Window).darker(115));
    muted.setColor(QPalette::Inactive, QPalette::HighlightedText,
                   muted.color(QPalette::Active, QPalette::Text));
    view.setPalette(muted);
}

} // namespace vorsa::ui
