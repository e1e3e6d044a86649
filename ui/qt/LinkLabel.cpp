#include "LinkLabel.h"

#include "FormControls.h"

#include <QMouseEvent>

namespace vorsa::ui
{

LinkLabel::LinkLabel(const QString &address, QWidget *parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    setText(address);
    setCursor(Qt::PointingHandCursor);
    QFont linkFont = font();
    linkFont.setUnderline(true);
    setFont(linkFont);
    QPalette linkPalette = palette();
    linkPalette.setColor(QPalette::WindowText, ColourOf(kNavy));
    // The caption text colour of the title bar, white on most desktops.
    linkPalette.setColor(QPalette::Window, linkPalette.color(QPalette::HighlightedText));
    setPalette(linkPalette);
    setAutoFillBackground(true);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent *event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

} // namespace vorsa::ui
