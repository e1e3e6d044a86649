#include "MessageBox.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QScreen>
#include <QWindow>

namespace vorsa::ui
{

namespace
{

// The box is not framed yet when it is placed; the program's other windows,
// framed by the same window manager, tell how thick its frame will be.
QMargins FrameOfOtherWindows(const QWidget *box)
{
    for (const QWidget *window : QApplication::topLevelWidgets()) {
        if (window == box || !window->isVisible() || !window->windowHandle())
            continue;
        const QMargins frame = window->windowHandle()->frameMargins();
        if (!frame.isNull())
            return frame;
    }
    return {};
}

} // namespace

MessageBox::MessageBox(Icon icon, const QString &caption, const QString &text)
    : QMessageBox(icon, caption, text, QMessageBox::Ok)
{
    // The box takes its width from its layout as it is shown; the buttons'
    // row, which spans the box, holds it open wide enough for the caption.
    // Widening the box after that would race the window manager's placing.
    if (auto *buttons = findChild<QDialogButtonBox *>())
        buttons->setMinimumWidth(WidthForCaption());
}

QPoint MessageBox::CentredPosition(QSize size, QMargins frame, QRect area)
{
    const QSize framed = size.grownBy(frame);
    const QPoint frameTopLeft(area.x() + (area.width() - framed.width()) / 2,
                              area.y() + (area.height() - framed.height()) / 2);
    return frameTopLeft + QPoint(frame.left(), frame.top());
}

int MessageBox::WidthForCaption() const
{
    // A title bar holds the caption, commonly in bold, beside up to four
    // buttons (window menu, minimise, maximise, close) of about two lines
    // of text each.
    QFont titleFont = font();
    titleFont.setBold(true);
    const QFontMetrics metrics(titleFont);
    return metrics.horizontalAdvance(windowTitle()) + 4 * 2 * metrics.height();
}

void MessageBox::showEvent(QShowEvent *event)
{
    // Sizes the box and places it: centred without its frame.
    QMessageBox::showEvent(event);
    if (const QScreen *shownOn = screen())
        setGeometry(
            QRect(CentredPosition(size(), FrameOfOtherWindows(this), shownOn->availableGeometry()),
                  size()));
}

} // namespace vorsa::ui
