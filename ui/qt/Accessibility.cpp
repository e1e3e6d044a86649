#include "Accessibility.h"

#include "DriveComboBox.h"
#include "FormControls.h"
#include "FormLayout.h"
#include "LinkLabel.h"
#include "SongList.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QLabel>
#include <QWindow>

#include <utility>
#include <vector>

namespace vorsa::ui
{

namespace
{

// A control named as the design has it speak, whose value is the text it
// shows: a state label under its heading, the drive selector (Qt names a
// combo box on Linux by its value alone).
class ShownTextAccessible : public QAccessibleWidget
{
public:
    ShownTextAccessible(QWidget *control, QAccessible::Role role) : QAccessibleWidget(control, role)
    {
    }
    QString text(QAccessible::Text t) const override
    {
        const auto *label = qobject_cast<const QLabel *>(widget());
        // AT-SPI gives a label no value: its text is also its description,
        // which Orca reads after the name.
        if (t == QAccessible::Value || (label && t == QAccessible::Description))
            return label ? label->text() : static_cast<const QComboBox *>(widget())->currentText();
        return QAccessibleWidget::text(t);
    }
};

// The drive selector, whose list opens as a combo box's does.
class DriveSelectorAccessible : public ShownTextAccessible
{
public:
    explicit DriveSelectorAccessible(QWidget *selector)
        : ShownTextAccessible(selector, QAccessible::ComboBox)
    {
    }
    QStringList actionNames() const override
    {
        return QStringList{showMenuAction()} + ShownTextAccessible::actionNames();
    }
    void doAction(const QString &name) override
    {
        if (name == showMenuAction())
            Selector()->showPopup();
        else
            ShownTextAccessible::doAction(name);
    }

private:
    QComboBox *Selector() const { return static_cast<QComboBox *>(widget()); }
};

// One track of the song list: a check box, ticked or not, named by its caption.
class TrackAccessible : public QAccessibleInterface, public QAccessibleActionInterface
{
public:
    TrackAccessible(SongList *list, int index) : list_(list), index_(index) {}

    bool isValid() const override { return list_ && Item(); }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override { return list_->window()->windowHandle(); }
    QAccessibleInterface *parent() const override
    {
        return QAccessible::queryAccessibleInterface(list_);
    }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QAccessibleInterface *focusChild() const override { return nullptr; }
    QString text(QAccessible::Text t) const override
    {
        const QTreeWidgetItem *item = Item();
        return item && t == QAccessible::Name ? item->text(0) : QString();
    }
    void setText(QAccessible::Text, const QString &) override {}
    QRect rect() const override
    {
        const QTreeWidgetItem *item = Item();
        if (!item)
            return {};
        const QRect shown = list_->visualItemRect(item);
        return QRect(list_->viewport()->mapToGlobal(shown.topLeft()), shown.size());
    }
    QAccessible::Role role() const override { return QAccessible::CheckBox; }
    QAccessible::State state() const override
    {
        QAccessible::State state;
        const QTreeWidgetItem *item = Item();
        if (!item) {
            state.invalid = true;
            return state;
        }
        state.checkable = true;
        state.checked = item->checkState(0) == Qt::Checked;
        state.focusable = true;
        state.selectable = true;
        state.selected = item->isSelected();
        state.focused = list_->hasFocus() && list_->currentItem() == item;
        return state;
    }
    void *interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::ActionInterface
                   ? static_cast<QAccessibleActionInterface *>(this)
                   : nullptr;
    }

    QStringList actionNames() const override { return {toggleAction()}; }
    void doAction(const QString &name) override
    {
        if (name == toggleAction())
            list_->SetChecked(index_, !list_->Checked(index_));
    }
    QStringList keyBindingsForAction(const QString &) const override
    {
        return {QStringLiteral("Space")};
    }

private:
    QTreeWidgetItem *Item() const { return list_ ? list_->topLevelItem(index_) : nullptr; }

    QPointer<SongList> list_;
    int index_;
};

// The song list: a list whose children are its tracks.
class SongListAccessible : public QAccessibleWidget
{
public:
    explicit SongListAccessible(SongList *list) : QAccessibleWidget(list, QAccessible::List) {}
    ~SongListAccessible() override
    {
        for (const QAccessible::Id id : tracks_)
            QAccessible::deleteAccessibleInterface(id);
    }

    int childCount() const override { return List()->topLevelItemCount(); }
    QAccessibleInterface *child(int index) const override
    {
        if (index < 0 || index >= childCount())
            return nullptr;
        // One interface per row, made when first asked for and kept while the list lives.
        while (tracks_.size() <= static_cast<std::size_t>(index))
            tracks_.push_back(QAccessible::registerAccessibleInterface(
                new TrackAccessible(List(), static_cast<int>(tracks_.size()))));
        return QAccessible::accessibleInterface(tracks_[static_cast<std::size_t>(index)]);
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        for (std::size_t i = 0; i < tracks_.size(); ++i) {
            if (QAccessible::accessibleInterface(tracks_[i]) == child)
                return static_cast<int>(i) < childCount() ? static_cast<int>(i) : -1;
        }
        return -1;
    }
    QAccessibleInterface *childAt(int x, int y) const override
    {
        const QPoint at = List()->viewport()->mapFromGlobal(QPoint(x, y));
        QTreeWidgetItem *item = List()->itemAt(at);
        return item ? child(List()->indexOfTopLevelItem(item)) : nullptr;
    }
    QAccessibleInterface *focusChild() const override
    {
        QTreeWidgetItem *current = List()->currentItem();
        return List()->hasFocus() && current ? child(List()->indexOfTopLevelItem(current))
                                             : nullptr;
    }

private:
    SongList *List() const { return static_cast<SongList *>(widget()); }

    mutable std::vector<QAccessible::Id> tracks_;
};

AnnouncementHook &Hook()
{
    static AnnouncementHook hook;
    return hook;
}

QAccessibleInterface *InterfaceFor(const QString &className, QObject *object)
{
    if (!object || !object->isWidgetType())
        return nullptr;
    auto *widget = static_cast<QWidget *>(object);
    if (className == QLatin1String(StateLabel::staticMetaObject.className()))
        return new ShownTextAccessible(widget, QAccessible::StaticText);
    if (className == QLatin1String(LinkLabel::staticMetaObject.className()))
        return new QAccessibleWidget(widget, QAccessible::Link);
    if (className == QLatin1String(DriveComboBox::staticMetaObject.className()))
        return new DriveSelectorAccessible(widget);
    if (className == QLatin1String(SongList::staticMetaObject.className()))
        return new SongListAccessible(static_cast<SongList *>(widget));
    return nullptr;
}

} // namespace

void InstallAccessibleInterfaces()
{
    static const bool installed = [] {
        QAccessible::installFactory(InterfaceFor);
        return true;
    }();
    (void)installed;
}

void NameControls(QWidget &form)
{
    for (const SpokenName &spoken : kSpokenNames) {
        QWidget &control = ControlOf(form, spoken.control);
        control.setAccessibleName(FromDesign(spoken.name));
        if (const std::string keys = KeysOf(spoken.control); !keys.empty())
            control.setAccessibleDescription(QString::fromStdString(keys));
    }
    // The heading names its field, also for the key that moves to it.
    static_cast<QLabel &>(ControlOf(form, Control::Label5))
        .setBuddy(&ControlOf(form, Control::Edit1));
}

void AnnounceTextChange(QWidget &label)
{
    QAccessibleValueChangeEvent event(&label, static_cast<const QLabel &>(label).text());
    QAccessible::updateAccessibility(&event);
    QAccessibleEvent described(&label, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&described);
    if (Hook())
        Hook()(event);
}

void SetAnnouncementHook(AnnouncementHook hook)
{
    Hook() = std::move(hook);
}

} // namespace vorsa::ui
