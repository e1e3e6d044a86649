// The folder list: the folders from "/" down to the current folder, each a
// step further indented, then the current folder's subfolders in sorted
// order. Opening an entry (double-click, or Enter on the selected entry) is
// signalled; selecting, by click, arrow keys or typing a folder's first
// letters, does nothing.
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
    // Makes `path` the current folder and the process's current directory.
    // A folder that cannot be entered raises the input/output error and
    // leaves everything as it was.
    void OpenDirectory(const QString &path);

    // The entries' height, in pixels.
    void SetItemHeight(int pixels);
    // How much further in each level of the chain is drawn, in pixels.
    void SetIndent(int pixels);

    // Full path of the folder an entry stands for.
    static QString EntryPath(const QListWidgetItem *item);
    // How far in an entry is drawn: 0 for the root, one more per level.
    static int EntryLevel(const QListWidgetItem *item);

signals:
    // The user opened the entry for the folder `path`.
    void Opened(const QString &path);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void OpenEntry(const QListWidgetItem *item);
    void Fill();

    QString directory_;
    int itemHeight_ = 16;
    int indent_ = 8;
};

} // namespace vorsa::ui
