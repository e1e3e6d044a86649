#include "LinkLabel.h"

#include "Contrast.h"
#include "FormControls.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPalette>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

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
    setFocusPolicy(Qt::StrongFocus);
    setBackgroundRole(QPalette::Window);
    setAutoFillBackground(true);
    FollowPalette();
}

void LinkLabel::FollowPalette()
{
    following_ = true;
    const QPalette outer = parentWidget() ? parentWidget()->palette() : QPalette();
    // The caption text colour of the title bar, white on most desktops.
    const QColor background = outer.color(QPalette::HighlightedText);
    const QColor navy = ColourOf(kNavy);
    const bool navyReads = ContrastRatio({static_cast<unsigned char>(background.red()),
                                          static_cast<unsigned char>(background.green()),
                                          static_cast<unsigned char>(background.blue())},
                                         kNavy) >= kReadableContrast;
    QPalette own = palette();
    own.setColor(QPalette::Window, background);
    own.setColor(QPalette::WindowText, navyReads ? navy : outer.color(QPalette::WindowText));
    setPalette(own);
    following_ = false;
}

void LinkLabel::changeEvent(QEvent *event)
{
    QLabel::changeEvent(event);
    if (event->type() == QEvent::PaletteChange && !following_)
        FollowPalette();
}

void LinkLabel::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        event->accept();
        emit clicked();
        return;
    default:
        QLabel::keyPressEvent(event);
    }
}

void LinkLabel::paintEvent(QPaintEvent *event)
{
    QLabel::paintEvent(event);
    if (!hasFocus())
        return;
    // The keyboard's place, as a button shows it.
    QStylePainter painter(this);
    QStyleOptionFocusRect focus;
    focus.initFrom(this);
    focus.backgroundColor = palette().color(backgroundRole());
    painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent *event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

} // namespace vorsa::ui
