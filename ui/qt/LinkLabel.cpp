#include "LinkLabel.h"

#include "FormControls.h"

#include <cmath>

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

namespace
{

// WCAG's relative luminance, 0 for black to 1 for white.
double Luminance(const QColor &colour)
{
    const auto linear = [](double channel) {
        return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
           0.0722 * linear(colour.blueF());
}

} // namespace

void LinkLabel::FollowPalette()
{
    following_ = true;
    const QPalette outer = parentWidget() ? parentWidget()->palette() : QPalette();
    // The caption text colour of the title bar, white on most desktops.
    const QColor background = outer.color(QPalette::HighlightedText);
    const QColor navy = ColourOf(kNavy);
    // 4.5:1, the measure for text.
    const bool navyReads = (Luminance(background) + 0.05) / (Luminance(navy) + 0.05) >= 4.5;
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
