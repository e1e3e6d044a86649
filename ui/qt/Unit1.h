// The main window: its controls hold the state of the work (loaded file,
// image, prefix, folder, song list, status), and its handlers hand the
// user's actions to the core. It implements the window-state interface
// through which the readers and the extraction reach it.
#pragma once

#include "FormDesign.h"
#include "RunGuard.h"
#include "WindowState.h"

#include <QIcon>
#include <QList>
#include <QString>
#include <QWidget>

#include <string>

class QGroupBox;
class QLabel;
class QLineEdit;
class QMimeData;
class QProgressBar;
class QPushButton;
class QToolBar;
class QToolButton;
class QTreeWidget;

namespace vorsa::ui
{
class DirectoryListBox;
class DriveComboBox;
} // namespace vorsa::ui

class TForm1 : public QWidget, public vorsa::WindowState
{
    Q_OBJECT
public:
    explicit TForm1(QWidget *parent = nullptr);
    ~TForm1() override;

    // Controls, in the order of the form's design. Each one's objectName is its name here.
    QLabel *Label1 = nullptr;         // path of the loaded cue sheet or .ccd file
    QLabel *Label2 = nullptr;         // path of the raw image
    QTreeWidget *ListView1 = nullptr; // song list: item i, ticked or not, is track i+1
    QLabel *Label3 = nullptr;
    QLabel *Label4 = nullptr;
    QLabel *Label5 = nullptr;
    QLineEdit *Edit1 = nullptr; // file-name prefix
    QLabel *Label6 = nullptr;   // destination folder, ending in "/" once set
    vorsa::ui::DriveComboBox *DriveComboBox1 = nullptr;
    vorsa::ui::DirectoryListBox *DirectoryListBox1 = nullptr;
    QList<QIcon> ImageList1; // open, extract, tick all, untick all; 32 x 32
    QToolBar *ToolBar1 = nullptr;
    QToolButton *ToolButton1 = nullptr; // open
    QToolButton *ToolButton2 = nullptr; // extract
    QToolButton *ToolButton3 = nullptr; // tick all
    QToolButton *ToolButton4 = nullptr; // untick all
    QGroupBox *GroupBox1 = nullptr;
    QLabel *Label7 = nullptr; // extraction status
    QProgressBar *ProgressBar1 = nullptr;
    QLabel *Label8 = nullptr;
    QLabel *Label9 = nullptr;       // credit line
    QLabel *Label10 = nullptr;      // version
    QLabel *Label11 = nullptr;      // link to the home page
    QPushButton *Button1 = nullptr; // stop, enabled only while an extraction runs

    // Loads a file named on the command line as a drop of that one file
    // does, once the event loop runs, with its whole name.
    void PostNamedFile(const QString &localPath);

    // True from the start of an extraction until it returns.
    bool ExtractionRunning() const { return runGuard_.Running(); }

    // The control's widget; the window itself for Form1.
    QWidget *ControlWidget(vorsa::ui::Control control) const;
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

public slots:
    void DirectoryListBox1Change();
    void Label11Click();
    void ToolButton1Click();
    void ToolButton2Click();
    void ToolButton3Click();
    void ToolButton4Click();
    void FormCreate();
    void Button1Click();

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void CreateControls();
    // Places, sizes and the font from the design, scaled to `dpi`.
    void LayOut(int dpi);
    void ConnectHandlers();
    // The drop action for the first dropped file's name.
    void WMDropFiles(const std::string &droppedName);
    // The drop action for a dropped file, once the drop is over.
    void PostDroppedFile(const QString &localPath);
    // Runs `load` once the event loop runs, unless a run has started by then.
    template <typename Load> void PostLoad(Load load);
    void SetAllTicks(bool ticked);
    // The label that holds a state text; nullptr for the prefix box.
    QLabel *StateLabel(vorsa::TextControl control) const;

    int layoutDpi_ = vorsa::ui::kDesignDpi;
    QString lastOpenName_; // the open dialog's name field starts with it
    vorsa::ui::RunGuard runGuard_;
};
