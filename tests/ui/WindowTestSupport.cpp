#include "WindowTestSupport.h"

#include "DirectoryListBox.h"

#include <QCoreApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QTest>
#include <QTreeWidget>

namespace vorsa::testing
{

void ProbedForm::ProcessEvents()
{
    ++processEventsCalls;
    if (probe)
        probe(processEventsCalls);
    TForm1::ProcessEvents();
}

DialogRecorder::DialogRecorder()
{
    ui::SetMessageHook([this](const QString &caption, const QString &text, bool error) {
        messages.push_back({caption, text, error});
    });
    ui::SetOpenFileHook(
        [this](const QString &filterShown, const QString &initialName) -> std::optional<QString> {
            openFilters.append(filterShown);
            openInitialNames.append(initialName);
            const QString answer = openAnswers.isEmpty() ? QString() : openAnswers.takeFirst();
            if (answer.isEmpty())
                return std::nullopt;
            return answer;
        });
}

DialogRecorder::~DialogRecorder()
{
    ui::SetMessageHook(nullptr);
    ui::SetOpenFileHook(nullptr);
}

QStringList DialogRecorder::Texts() const
{
    QStringList texts;
    for (const RecordedMessage &message : messages)
        texts.append(message.text);
    return texts;
}

QUrl LocalUrl(const std::string &path)
{
    return QUrl::fromLocalFile(QString::fromStdString(path));
}

bool DragEnterAccepted(QWidget &target, const QList<QUrl> &urls)
{
    QMimeData data;
    data.setUrls(urls);
    QDragEnterEvent enter(QPoint(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    enter.ignore();
    QCoreApplication::sendEvent(&target, &enter);
    return enter.isAccepted();
}

bool DropUrls(QWidget &target, const QList<QUrl> &urls)
{
    // As from a file manager: the drag enters the window, then drops. Qt
    // hands a drop only to a widget that took the drag's entry.
    DragEnterAccepted(target, urls);
    QMimeData data;
    data.setUrls(urls);
    QDropEvent drop(QPointF(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    drop.ignore();
    QCoreApplication::sendEvent(&target, &drop);
    return drop.isAccepted();
}

QStringList Captions(const TForm1 &form)
{
    QStringList captions;
    for (int i = 0; i < form.ListView1->topLevelItemCount(); ++i)
        captions.append(form.ListView1->topLevelItem(i)->text(0));
    return captions;
}

QList<bool> Ticks(const TForm1 &form)
{
    QList<bool> ticks;
    for (int i = 0; i < form.ListView1->topLevelItemCount(); ++i)
        ticks.append(form.ListView1->topLevelItem(i)->checkState(0) == Qt::Checked);
    return ticks;
}

void OpenFolderEntry(TForm1 &form, const QString &path)
{
    ui::DirectoryListBox &list = *form.DirectoryListBox1;
    for (int i = 0; i < list.count(); ++i) {
        if (ui::DirectoryListBox::EntryPath(list.item(i)) == path) {
            list.setCurrentRow(i);
            list.setFocus();
            QTest::keyClick(&list, Qt::Key_Return);
            return;
        }
    }
    QFAIL(qPrintable(QStringLiteral("no folder list entry for ") + path));
}

CurrentFolderGuard::CurrentFolderGuard() : saved_(QDir::currentPath()) {}

CurrentFolderGuard::~CurrentFolderGuard()
{
    QDir::setCurrent(saved_);
}

} // namespace vorsa::testing
