// Controls made from the form's design: each named as the design names it
// (its objectName), with the design's text, hint, image and keys.
#pragma once

#include "FormDesign.h"

#include <QColor>
#include <QIcon>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QString>

#include <string_view>

class QAction;
class QToolButton;
class QWidget;

namespace vorsa::ui
{

// A label that holds a state of the work: a screen reader hears its heading
// as its name and its text as its value.
class StateLabel : public QLabel
{
    Q_OBJECT
public:
    using QLabel::QLabel;
};

QString FromDesign(std::string_view utf8);
QString NameOf(Control control);
QColor ColourOf(Colour colour);

// Fills `widget`'s background with `colour`.
void SetBackground(QWidget &widget, const QColor &colour);

// A label with the design's text, shown as plain text.
QLabel *MakeLabel(QWidget *parent, Control control);
// A label that holds a state text, dark on the design's cream in any palette.
StateLabel *MakeStateLabel(QWidget *parent, Control control);

// The keys of the design that click `button`; none for a button without.
QKeySequence KeysOfDesign(Control button);

// The command of `button`, owned by `form`: its image, its hint (the text
// where it has none) and its keys, which work wherever the focus is in the
// window while the command is on.
QAction *MakeAction(QWidget *form, Control button, const QIcon &image = QIcon());

// A tool button of the bar that shows `action` by its image alone.
QToolButton *MakeToolButton(QWidget *bar, Control control, QAction *action);

// The prefix box: Ctrl+A and Ctrl+Shift+A act on its text, as in any text
// box, rather than ticking or unticking the song list behind it.
class PrefixBox : public QLineEdit
{
public:
    using QLineEdit::QLineEdit;

protected:
    bool event(QEvent *event) override;
};

} // namespace vorsa::ui
