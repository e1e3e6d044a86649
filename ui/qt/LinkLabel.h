// The link label: an address shown as a link (navy, underlined, a hand
// pointer) that reports a click on it.
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
};

} // namespace vorsa::ui
