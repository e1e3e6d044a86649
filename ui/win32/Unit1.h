// The main window on Windows, made of the Win32 API and the common controls:
// its controls hold the state of the work (loaded file, image, prefix,
// folder, song list, status), and its handlers hand the user's actions to
// the core. It implements the window-state interface through which the
// readers and the extraction reach it.
#pragma once

#include "DirectoryListBox.h"
#include "DriveComboBox.h"
#include "FormDesign.h"
#include "RunGuard.h"
#include "WinHandles.h"
#include "WindowState.h"

#include <windows.h>

#include <shellapi.h>

#include <string>
#include <vector>

class TForm1 : public vorsa::WindowState
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
    void PostNamedFile(const std::string &name);

    // One message of a message loop: the window's keys first (accelerators,
    // then Tab, Enter and Esc among the controls), else dispatched.
    void Dispatch(MSG &message);

    // True from the start of an extraction until it returns.
    bool ExtractionRunning() const { return runGuard_.Running(); }

    // Controls, in the order of the form's design; each is a child of the window.
    HWND Label1 = nullptr;    // path of the loaded cue sheet or .ccd file
    HWND Label2 = nullptr;    // path of the raw image
    HWND ListView1 = nullptr; // song list: item i, ticked or not, is track i+1
    HWND Label3 = nullptr;
    HWND Label4 = nullptr;
    HWND Label5 = nullptr;
    HWND Edit1 = nullptr;  // file-name prefix
    HWND Label6 = nullptr; // destination folder, ending in "\" once set
    vorsa::win32::DriveComboBox DriveComboBox1;
    vorsa::win32::DirectoryListBox DirectoryListBox1;
    vorsa::win32::UniqueImageList ImageList1; // open, extract, tick all, untick all
    HWND ToolBar1 = nullptr; // the four tool buttons are its buttons, by command id
    HWND GroupBox1 = nullptr;
    HWND Label7 = nullptr; // extraction status
    HWND ProgressBar1 = nullptr;
    HWND Label8 = nullptr;
    HWND Label9 = nullptr;  // credit line
    HWND Label10 = nullptr; // version
    HWND Label11 = nullptr; // link to the home page
    HWND Button1 = nullptr; // stop, enabled only while an extraction runs

    // Handlers.
    void DirectoryListBox1Change();
    void Label11Click();
    void ToolButton1Click();
    void ToolButton2Click();
    void ToolButton3Click();
    void ToolButton4Click();
    void FormCreate();
    void Button1Click();
    void WMDropFiles(HDROP drop);

    // Shows `folder` in the folder list without making it current: the start-up state.
    void ShowDirectory(const std::string &folder);
    // Makes `folder` current, for the process too, and signals the change;
    // a folder that cannot be entered raises the input/output error.
    void OpenDirectory(const std::string &folder);

    // The control's window; the tool buttons are the tool bar's.
    HWND ControlHandle(vorsa::ui::Control control) const;
    // The dpi of the screen the window is on, and the one its form is laid
    // out at: lower where the window would not fit the screen at its own.
    UINT WindowDpi() const { return windowDpi_; }
    UINT LayoutDpi() const { return dpi_; }

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

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void OnCommand(int id, int code, HWND control);
    LRESULT OnNotify(const NMHDR &header);
    LRESULT OnControlColour(HDC dc, HWND control);
    LRESULT OnQueryEndSession();
    void OnEndSession(bool ending);

    void CreateControls();
    HWND CreateControl(const vorsa::ui::ControlDesign &design);
    // Fits the window to the work area of its screen at `windowDpi`, the
    // frame's top left at `topLeft` where it fits there, else centred.
    void Place(UINT windowDpi, const POINT *topLeft);
    // Positions, sizes, fonts and images for `dpi`, scaled from the 96-dpi design.
    void ApplyDpi(UINT dpi);
    int Scale(int designPixels) const;
    void PickDrive();
    void OpenSelectedFolderEntry();
    void SetAllTicks(bool ticked);
    void FitSongListColumn();
    bool CommandEnabled(int id) const;
    HWND StateControl(vorsa::TextControl control) const;
    void LoadPending();

    HWND Form1_ = nullptr;
    HWND pathTips_ = nullptr; // the path labels' tool tips
    HWND focusBeforeDeactivation_ = nullptr;
    UINT windowDpi_ = USER_DEFAULT_SCREEN_DPI;
    UINT dpi_ = USER_DEFAULT_SCREEN_DPI; // the form's
    bool sessionEnding_ = false;
    vorsa::win32::UniqueFont font_;
    vorsa::win32::UniqueFont linkFont_;
    vorsa::win32::UniqueBrush creamBrush_;
    vorsa::win32::UniqueBrush linkBackBrush_;
    vorsa::win32::UniqueAccelerators accelerators_;
    std::wstring tipText_; // the tool button hint being shown

    std::string lastOpenName_; // the open dialog's name field starts with it
    std::vector<std::string> pendingLoads_;
    vorsa::ui::RunGuard runGuard_;
};
