#include "DirectoryListBox.h"

#include "ErrorDisplay.h"
#include "Errors.h"

#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QStyle>

#include <cerrno>
#include <unistd.h>

namespace vorsa::ui
{

namespace
{

constexpr int kItemHeight = 16; // pixels
constexpr int kPathRole = Qt::UserRole;
const QString kIndentStep = QStringLiteral("  ");

QString CleanAbsolute(const QString &path)
{
    return QDir::cleanPath(QDir(path).absolutePath());
}

} // namespace

DirectoryListBox::DirectoryListBox(QWidget *parent) : QListWidget(parent)
{
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
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
    RunShowingErrors([this, item] { OpenDirectory(EntryPath(item)); });
}

QString DirectoryListBox::EntryPath(const QListWidgetItem *item)
{
    return item ? item->data(kPathRole).toString() : QString();
}

void DirectoryListBox::ShowDirectory(const QString &path)
{
    directory_ = CleanAbsolute(path);
    Fill();
}

void DirectoryListBox::OpenDirectory(const QString &path)
{
    const QString target = CleanAbsolute(path);
    // chdir rather than QDir::setCurrent: its errno tells the user why.
    const QByteArray encoded = QFile::encodeName(target);
    if (::chdir(encoded.constData()) != 0) {
        const int err = errno;
        throw EInOutError(InOutCodeFromErrno(err, encoded.toStdString()));
    }
    directory_ = target;
    Fill();
    emit Change();
}

void DirectoryListBox::Fill()
{
    clear();
    const QIcon openIcon = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closedIcon = style()->standardIcon(QStyle::SP_DirClosedIcon);
    const auto add = [this](const QString &text, const QString &fullPath, const QIcon &icon) {
        auto *item = new QListWidgetItem(icon, text, this);
        item->setData(kPathRole, fullPath);
        item->setSizeHint(QSize(0, kItemHeight));
        return item;
    };

    // The chain from the root down to the current folder.
    const QStringList parts = directory_.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    QString indent;
    QString chainPath = QStringLiteral("/");
    QListWidgetItem *current = add(chainPath, chainPath, openIcon);
    for (const QString &part : parts) {
        indent += kIndentStep;
        if (!chainPath.endsWith(QLatin1Char('/')))
            chainPath += QLatin1Char('/');
        chainPath += part;
        current = add(indent + part, chainPath, openIcon);
    }

    indent += kIndentStep;
    const QDir dir(directory_);
    const QStringList subfolders =
        dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::LocaleAware);
    for (const QString &name : subfolders)
        add(indent + name, dir.filePath(name), closedIcon);

    setCurrentItem(current);
    scrollToItem(current);
}

} // namespace vorsa::ui
