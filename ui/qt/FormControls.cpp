#include "FormControls.h"

#include <QKeyEvent>

#include <QAction>
#include <QLabel>
#include <QPalette>
#include <QToolButton>

namespace vorsa::ui
{

QString FromDesign(std::string_view utf8)
{
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QString NameOf(Control control)
{
    return FromDesign(DesignOf(control).name);
}

QColor ColourOf(Colour colour)
{
    return QColor(colour.red, colour.green, colour.blue);
}

void SetBackground(QWidget &widget, const QColor &colour)
{
    // Its own: a control takes its parent's role where it sets none.
    widget.setBackgroundRole(QPalette::Window);
    widget.setAutoFillBackground(true);
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Window, colour);
    widget.setPalette(palette);
}

namespace
{

void Shape(QLabel &label, Control control)
{
    label.setObjectName(NameOf(control));
    // Paths are shown as they are, never taken for rich text.
    label.setTextFormat(Qt::PlainText);
    label.setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

} // namespace

QLabel *MakeLabel(QWidget *parent, Control control)
{
    auto *label = new QLabel(FromDesign(DesignOf(control).text), parent);
    Shape(*label, control);
    // The window's face is the button face: its text is the button text.
    label->setForegroundRole(QPalette::ButtonText);
    return label;
}

StateLabel *MakeStateLabel(QWidget *parent, Control control)
{
    auto *label = new StateLabel(parent);
    Shape(*label, control);
    SetBackground(*label, ColourOf(kCream));
    // Dark on the fixed cream, whatever text colour the palette gives.
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::black);
    label->setPalette(palette);
    return label;
}

QKeySequence KeysOfDesign(Control button)
{
    for (const KeyDesign &key : kKeys) {
        if (key.button != button)
            continue;
        Qt::KeyboardModifiers modifiers;
        if (key.control)
            modifiers |= Qt::ControlModifier;
        if (key.shift)
            modifiers |= Qt::ShiftModifier;
        // Qt's codes for the letters are their upper-case ASCII.
        const auto code = key.key == kEscape ? Qt::Key_Escape : static_cast<Qt::Key>(key.key);
        return QKeySequence(QKeyCombination(modifiers, code));
    }
    return {};
}

QAction *MakeAction(QWidget *form, Control button, const QIcon &image)
{
    const ControlDesign &design = DesignOf(button);
    const QString hint = FromDesign(design.hint.empty() ? design.text : design.hint);
    auto *action = new QAction(image, hint, form);
    action->setObjectName(NameOf(button));
    action->setToolTip(hint);
    action->setShortcut(KeysOfDesign(button));
    form->addAction(action);
    return action;
}

QToolButton *MakeToolButton(QWidget *bar, Control control, QAction *action)
{
    auto *button = new QToolButton(bar);
    button->setObjectName(NameOf(control));
    button->setDefaultAction(action);
    button->setToolButtonStyle(Qt::ToolButtonIconOnly);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

bool PrefixBox::event(QEvent *event)
{
    if (event->type() == QEvent::ShortcutOverride) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const Qt::KeyboardModifiers modifiers =
            key->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier);
        if (key->key() == Qt::Key_A && (modifiers == Qt::ControlModifier ||
                                        modifiers == (Qt::ControlModifier | Qt::ShiftModifier))) {
            event->accept();
            return true;
        }
    }
    return QLineEdit::event(event);
}

} // namespace vorsa::ui
