#include "WindowTestSupport.h"

#include "DirectoryListBox.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QTest>
#include <QTreeWidget>
#include <QWindow>

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
        if (onMessage)
            onMessage(messages.back());
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

UrlCatcher::UrlCatcher()
{
    QDesktopServices::setUrlHandler(QStringLiteral("https"), this, "Open");
}

UrlCatcher::~UrlCatcher()
{
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
}

QUrl LocalUrl(const std::string &path)
{
    return QUrl::fromLocalFile(QString::fromStdString(path));
}

namespace
{

// What a file manager offers: the files' addresses, and the same as text,
// which a text control would take if it were handed the drag.
void FillDragData(QMimeData &data, const QList<QUrl> &urls)
{
    data.setUrls(urls);
    QStringList lines;
    for (const QUrl &url : urls)
        lines.append(url.toString());
    data.setText(lines.join(QLatin1Char('\n')));
}

// The receiver of window-system drag events: the top-level window, which
// routes them to its controls.
QObject &DragReceiver(QWidget &window)
{
    if (QWindow *handle = window.windowHandle())
        return *handle;
    return window;
}

// Enters the window at `at` and moves there, as Qt's platform drag does;
// true when the window takes the drag.
bool EnterAndMove(QObject &receiver, const QMimeData &data, QPoint at)
{
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    enter.ignore();
    QCoreApplication::sendEvent(&receiver, &enter);
    QDragMoveEvent move(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    move.setAccepted(enter.isAccepted());
    QCoreApplication::sendEvent(&receiver, &move);
    return move.isAccepted();
}

void Leave(QObject &receiver)
{
    QDragLeaveEvent leave;
    QCoreApplication::sendEvent(&receiver, &leave);
}

} // namespace

bool DragEnterAccepted(QWidget &window, const QList<QUrl> &urls, QPoint at)
{
    QMimeData data;
    FillDragData(data, urls);
    QObject &receiver = DragReceiver(window);
    const bool accepted = EnterAndMove(receiver, data, at);
    Leave(receiver);
    return accepted;
}

bool DeliverDrop(QWidget &window, const QList<QUrl> &urls, QPoint at)
{
    QMimeData data;
    FillDragData(data, urls);
    QObject &receiver = DragReceiver(window);
    // The shell drops only where the drag was taken.
    if (!EnterAndMove(receiver, data, at)) {
        Leave(receiver);
        return false;
    }
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    drop.ignore();
    QCoreApplication::sendEvent(&receiver, &drop);
    return drop.isAccepted();
}

bool DropUrls(QWidget &window, const QList<QUrl> &urls, QPoint at)
{
    const bool accepted = DeliverDrop(window, urls, at);
    QCoreApplication::processEvents();
    return accepted;
}

QStringList Captions(const TForm1 &form)
{
    const auto &songs = ControlNamed<QTreeWidget>(form, "ListView1");
    QStringList captions;
    for (int i = 0; i < songs.topLevelItemCount(); ++i)
        captions.append(songs.topLevelItem(i)->text(0));
    return captions;
}

QList<bool> Ticks(const TForm1 &form)
{
    const auto &songs = ControlNamed<QTreeWidget>(form, "ListView1");
    QList<bool> ticks;
    for (int i = 0; i < songs.topLevelItemCount(); ++i)
        ticks.append(songs.topLevelItem(i)->checkState(0) == Qt::Checked);
    return ticks;
}

void RunHandler(TForm1 &form, const char *handler)
{
    if (!QMetaObject::invokeMethod(&form, handler, Qt::DirectConnection))
        throw std::logic_error(std::string("no handler ") + handler);
}

void OpenFolderEntry(TForm1 &form, const QString &path)
{
    auto &list = ControlNamed<ui::DirectoryListBox>(form, "DirectoryListBox1");
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

bool WindowTestBase::StartWindow()
{
    folder_ = std::make_unique<CurrentFolderGuard>();
    dialogs_ = std::make_unique<DialogRecorder>();
    dir_ = std::make_unique<TempDir>();
    form_ = std::make_unique<ProbedForm>();
    form_->show();
    // Active, as the user's window is: keyboard shortcuts go to the active window only.
    form_->activateWindow();
    return QTest::qWaitForWindowExposed(form_.get()) && QTest::qWaitForWindowActive(form_.get());
}

void WindowTestBase::StopWindow()
{
    form_.reset();
    dir_.reset();
    dialogs_.reset();
    folder_.reset();
}

} // namespace vorsa::testing
