// The link label: an address shown as a link (navy, underlined, a hand
// pointer) that reports a click on it, or Enter or Space while it has the
// keyboard; Tab reaches it.
#pragma once

#include <QLabel>

namespace vorsa::ui
{

class LinkLabel : public QLabel
{
    Q_OBJECT
public:
    LinkLabel(const QString &address, QWidget *parent);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    // Navy on the caption text colour of the palette in use, where navy
    // reads on it; the palette's own text colour where it does not.
    void FollowPalette();

    bool following_ = false;
};

} // namespace vorsa::ui
