#include "SelectionPalette.h"

#include <QEvent>
#include <QObject>
#include <QPalette>
#include <QWidget>

namespace vorsa::ui
{

namespace
{

void Mute(QWidget &view)
{
    QPalette muted = view.palette();
    muted.setColor(QPalette::Inactive, QPalette::Highlight,
                   muted.color(QPalette::Active, QPalette::Window).darker(115));
    muted.setColor(QPalette::Inactive, QPalette::HighlightedText,
                   muted.color(QPalette::Active, QPalette::Text));
    view.setPalette(muted);
}

// Mutes the view's selection again from each palette it is given, a
// theme's changed one included.
class MutedSelection : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::PaletteChange && !muting_) {
            muting_ = true;
            Mute(*static_cast<QWidget *>(watched));
            muting_ = false;
        }
        return false;
    }

private:
    bool muting_ = false;
};

} // namespace

void MuteInactiveSelection(QWidget &view)
{
    Mute(view);
    view.installEventFilter(new MutedSelection(&view));
}

} // namespace vorsa::ui
