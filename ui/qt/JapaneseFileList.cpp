#include "JapaneseFileList.h"

#include <QDateTime>
#include <QFileSystemModel>
#include <QLocale>
#include <QMimeDatabase>

namespace vorsa::ui
{

namespace
{

// QFileSystemModel's columns.
constexpr int kSizeColumn = 1;
constexpr int kTypeColumn = 2;
constexpr int kDateColumn = 3;

} // namespace

QVariant JapaneseFileList::data(const QModelIndex &index, int role) const
{
    const auto *files = qobject_cast<const QFileSystemModel *>(sourceModel());
    const int column = index.column();
    if (role != Qt::DisplayRole || !files ||
        (column != kSizeColumn && column != kTypeColumn && column != kDateColumn))
        return QIdentityProxyModel::data(index, role);

    const QFileInfo info = files->fileInfo(mapToSource(index));
    const QLocale japanese(QLocale::Japanese, QLocale::Japan);
    switch (column) {
    case kSizeColumn:
        if (info.isDir())
            return QString();
        if (info.size() < 1024)
            return QStringLiteral("%1 バイト").arg(info.size());
        return japanese.formattedDataSize(info.size(), 1, QLocale::DataSizeTraditionalFormat);
    case kTypeColumn:
        if (info.isDir())
            return QStringLiteral("フォルダー");
        // The description in the default locale's language, which the
        // application sets to Japanese.
        return QMimeDatabase().mimeTypeForFile(info).comment();
    default:
        return japanese.toString(info.lastModified(), QLocale::ShortFormat);
    }
}

} // namespace vorsa::ui
