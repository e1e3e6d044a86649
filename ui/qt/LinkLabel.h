// A label that reports a click on it, for the link label.
#pragma once

#include <QLabel>

namespace vorsa::ui
{

class LinkLabel : public QLabel
{
    Q_OBJECT
public:
    using QLabel::QLabel;

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
};

} // namespace vorsa::ui
