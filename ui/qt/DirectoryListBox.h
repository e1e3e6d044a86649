// The folder list: the folders from "/" down to the current folder, each a
// step further indented, then the current folder's subfolders in sorted
// order. Opening an entry (double-click, or Enter on the selected entry)
// makes that folder current, also for the process; selecting, by click,
// arrow keys or typing a folder's first letters, does nothing.
#pragma once

#include <QListWidget>
#include <QString>

namespace vorsa::ui
{

class DirectoryListBox : public QListWidget
{
    Q_OBJECT
public:
    explicit DirectoryListBox(QWidget *parent = nullptr);

    // The current folder as an absolute path without a trailing "/" ("/" for the root).
    QString Directory() const { return directory_; }

    // Shows `path` without making it current: the start-up state.
    void ShowDirectory(const QString &path);
    // Makes `path` the current folder and the process's current directory,
    // then signals the change. A folder that cannot be entered raises the
    // input/output error and leaves everything as it was.
    void OpenDirectory(const QString &path);

    // The entries' height, in pixels.
    void SetItemHeight(int pixels);

    // Full path of the folder an entry stands for.
    static QString EntryPath(const QListWidgetItem *item);
    // How far in an entry is drawn: 0 for the root, one more per level.
    static int EntryLevel(const QListWidgetItem *item);

signals:
    void Change();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    // Opens the folder that `item` stands for, showing what that raises.
    void OpenEntry(const QListWidgetItem *item);
    void Fill();

    QString directory_;
    int itemHeight_ = 16;
};

} // namespace vorsa::ui
