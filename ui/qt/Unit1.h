// The main window, a passive view: its controls hold the state of the work
// (loaded file, image, prefix, folder, song list, status), and each of its
// handlers forwards to the form's actions. Each control's objectName is its
// name in the form's design.
#pragma once

#include "FormActions.h"
#include "FormView.h"

#include <QList>
#include <QString>
#include <QWidget>

#include <string>

class QAction;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace vorsa::ui
{
class DirectoryListBox;
class DriveComboBox;
class SongList;
} // namespace vorsa::ui

class TForm1 : public QWidget, public vorsa::ui::FormView
{
    Q_OBJECT
public:
    explicit TForm1(QWidget *parent = nullptr);
    ~TForm1() override;

    // Loads a file named on the command line as a drop of that one file
    // does, once the event loop runs, with its whole name.
    void PostNamedFile(const QString &localPath);

    // True from the start of an extraction until it returns.
    bool ExtractionRunning() const { return actions_.Running(); }
    // The dpi the form is laid out at: the design's, lower where the window
    // would not fit its screen at that.
    int LayoutDpi() const { return layoutDpi_; }

    // vorsa::WindowState
    std::string Text(vorsa::TextControl control) const override;
    void SetText(vorsa::TextControl control, const std::string &text) override;
    void ClearSongList() override;
    void AddSongListItem(const std::string &caption) override;
    int SongListCount() const override;
    bool ItemChecked(int index) const override;
    void SetProgress(int position) override;
    void SetStopEnabled(bool enabled) override;
    void ShowMessage(const std::string &text) override;
    void ProcessEvents() override;

    // vorsa::ui::FormView
    std::optional<std::string> ChooseOpenFile(std::string_view filterShown,
                                              std::string_view patterns,
                                              const std::string &initialName) override;
    void SetItemChecked(int index, bool checked) override;
    void Post(std::function<void()> work) override;
    void ShowRunning(bool running) override;
    void CloseLater() override;
    void OpenAddress(std::string_view address) override;
    std::string FolderListDirectory() const override;
    void EnterFolder(const std::string &folder) override;
    void ShowDriveOf(const std::string &folder) override;
    std::string DriveOf(const std::string &folder) const override;
    std::string DriveRoot(const std::string &drive) const override;
    std::string StartFolderOf(const std::string &drive) const override;

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private slots:
    // The handlers, by the design's names; what they raise is shown here,
    // before it could unwind through Qt. Slots, so that each can be invoked
    // by its name.
    void ToolButton1Click();
    void ToolButton2Click();
    void ToolButton3Click();
    void ToolButton4Click();
    void Button1Click();
    void Label11Click();
    void DirectoryListBox1Change();

private:
    void CreateControls();
    void createActions();
    void ConnectHandlers();
    void FormCreate();
    // The drop action for the first dropped file's name.
    void WMDropFiles(const std::string &droppedName);
    // The label that holds a state text; nullptr for the prefix box.
    QLabel *StateLabel(vorsa::TextControl control) const;

    // The controls that hold the state, and those the handlers reach.
    QLabel *Label1 = nullptr;                 // path of the loaded cue sheet or .ccd file
    QLabel *Label2 = nullptr;                 // path of the raw image
    vorsa::ui::SongList *ListView1 = nullptr; // song list: item i, ticked or not, is track i+1
    QLineEdit *Edit1 = nullptr;               // file-name prefix
    QLabel *Label6 = nullptr;                 // destination folder, ending in "/" once set
    vorsa::ui::DriveComboBox *DriveComboBox1 = nullptr;
    vorsa::ui::DirectoryListBox *DirectoryListBox1 = nullptr;
    QLabel *Label7 = nullptr; // extraction status
    QProgressBar *ProgressBar1 = nullptr;
    QPushButton *Button1 = nullptr; // stop, enabled only while an extraction runs

    // The commands, each with its image, hint and keys: open, extract, tick
    // all, untick all, stop. The tool buttons and the stop button show them.
    QAction *openAction_ = nullptr;
    QAction *extractAction_ = nullptr;
    QAction *tickAllAction_ = nullptr;
    QAction *untickAllAction_ = nullptr;
    QAction *stopAction_ = nullptr;

    QString startFolder_; // the process's folder when the window was made
    int layoutDpi_ = 0;
    vorsa::ui::FormActions actions_{*this};
};
