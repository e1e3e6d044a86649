// The open dialog's file list in the window's language: sizes, types and
// dates as a Japanese desktop shows them, whatever the system locale says.
// Qt's file list formats sizes and dates by the system locale and names
// folders through its translations, which may lack the text.
#pragma once

#include <QIdentityProxyModel>

namespace vorsa::ui
{

// Sits over a QFileSystemModel (QFileDialog::setProxyModel).
class JapaneseFileList : public QIdentityProxyModel
{
    Q_OBJECT
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex &index, int role) const override;
};

} // namespace vorsa::ui
