// The program's message box: Qt's, centred on the screen together with the
// frame that the window manager puts around it, and wide enough that the
// title bar shows its caption whole.
#pragma once

#include <QMargins>
#include <QMessageBox>
#include <QPoint>
#include <QRect>
#include <QSize>

namespace vorsa::ui
{

class MessageBox : public QMessageBox
{
    Q_OBJECT
public:
    // One OK button.
    MessageBox(Icon icon, const QString &caption, const QString &text);

    // The top left of a window's client area of `size` that, with a frame
    // `frame` thick around it, is centred in `area`.
    static QPoint CentredPosition(QSize size, QMargins frame, QRect area);

protected:
    void showEvent(QShowEvent *event) override;

private:
    int WidthForCaption() const;
};

} // namespace vorsa::ui
