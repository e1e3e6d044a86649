// The main window on Windows, made of the Win32 API and the common controls:
// its controls hold the state of the work (loaded file, image, prefix,
// folder, song list, status), and its handlers hand the user's actions to
// the form's actions, over the view this window is.
#pragma once

#include "Control.h"
#include "DirectoryListBox.h"
#include "DriveComboBox.h"
#include "Folders.h"
#include "FormActions.h"
#include "FormDesign.h"
#include "FormLayout.h"
#include "FormView.h"
#include "LinkLabel.h"
#include "ListView.h"
#include "MessageLoop.h"
#include "StateLabel.h"
#include "ToolBar.h"

#include <windows.h>

#include <shellapi.h>

#include <array>
#include <optional>
#include <string>

class TForm1 : public vorsa::ui::FormView
{
public:
    // Control ids: the tool buttons' commands, the accelerators' and the
    // controls' own.
    enum Id : int {
        kToolButton1 = 101, // open
        kToolButton2,       // extract
        kToolButton3,       // tick all
        kToolButton4,       // untick all
        kButton1,           // stop
        kListView1,
        kEdit1,
        kDriveComboBox1,
        kDirectoryListBox1,
        kLabel11,
    };

    // Creates the window and its controls, hidden; FormCreate has run.
    TForm1();
    ~TForm1() override;
    TForm1(const TForm1 &) = delete;
    TForm1 &operator=(const TForm1 &) = delete;

    HWND Handle() const { return Form1_; }

    // Loads the file named on the command line once the message loop runs.
    void PostNamedFile(const std::string &name) { actions_.LoadNamedFile(name); }
    // Runs the program's message loop until the window is gone: the exit code.
    int Run() { return loop_->Run(); }
    // One message of a message loop, the window's keys first.
    void Dispatch(MSG &message) { loop_->Dispatch(message); }

    // True from the start of an extraction until it returns.
    bool ExtractionRunning() const { return actions_.Running(); }

    // Controls, in the order of the form's design; each is a child of the window.
    using Shows = vorsa::win32::StateLabel::Shows;
    vorsa::win32::StateLabel Label1{Shows::Path}; // the loaded cue sheet or .ccd file
    vorsa::win32::StateLabel Label2{Shows::Path}; // the raw image
    // The song list: item i, ticked or not, is track i+1.
    vorsa::win32::ListView ListView1{vorsa::ui::kSongListHeading};
    vorsa::win32::Label Label3;
    vorsa::win32::Label Label4;
    vorsa::win32::Label Label5;
    vorsa::win32::Edit Edit1;                     // file-name prefix
    vorsa::win32::StateLabel Label6{Shows::Path}; // destination folder, ending in "\" once set
    vorsa::win32::DriveComboBox DriveComboBox1;
    vorsa::win32::DirectoryListBox DirectoryListBox1;
    vorsa::win32::ToolBar ToolBar1; // the four tool buttons, by command id, and ImageList1
    vorsa::win32::Button GroupBox1{BS_GROUPBOX};
    vorsa::win32::StateLabel Label7{Shows::Status}; // extraction status
    vorsa::win32::ProgressBar ProgressBar1;
    vorsa::win32::Label Label8;
    vorsa::win32::Label Label9;      // credit line
    vorsa::win32::Label Label10;     // version
    vorsa::win32::LinkLabel Label11; // link to the home page
    // Stop, enabled only while an extraction runs.
    vorsa::win32::Button Button1{BS_PUSHBUTTON | WS_TABSTOP | WS_DISABLED};

    // Handlers.
    void DirectoryListBox1Change() { actions_.DirectoryListBox1Change(); }
    void Label11Click() { actions_.Label11Click(); }
    void ToolButton1Click() { actions_.ToolButton1Click(); }
    void ToolButton2Click() { actions_.ToolButton2Click(); }
    void ToolButton3Click() { actions_.ToolButton3Click(); }
    void ToolButton4Click() { actions_.ToolButton4Click(); }
    void FormCreate();
    void Button1Click() { actions_.Button1Click(); }
    void WMDropFiles(HDROP drop);

    // Shows `folder` in the folder list without making it current: the start-up state.
    void ShowDirectory(const std::string &folder);

    // The control's window; the tool buttons are the tool bar's.
    HWND ControlHandle(vorsa::ui::Control control) const
    {
        return control == vorsa::ui::Control::Form1 ? Form1_ : ControlOf(control).Handle();
    }
    // The dpi of the screen the window is on, and the one its form is laid
    // out at: lower where the window would not fit the screen at its own.
    UINT WindowDpi() const { return layout_->WindowDpi(); }
    UINT LayoutDpi() const { return layout_->LayoutDpi(); }

    // vorsa::WindowState
    std::string Text(vorsa::TextControl control) const override;
    void SetText(vorsa::TextControl control, const std::string &text) override;
    void ClearSongList() override { ListView1.DeleteAllItems(); }
    void AddSongListItem(const std::string &caption) override { ListView1.AddItem(caption); }
    int SongListCount() const override { return ListView1.ItemCount(); }
    bool ItemChecked(int index) const override { return ListView1.CheckState(index); }
    void SetProgress(int position) override { ProgressBar1.SetPosition(position); }
    void SetStopEnabled(bool enabled) override;
    void ShowMessage(const std::string &text) override;
    void ProcessEvents() override { loop_->ProcessEvents(); }

    // vorsa::ui::FormView
    std::optional<std::string> ChooseOpenFile(std::string_view filterShown,
                                              std::string_view patterns,
                                              const std::string &initialName) override;
    void SetItemChecked(int index, bool checked) override
    {
        ListView1.SetCheckState(index, checked);
    }
    void Post(std::function<void()> work) override { loop_->Post(std::move(work)); }
    void ShowRunning(bool running) override;
    void CloseLater() override { ::PostMessageW(Form1_, WM_CLOSE, 0, 0); }
    void OpenAddress(std::string_view address) override { Label11.Open(address); }
    std::string FolderListDirectory() const override { return DirectoryListBox1.Directory(); }
    void EnterFolder(const std::string &folder) override
    {
        DirectoryListBox1.OpenDirectory(folder);
    }
    void ShowDriveOf(const std::string &folder) override { DriveComboBox1.ShowDriveOf(folder); }
    std::string DriveOf(const std::string &folder) const override
    {
        return vorsa::win32::DriveOf(folder);
    }
    std::string DriveRoot(const std::string &drive) const override { return drive + "\\"; }
    std::string StartFolderOf(const std::string &drive) const override
    {
        return vorsa::win32::SystemCurrentFolderOf(drive);
    }

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void OnCommand(int id, int code, HWND control);
    LRESULT OnControlColour(HDC dc, HWND control);
    void OnActivate(bool active);

    const vorsa::win32::Control &ControlOf(vorsa::ui::Control control) const;
    vorsa::win32::Control &ControlOf(vorsa::ui::Control control);
    const vorsa::win32::StateLabel *StateLabelOf(vorsa::TextControl control) const;
    bool KeptByControl(const MSG &key) const;
    bool CommandEnabled(int id) const;
    void PickDrive();
    void OpenSelectedFolderEntry();

    // Each control with its control id (0: it sends the window nothing);
    // the tool buttons are the bar's.
    struct Slot {
        vorsa::ui::Control control;
        vorsa::win32::Control *made;
        int id;
    };
    std::array<Slot, 19> controls_;

    HWND Form1_ = nullptr;
    HWND focusBeforeDeactivation_ = nullptr;
    vorsa::ui::FormActions actions_;
    std::optional<vorsa::win32::FormLayout> layout_;
    std::optional<vorsa::win32::MessageLoop> loop_;
};
