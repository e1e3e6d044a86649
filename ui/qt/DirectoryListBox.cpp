#include "DirectoryListBox.h"

#include "FolderRule.h"
#include "SelectionPalette.h"
#include "WorkingFolder.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QStyle>
#include <QStyledItemDelegate>

namespace vorsa::ui
{

namespace
{

constexpr int kPathRole = Qt::UserRole;
constexpr int kLevelRole = Qt::UserRole + 1;

QString CleanAbsolute(const QString &path)
{
    return QDir::cleanPath(QDir(path).absolutePath());
}

// Draws each entry a step further in per level, so that its text is the bare
// folder name that typing its first letters finds.
class FolderEntryDelegate : public QStyledItemDelegate
{
public:
    FolderEntryDelegate(const int &indent, QObject *parent)
        : QStyledItemDelegate(parent), indent_(indent)
    {
    }

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        option->rect.setLeft(option->rect.left() + index.data(kLevelRole).toInt() * indent_);
    }

private:
    const int &indent_; // the list's
};

} // namespace

DirectoryListBox::DirectoryListBox(QWidget *parent) : QListWidget(parent)
{
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setItemDelegate(new FolderEntryDelegate(indent_, this));
    MuteInactiveSelection(*this);
    // Not itemActivated: styles that activate on a single click (KDE's
    // default) would open a folder when the user only meant to select it.
    connect(this, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem *item) { OpenEntry(item); });
}

void DirectoryListBox::keyPressEvent(QKeyEvent *event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (!enter || state() == EditingState) {
        QListWidget::keyPressEvent(event);
        return;
    }
    event->accept();
    if (QListWidgetItem *selected = currentItem())
        OpenEntry(selected);
}

void DirectoryListBox::OpenEntry(const QListWidgetItem *item)
{
    emit Opened(EntryPath(item));
}

QString DirectoryListBox::EntryPath(const QListWidgetItem *item)
{
    return item ? item->data(kPathRole).toString() : QString();
}

int DirectoryListBox::EntryLevel(const QListWidgetItem *item)
{
    return item ? item->data(kLevelRole).toInt() : 0;
}

void DirectoryListBox::SetItemHeight(int pixels)
{
    itemHeight_ = pixels;
    setIconSize(QSize(pixels, pixels));
    for (int i = 0; i < count(); ++i)
        item(i)->setSizeHint(QSize(0, itemHeight_));
}

void DirectoryListBox::SetIndent(int pixels)
{
    indent_ = pixels;
    viewport()->update();
}

void DirectoryListBox::ShowDirectory(const QString &path)
{
    directory_ = CleanAbsolute(path);
    Fill();
}

void DirectoryListBox::OpenDirectory(const QString &path)
{
    const QString target = CleanAbsolute(path);
    // Through the core rather than QDir::setCurrent: the system's own code
    // tells the user why.
    vorsa::EnterFolder(QFile::encodeName(target).toStdString());
    directory_ = target;
    Fill();
}

void DirectoryListBox::Fill()
{
    clear();
    const QIcon openIcon = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closedIcon = style()->standardIcon(QStyle::SP_DirClosedIcon);
    const auto add = [this](const QString &name, const QString &fullPath, const QIcon &icon,
                            int level) {
        auto *item = new QListWidgetItem(icon, name, this);
        item->setData(kPathRole, fullPath);
        item->setData(kLevelRole, level);
        item->setSizeHint(QSize(0, itemHeight_));
        return item;
    };

    // The chain from the root down to the current folder.
    const QStringList parts = directory_.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    int level = 0;
    QString chainPath = QStringLiteral("/");
    QListWidgetItem *current = add(chainPath, chainPath, openIcon, level);
    for (const QString &part : parts) {
        if (!chainPath.endsWith(QLatin1Char('/')))
            chainPath += QLatin1Char('/');
        chainPath += part;
        current = add(part, chainPath, openIcon, ++level);
    }

    ++level;
    const QFileInfoList entries =
        QDir(directory_)
            .entryInfoList(QDir::Dirs | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                           QDir::Name | QDir::LocaleAware);
    for (const QFileInfo &entry : entries) {
        // A link is listed when it leads to a folder; one to a device, a
        // file or nowhere is not a folder.
        const QByteArray name = entry.fileName().toUtf8();
        if (ShownInFolderList(
                {.name = std::string_view(name.constData(), static_cast<std::size_t>(name.size())),
                 .folder = entry.isDir(),
                 .hidden = entry.isHidden()}))
            add(entry.fileName(), entry.filePath(), closedIcon, level);
    }

    setCurrentItem(current);
    scrollToItem(current);
}

} // namespace vorsa::ui
