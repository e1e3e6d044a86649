// Message boxes and the open-file dialog, answered by a hook when one is set.
#include "Dialogs.h"

#include "BoxText.h"
#include "JapaneseFileList.h"
#include "MessageBox.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QStringList>

#include <utility>

namespace vorsa::ui
{

namespace
{

MessageHook &CurrentMessageHook()
{
    static MessageHook hook;
    return hook;
}

OpenFileHook &CurrentOpenFileHook()
{
    static OpenFileHook hook;
    return hook;
}

void RunMessageBox(const QString &text, bool error)
{
    const QString caption = ApplicationTitleText();
    if (const MessageHook &hook = CurrentMessageHook()) {
        hook(caption, text, error);
        return;
    }
    // No parent: the box blocks the whole application until it is closed.
    MessageBox box(error ? QMessageBox::Critical : QMessageBox::NoIcon, caption, text);
    box.exec();
}

} // namespace

void SetMessageHook(MessageHook hook)
{
    CurrentMessageHook() = std::move(hook);
}

void SetOpenFileHook(OpenFileHook hook)
{
    CurrentOpenFileHook() = std::move(hook);
}

QString ApplicationTitleText()
{
    // argv[0], as the user started the program; the resolved file path only
    // when there is none.
    QString executable = QCoreApplication::arguments().value(0);
    if (executable.isEmpty())
        executable = QCoreApplication::applicationFilePath();
    return QString::fromStdString(BoxCaption(executable.toStdString()));
}

void ShowMessageBox(const QString &text)
{
    RunMessageBox(text, false);
}

void ShowErrorBox(const QString &text)
{
    RunMessageBox(text, true);
}

std::optional<QString> ChooseOpenFile(const QString &filterShown, const QStringList &patterns,
                                      const QString &initialName)
{
    if (const OpenFileHook &hook = CurrentOpenFileHook())
        return hook(filterShown, initialName);

    QFileDialog dialog(QApplication::activeWindow());
    // Qt's own dialog: the shown filter text separates its patterns with a
    // comma, which a native dialog would take as part of one pattern.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile); // the named file need not exist
    dialog.setNameFilter(filterShown);
    dialog.setProxyModel(new JapaneseFileList(&dialog));
    // The entry's text alone would yield the one pattern "*.cue,*.ccd";
    // the file list filters by the real patterns instead.
    const auto applyPatterns = [&dialog, &patterns] {
        for (QFileSystemModel *model : dialog.findChildren<QFileSystemModel *>())
            model->setNameFilters(patterns);
    };
    applyPatterns();
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, applyPatterns);
    if (!initialName.isEmpty())
        dialog.selectFile(initialName);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty())
        return std::nullopt;
    return chosen.first();
}

} // namespace vorsa::ui
