#include "Unit1.h"

#include "BoxText.h"
#include "CodePage.h"
#include "Credits.h"
#include "Dialogs.h"
#include "DiscReaders.h"
#include "Extraction.h"
#include "Messages.h"
#include "NamedFile.h"
#include "Resources.h"
#include "WinText.h"

#include <commctrl.h>
#include <shellapi.h>
#include <windowsx.h>

#include <cstdint>
#include <exception>
#include <optional>
#include <stdexcept>
#include <string_view>
#include <utility>

using vorsa::TextControl;
using vorsa::win32::SetProgramText;

namespace
{

constexpr wchar_t kWindowClass[] = L"TForm1";
// Not WS_CLIPCHILDREN: the group box draws only its frame, and the window
// paints the face colour inside it.
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr DWORD kChild = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
// The file named on the command line, loaded once the message loop runs.
constexpr UINT kLoadPendingMessage = WM_APP + 1;

constexpr int kClientWidth = 348; // pixels at 96 dpi
constexpr int kClientHeight = 523;
constexpr int kFontPixels = 12;
constexpr int kImagePixels = 32;
constexpr int kFolderItemHeight = 16;
constexpr int kFolderIndentPixels = 8; // per level of the chain
constexpr int kGroupLeft = 8;          // GroupBox1, whose controls are placed within it
constexpr int kGroupTop = 400;
constexpr COLORREF kCream = RGB(255, 251, 240);
constexpr COLORREF kNavy = RGB(0, 0, 128);

constexpr std::string_view kOpenFilterShown = "ccd,cueファイル(*.cue,*.ccd)";
constexpr std::string_view kOpenPatterns = "*.cue;*.ccd";

struct ToolButton {
    int id;
    int image; // index in ImageList1
    int icon;  // its resource
    std::string_view hint;
};
constexpr ToolButton kToolButtons[] = {
    {TForm1::kToolButton1, 0, IDI_OPEN, "cue/ccdを読み込みます"},
    {TForm1::kToolButton2, 1, IDI_EXTRACT, "Waveファイルを取り出します"},
    {TForm1::kToolButton3, 2, IDI_TICKALL, "全曲にチェックを付けます"},
    {TForm1::kToolButton4, 3, IDI_UNTICKALL, "全曲のチェックを解除します"},
};

// Where a control sits in the 96-dpi design; a zero size is its text's.
struct Placement {
    HWND TForm1::*control;
    int left, top, width, height;
};
constexpr Placement kPlacements[] = {
    {&TForm1::ToolBar1, 0, 0, kClientWidth, 41},
    {&TForm1::Label3, 8, 64, 0, 0},
    {&TForm1::Label1, 8, 80, 185, 25},
    {&TForm1::Label4, 8, 112, 0, 0},
    {&TForm1::Label2, 8, 128, 185, 25},
    {&TForm1::Label5, 8, 160, 0, 0},
    {&TForm1::Edit1, 8, 176, 185, 20},
    {&TForm1::Label8, 8, 200, 0, 0},
    {&TForm1::Label6, 8, 216, 185, 20},
    {&TForm1::DirectoryListBox1, 8, 256, 185, 137},
    {&TForm1::GroupBox1, kGroupLeft, kGroupTop, 185, 65},
    {&TForm1::Label7, kGroupLeft + 16, kGroupTop + 16, 121, 17},
    {&TForm1::ProgressBar1, kGroupLeft + 16, kGroupTop + 33, 121, 16},
    {&TForm1::Button1, kGroupLeft + 144, kGroupTop + 16, 33, 33},
    {&TForm1::ListView1, 208, 56, 129, 409},
    {&TForm1::Label10, 8, 480, 0, 0},
    {&TForm1::Label9, 208, 480, 0, 0},
    {&TForm1::Label11, 176, 496, 0, 0},
};
// The drive selector's closed height; its window is taller by its drop-down list.
constexpr int kDriveLeft = 8, kDriveTop = 240, kDriveWidth = 185, kDriveHeight = 18;
constexpr int kDriveListHeight = 160;

HINSTANCE Instance()
{
    return ::GetModuleHandleW(nullptr);
}

void RegisterWindowClass(WNDPROC procedure)
{
    WNDCLASSEXW windowClass{};
    if (::GetClassInfoExW(Instance(), kWindowClass, &windowClass))
        return;
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = Instance();
    // The program's icon, from vorsa.exe's resources; none in a test program.
    windowClass.hIcon = ::LoadIconW(Instance(), MAKEINTRESOURCEW(IDI_VORSA));
    windowClass.hIconSm = static_cast<HICON>(
        ::LoadImageW(Instance(), MAKEINTRESOURCEW(IDI_VORSA), IMAGE_ICON,
                     ::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON), 0));
    windowClass.hCursor = ::LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // IDC_ARROW
    windowClass.hbrBackground = ::GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = kWindowClass;
    ::RegisterClassExW(&windowClass);
}

HWND MakeChild(HWND parent, const wchar_t *className, DWORD style, DWORD exStyle = 0, int id = 0)
{
    return ::CreateWindowExW(exStyle, className, L"", kChild | style, 0, 0, 0, 0, parent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), Instance(),
                             nullptr);
}

// The fixed-size labels show their text on one line, cut at the right edge.
HWND MakeLabel(HWND parent, DWORD style = SS_LEFTNOWORDWRAP, int id = 0)
{
    return MakeChild(parent, WC_STATICW, style | SS_NOPREFIX, 0, id);
}

HWND MakeHeading(HWND parent, std::string_view text)
{
    HWND label = MakeLabel(parent);
    SetProgramText(label, text);
    return label;
}

// The link's background: the caption text colour, white on the desktops
// the design was made for. Where that colour is dark (black on Windows 10
// and 11), navy text on it could not be read, and the window colour stands in.
COLORREF LinkBackground()
{
    const COLORREF caption = ::GetSysColor(COLOR_CAPTIONTEXT);
    const int brightness =
        (GetRValue(caption) * 299 + GetGValue(caption) * 587 + GetBValue(caption) * 114) / 1000;
    return brightness >= 128 ? caption : ::GetSysColor(COLOR_WINDOW);
}

SIZE TextSize(HWND control, HFONT font)
{
    const int length = ::GetWindowTextLengthW(control);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    ::GetWindowTextW(control, text.data(), length + 1);
    SIZE size{};
    HDC dc = ::GetDC(control);
    HGDIOBJ previous = ::SelectObject(dc, font);
    ::GetTextExtentPoint32W(dc, text.c_str(), length, &size);
    ::SelectObject(dc, previous);
    ::ReleaseDC(control, dc);
    return size;
}

} // namespace

TForm1::TForm1()
    : creamBrush_(::CreateSolidBrush(kCream)),
      runGuard_({.showRunning =
                     [this](bool running) {
                         for (const int id : {kToolButton1, kToolButton2})
                             ::SendMessageW(ToolBar1, TB_ENABLEBUTTON, id, MAKELONG(!running, 0));
                         // No drop is offered where none would be taken.
                         ::DragAcceptFiles(Form1_, !running);
                     },
                 .stop = [this] { Button1Click(); },
                 .closeLater = [this] { ::PostMessageW(Form1_, WM_CLOSE, 0, 0); }})
{
    const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX),
                                       ICC_BAR_CLASSES | ICC_LISTVIEW_CLASSES | ICC_PROGRESS_CLASS |
                                           ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&classes);
    RegisterWindowClass(&TForm1::WindowProc);

    // Sized for the system's dpi, centred on the desktop's work area.
    dpi_ = ::GetDpiForSystem();
    RECT frame{0, 0, Scale(kClientWidth), Scale(kClientHeight)};
    ::AdjustWindowRectExForDpi(&frame, kWindowStyle, FALSE, 0, dpi_);
    RECT desktop{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &desktop, 0);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    ::CreateWindowExW(0, kWindowClass, L"Vorsa", kWindowStyle,
                      desktop.left + (desktop.right - desktop.left - width) / 2,
                      desktop.top + (desktop.bottom - desktop.top - height) / 2, width, height,
                      nullptr, nullptr, Instance(), this);
    if (!Form1_)
        throw std::runtime_error("CreateWindowExW failed");

    CreateControls();
    ApplyDpi(::GetDpiForWindow(Form1_));
    // The process's folder is shown, but no change is signalled: the
    // destination stays unset until the user opens a folder.
    ShowDirectory(vorsa::win32::CurrentFolder());

    // The keyboard reaches what the mouse does.
    ACCEL keys[] = {
        {FVIRTKEY | FCONTROL, 'O', kToolButton1}, {FVIRTKEY | FCONTROL, 'S', kToolButton2},
        {FVIRTKEY | FCONTROL, 'A', kToolButton3}, {FVIRTKEY | FCONTROL | FSHIFT, 'A', kToolButton4},
        {FVIRTKEY, VK_ESCAPE, kButton1},
    };
    accelerators_.reset(::CreateAcceleratorTableW(keys, static_cast<int>(std::size(keys))));
    ::SetFocus(ListView1);
    FormCreate();
}

TForm1::~TForm1()
{
    if (::IsWindow(Form1_))
        ::DestroyWindow(Form1_);
}

int TForm1::Scale(int designPixels) const
{
    return ::MulDiv(designPixels, static_cast<int>(dpi_), USER_DEFAULT_SCREEN_DPI);
}

void TForm1::CreateControls()
{
    // Created in the tab order: song list, prefix box, drive selector,
    // folder list, tool bar, then the group's progress bar and stop button.
    ListView1 =
        MakeChild(Form1_, WC_LISTVIEWW,
                  WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER,
                  WS_EX_CLIENTEDGE, kListView1);
    ListView_SetExtendedListViewStyle(ListView1, LVS_EX_CHECKBOXES | LVS_EX_GRIDLINES |
                                                     LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = const_cast<wchar_t *>(L"SongList");
    column.cx = 100;
    ::SendMessageW(ListView1, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));

    Edit1 = MakeChild(Form1_, WC_EDITW, WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, kEdit1);
    DriveComboBox1 = MakeChild(Form1_, WC_COMBOBOXW, WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0,
                               kDriveComboBox1);
    DirectoryListBox1 =
        MakeChild(Form1_, WC_LISTBOXW,
                  WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_OWNERDRAWFIXED | LBS_NOINTEGRALHEIGHT,
                  WS_EX_CLIENTEDGE, kDirectoryListBox1);

    // With its divider, the etched line along its top edge, which sets
    // the buttons 2 pixels down.
    ToolBar1 = MakeChild(Form1_, TOOLBARCLASSNAMEW,
                         TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_NORESIZE | CCS_NOPARENTALIGN);
    ::SendMessageW(ToolBar1, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    for (const ToolButton &tool : kToolButtons) {
        TBBUTTON button{};
        button.iBitmap = tool.image;
        button.idCommand = tool.id;
        button.fsState = TBSTATE_ENABLED;
        button.fsStyle = BTNS_BUTTON;
        button.iString = -1;
        ::SendMessageW(ToolBar1, TB_ADDBUTTONSW, 1, reinterpret_cast<LPARAM>(&button));
    }

    ProgressBar1 = MakeChild(Form1_, PROGRESS_CLASSW, 0);
    ::SendMessageW(ProgressBar1, PBM_SETRANGE32, 0, 100);
    Button1 = MakeChild(Form1_, WC_BUTTONW, WS_TABSTOP | WS_DISABLED | BS_PUSHBUTTON, 0, kButton1);
    SetProgramText(Button1, "中断");
    // Status, progress and stop lie over the group's frame, which is created after them.
    Label7 = MakeLabel(Form1_, SS_CENTER);
    GroupBox1 = MakeChild(Form1_, WC_BUTTONW, BS_GROUPBOX);
    SetProgramText(GroupBox1, "Waveリッピング状況");

    // The path labels take the pointer, for the tool tip that shows the whole path.
    Label1 = MakeLabel(Form1_, SS_LEFTNOWORDWRAP | SS_NOTIFY);
    Label2 = MakeLabel(Form1_, SS_LEFTNOWORDWRAP | SS_NOTIFY);
    Label6 = MakeLabel(Form1_, SS_LEFTNOWORDWRAP | SS_NOTIFY);
    Label3 = MakeHeading(Form1_, "cue/ccdファイル");
    Label4 = MakeHeading(Form1_, "imgファイル");
    Label5 = MakeHeading(Form1_, "Wave接頭語");
    Label8 = MakeHeading(Form1_, "Wave作成先フォルダ");
    Label9 = MakeHeading(Form1_, vorsa::ui::kCreditLine);
    Label10 = MakeHeading(Form1_, vorsa::ui::kVersionLine);
    Label11 = MakeLabel(Form1_, SS_LEFTNOWORDWRAP | SS_NOTIFY, kLabel11);
    SetProgramText(Label11, vorsa::ui::kHomePage);
    linkBackBrush_.reset(::CreateSolidBrush(LinkBackground()));

    pathTips_ =
        ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                          WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                          CW_USEDEFAULT, CW_USEDEFAULT, Form1_, nullptr, Instance(), nullptr);
    for (HWND label : {Label1, Label2, Label6}) {
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = Form1_;
        tool.uId = reinterpret_cast<UINT_PTR>(label);
        tool.lpszText = const_cast<wchar_t *>(L"");
        ::SendMessageW(pathTips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

void TForm1::ApplyDpi(UINT dpi)
{
    dpi_ = dpi;
    LOGFONTW face{};
    face.lfHeight = -Scale(kFontPixels);
    face.lfCharSet = SHIFTJIS_CHARSET;
    face.lfQuality = DEFAULT_QUALITY;
    const std::wstring faceName = vorsa::win32::Widen("ＭＳ Ｐゴシック");
    faceName.copy(face.lfFaceName, LF_FACESIZE - 1);
    font_.reset(::CreateFontIndirectW(&face));
    face.lfUnderline = TRUE;
    linkFont_.reset(::CreateFontIndirectW(&face));

    const auto fontFor = [this](HWND control) {
        return control == Label11 ? linkFont_.get() : font_.get();
    };
    for (HWND control :
         {Label1, Label2,         ListView1,         Label3,   Label4,    Label5,   Edit1,
          Label6, DriveComboBox1, DirectoryListBox1, ToolBar1, GroupBox1, Label7,   ProgressBar1,
          Label8, Label9,         Label10,           Label11,  Button1,   pathTips_})
        ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(fontFor(control)), FALSE);

    // The image list at the size of this dpi, from the icons' nearest size.
    const int imageSize = Scale(kImagePixels);
    ImageList1.reset(::ImageList_Create(imageSize, imageSize, ILC_COLOR32 | ILC_MASK, 4, 0));
    for (const ToolButton &tool : kToolButtons) {
        HICON icon = static_cast<HICON>(::LoadImageW(Instance(), MAKEINTRESOURCEW(tool.icon),
                                                     IMAGE_ICON, imageSize, imageSize, 0));
        ::ImageList_AddIcon(ImageList1.get(), icon);
        if (icon)
            ::DestroyIcon(icon);
    }
    ::SendMessageW(ToolBar1, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(ImageList1.get()));
    ::SendMessageW(ToolBar1, TB_SETHOTIMAGELIST, 0, reinterpret_cast<LPARAM>(ImageList1.get()));
    ::SendMessageW(ToolBar1, TB_SETBITMAPSIZE, 0, MAKELONG(imageSize, imageSize));
    ::SendMessageW(ToolBar1, TB_SETBUTTONSIZE, 0, MAKELONG(Scale(39), Scale(38)));

    for (const Placement &place : kPlacements) {
        HWND control = this->*place.control;
        SIZE size{Scale(place.width), Scale(place.height)};
        if (place.width == 0)
            size = TextSize(control, fontFor(control));
        ::SetWindowPos(control, nullptr, Scale(place.left), Scale(place.top), size.cx, size.cy,
                       SWP_NOZORDER | SWP_NOACTIVATE);
    }

    // The drive selector: its closed height is that of its selection field,
    // set through the field's item height, whose frame the control adds.
    ::SetWindowPos(DriveComboBox1, nullptr, Scale(kDriveLeft), Scale(kDriveTop), Scale(kDriveWidth),
                   Scale(kDriveHeight + kDriveListHeight), SWP_NOZORDER | SWP_NOACTIVATE);
    const int fieldHeight = Scale(kDriveHeight);
    int itemHeight = fieldHeight - 6;
    for (int tries = 0; tries < 3; ++tries) {
        ::SendMessageW(DriveComboBox1, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), itemHeight);
        RECT closed{};
        ::GetWindowRect(DriveComboBox1, &closed);
        const int error = fieldHeight - (closed.bottom - closed.top);
        if (error == 0)
            break;
        itemHeight += error;
    }

    ::SendMessageW(DirectoryListBox1, LB_SETITEMHEIGHT, 0, Scale(kFolderItemHeight));
    FitSongListColumn();
    ::InvalidateRect(Form1_, nullptr, TRUE);
}

// ---- the window procedure ----

LRESULT CALLBACK TForm1::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto *form =
            static_cast<TForm1 *>(reinterpret_cast<const CREATESTRUCTW *>(lParam)->lpCreateParams);
        form->Form1_ = window;
        ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
    }
    auto *form = reinterpret_cast<TForm1 *>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!form)
        return ::DefWindowProcW(window, message, wParam, lParam);
    // The application's default exception display: the action ends where
    // the error arose, what it wrote stays, and the message loop goes on.
    try {
        return form->HandleMessage(message, wParam, lParam);
    } catch (const std::exception &error) {
        vorsa::win32::ShowErrorBox(error);
    } catch (...) {
        // Nothing of the program's raises anything else; still, nothing crosses the loop.
        vorsa::win32::ShowErrorBox(std::bad_exception());
    }
    return 0;
}

LRESULT TForm1::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
        return 0;
    case WM_NOTIFY:
        return OnNotify(*reinterpret_cast<const NMHDR *>(lParam));
    case WM_CTLCOLORSTATIC:
        return OnControlColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_SETCURSOR:
        if (reinterpret_cast<HWND>(wParam) == Label11) {
            ::SetCursor(::LoadCursorW(nullptr, MAKEINTRESOURCEW(32649))); // IDC_HAND
            return TRUE;
        }
        break;
    case WM_MEASUREITEM: {
        auto &item = *reinterpret_cast<MEASUREITEMSTRUCT *>(lParam);
        if (item.CtlID == kDirectoryListBox1) {
            item.itemHeight = static_cast<UINT>(Scale(kFolderItemHeight));
            return TRUE;
        }
        if (item.CtlID == kDriveComboBox1) {
            // The selection field's, which ApplyDpi sets again; the list's.
            item.itemHeight = static_cast<UINT>(
                item.itemID == static_cast<UINT>(-1) ? Scale(kDriveHeight) - 6 : Scale(16));
            return TRUE;
        }
        break;
    }
    case WM_DRAWITEM: {
        const auto &item = *reinterpret_cast<const DRAWITEMSTRUCT *>(lParam);
        if (item.CtlID == kDirectoryListBox1) {
            OnDrawFolderEntry(item);
            return TRUE;
        }
        if (item.CtlID == kDriveComboBox1) {
            OnDrawDrive(item);
            return TRUE;
        }
        break;
    }
    case WM_DROPFILES:
        WMDropFiles(reinterpret_cast<HDROP>(wParam));
        return 0;
    case kLoadPendingMessage:
        LoadPending();
        return 0;
    case WM_DPICHANGED: {
        ApplyDpi(HIWORD(wParam));
        const RECT &suggested = *reinterpret_cast<const RECT *>(lParam);
        ::SetWindowPos(Form1_, nullptr, suggested.left, suggested.top,
                       suggested.right - suggested.left, suggested.bottom - suggested.top,
                       SWP_NOZORDER | SWP_NOACTIVATE);
        return 0;
    }
    case WM_ACTIVATE:
        // The control that had the keyboard gets it back with the window.
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focused = ::GetFocus();
            if (focused && ::IsChild(Form1_, focused))
                focusBeforeDeactivation_ = focused;
        } else if (focusBeforeDeactivation_ && ::IsWindow(focusBeforeDeactivation_)) {
            ::SetFocus(focusBeforeDeactivation_);
        }
        return 0;
    case WM_CLOSE:
        if (runGuard_.MayClose())
            ::DestroyWindow(Form1_);
        return 0;
    case WM_DESTROY:
        ::PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return ::DefWindowProcW(Form1_, message, wParam, lParam);
}

bool TForm1::CommandEnabled(int id) const
{
    if (id == kButton1)
        return ::IsWindowEnabled(Button1);
    return ::SendMessageW(ToolBar1, TB_ISBUTTONENABLED, id, 0) != 0;
}

void TForm1::OnCommand(int id, int code, HWND control)
{
    // A key does nothing where a click on the disabled button would not.
    const bool fromKeys = code == 1 && control == nullptr;
    if (fromKeys && !CommandEnabled(id))
        return;
    switch (id) {
    case kToolButton1:
        ToolButton1Click();
        break;
    case kToolButton2:
        ToolButton2Click();
        break;
    case kToolButton3:
        ToolButton3Click();
        break;
    case kToolButton4:
        ToolButton4Click();
        break;
    case kButton1:
        if (fromKeys || code == BN_CLICKED)
            Button1Click();
        break;
    case IDCANCEL: // Esc among the controls
        if (::IsWindowEnabled(Button1))
            Button1Click();
        break;
    case IDOK: // Enter among the controls: opens the folder list's selected entry
        if (::GetFocus() == DirectoryListBox1)
            OpenSelectedFolderEntry();
        break;
    case kDirectoryListBox1:
        if (code == LBN_DBLCLK)
            OpenSelectedFolderEntry();
        break;
    case kDriveComboBox1:
        if (code == CBN_SELCHANGE)
            PickDrive();
        break;
    case kLabel11:
        if (code == STN_CLICKED)
            Label11Click();
        break;
    default:
        break;
    }
}

LRESULT TForm1::OnNotify(const NMHDR &header)
{
    if (header.code == TTN_GETDISPINFOW) {
        // The tool buttons' hints, asked for by the tool bar's own tool tips.
        auto &info = const_cast<NMTTDISPINFOW &>(reinterpret_cast<const NMTTDISPINFOW &>(header));
        for (const ToolButton &tool : kToolButtons) {
            if (static_cast<UINT_PTR>(tool.id) == header.idFrom) {
                tipText_ = vorsa::win32::Widen(tool.hint);
                info.lpszText = tipText_.data();
            }
        }
    }
    return 0;
}

LRESULT TForm1::OnControlColour(HDC dc, HWND control)
{
    if (control == Label1 || control == Label2 || control == Label6 || control == Label7) {
        ::SetBkColor(dc, kCream);
        return reinterpret_cast<LRESULT>(creamBrush_.get());
    }
    if (control == Label11) {
        ::SetTextColor(dc, kNavy);
        ::SetBkColor(dc, LinkBackground());
        return reinterpret_cast<LRESULT>(linkBackBrush_.get());
    }
    ::SetBkColor(dc, ::GetSysColor(COLOR_BTNFACE));
    return reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_BTNFACE));
}

void TForm1::OnDrawFolderEntry(const DRAWITEMSTRUCT &item)
{
    if (item.itemID >= folderEntries_.size())
        return;
    const vorsa::win32::FolderEntry &entry = folderEntries_[item.itemID];
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    ::FillRect(item.hDC, &item.rcItem,
               ::GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    ::SetTextColor(item.hDC, ::GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    ::SetBkMode(item.hDC, TRANSPARENT);
    HGDIOBJ previous = ::SelectObject(item.hDC, font_.get());
    // Each level a step further in; the name is the folder's bare name.
    RECT text = item.rcItem;
    text.left += Scale(2 + entry.level * kFolderIndentPixels);
    ::DrawTextA(item.hDC, entry.name.c_str(), static_cast<int>(entry.name.size()), &text,
                DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    ::SelectObject(item.hDC, previous);
    if (item.itemState & ODS_FOCUS)
        ::DrawFocusRect(item.hDC, &item.rcItem);
}

void TForm1::OnDrawDrive(const DRAWITEMSTRUCT &item)
{
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    ::FillRect(item.hDC, &item.rcItem,
               ::GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    if (item.itemID >= drives_.size())
        return;
    const std::string &drive = drives_[item.itemID];
    ::SetTextColor(item.hDC, ::GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    ::SetBkMode(item.hDC, TRANSPARENT);
    HGDIOBJ previous = ::SelectObject(item.hDC, font_.get());
    RECT text = item.rcItem;
    text.left += Scale(2);
    ::DrawTextA(item.hDC, drive.c_str(), static_cast<int>(drive.size()), &text,
                DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    ::SelectObject(item.hDC, previous);
    if (item.itemState & ODS_FOCUS)
        ::DrawFocusRect(item.hDC, &item.rcItem);
}

// ---- message loop ----

void TForm1::Dispatch(MSG &message)
{
    if (message.hwnd == Form1_ || ::IsChild(Form1_, message.hwnd)) {
        // In the prefix box Ctrl+A and Ctrl+Shift+A act on its text.
        const bool editKeys = message.message == WM_KEYDOWN && message.wParam == 'A' &&
                              ::GetKeyState(VK_CONTROL) < 0 && ::GetFocus() == Edit1;
        if (!editKeys && ::TranslateAcceleratorW(Form1_, accelerators_.get(), &message))
            return;
        if (::IsDialogMessageW(Form1_, &message))
            return;
    }
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
}

void TForm1::ProcessEvents()
{
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // For the loop that runs the program.
            ::PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        Dispatch(message);
    }
}

// ---- vorsa::WindowState ----

HWND TForm1::StateControl(TextControl control) const
{
    switch (control) {
    case TextControl::Label1:
        return Label1;
    case TextControl::Label2:
        return Label2;
    case TextControl::Label6:
        return Label6;
    case TextControl::Label7:
        return Label7;
    case TextControl::Edit1:
        break;
    }
    return Edit1;
}

std::string TForm1::Text(TextControl control) const
{
    return vorsa::win32::NarrowText(StateControl(control));
}

void TForm1::SetText(TextControl control, const std::string &text)
{
    HWND shown = StateControl(control);
    vorsa::win32::SetNarrowText(shown, text);
    // The paths are cut at the label's edge; the pointer resting on one shows it whole.
    if (shown == Label1 || shown == Label2 || shown == Label6) {
        TTTOOLINFOA tool{};
        tool.cbSize = sizeof tool;
        tool.hwnd = Form1_;
        tool.uId = reinterpret_cast<UINT_PTR>(shown);
        tool.lpszText = const_cast<char *>(text.c_str());
        ::SendMessageA(pathTips_, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

void TForm1::ClearSongList()
{
    ListView_DeleteAllItems(ListView1);
    FitSongListColumn();
}

void TForm1::FitSongListColumn()
{
    // The one column fills the list's width, beside a scroll bar once there is one.
    RECT client{};
    ::GetClientRect(ListView1, &client);
    ListView_SetColumnWidth(ListView1, 0, client.right - client.left);
}

void TForm1::AddSongListItem(const std::string &caption)
{
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = ListView_GetItemCount(ListView1);
    item.pszText = const_cast<char *>(caption.c_str());
    ::SendMessageA(ListView1, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    FitSongListColumn();
}

int TForm1::SongListCount() const
{
    return ListView_GetItemCount(ListView1);
}

bool TForm1::ItemChecked(int index) const
{
    return index >= 0 && index < SongListCount() && ListView_GetCheckState(ListView1, index);
}

void TForm1::SetProgress(int position)
{
    ::SendMessageW(ProgressBar1, PBM_SETPOS, static_cast<WPARAM>(position), 0);
}

void TForm1::SetStopEnabled(bool enabled)
{
    // The keyboard is not left on a control that turns disabled.
    if (!enabled && ::GetFocus() == Button1)
        ::SetFocus(ListView1);
    ::EnableWindow(Button1, enabled);
}

void TForm1::ShowMessage(const std::string &text)
{
    vorsa::win32::ShowMessageBox(vorsa::ui::MessageBoxText(text));
}

// ---- handlers ----

void TForm1::DirectoryListBox1Change()
{
    SetText(TextControl::Label6, vorsa::text::WithTrailingDelimiter(directory_));
}

void TForm1::Label11Click()
{
    // A browser that fails to start is not reported.
    ::ShellExecuteA(Form1_, "open", vorsa::win32::NarrowText(Label11).c_str(), nullptr, nullptr,
                    SW_SHOW);
}

void TForm1::ToolButton1Click()
{
    if (!runGuard_.MayLoad())
        return;
    const std::string filter =
        vorsa::messages::Narrow(kOpenFilterShown) + '\0' + std::string(kOpenPatterns) + '\0';
    const std::optional<std::string> chosen =
        vorsa::win32::ChooseOpenFile(Form1_, filter, lastOpenName_);
    if (!chosen)
        return;
    lastOpenName_ = *chosen;
    vorsa::LoadControlFile(*this, *chosen);
}

void TForm1::ToolButton2Click()
{
    runGuard_.Extract(*this);
}

void TForm1::ToolButton3Click()
{
    SetAllTicks(true);
}

void TForm1::ToolButton4Click()
{
    SetAllTicks(false);
}

void TForm1::FormCreate()
{
    ::DragAcceptFiles(Form1_, TRUE);
}

void TForm1::Button1Click()
{
    vorsa::Button1Click();
    // The stop is taken: the button stays off until the run ends, so the
    // user sees it even while the current track is still being copied.
    SetStopEnabled(false);
}

void TForm1::SetAllTicks(bool ticked)
{
    // The item count as the 16-bit counter that the list's users keep.
    const auto count = static_cast<std::int16_t>(ListView_GetItemCount(ListView1));
    for (int i = 1; i <= count; ++i)
        ListView_SetCheckState(ListView1, i - 1, ticked);
}

void TForm1::WMDropFiles(HDROP drop)
{
    // The shell's 261-byte buffer: at most 260 bytes of the first name.
    char name[vorsa::ui::kDroppedNameBytes + 1] = {};
    const bool take = runGuard_.MayLoad();
    if (take)
        ::DragQueryFileA(drop, 0, name, sizeof name);
    ::DragFinish(drop);
    if (take)
        vorsa::LoadDroppedFile(*this, name);
}

void TForm1::PostNamedFile(const std::string &name)
{
    pendingLoads_.push_back(name);
    ::PostMessageW(Form1_, kLoadPendingMessage, 0, 0);
}

void TForm1::LoadPending()
{
    std::vector<std::string> loads = std::exchange(pendingLoads_, {});
    for (const std::string &name : loads) {
        // A run that started since owns the table.
        if (runGuard_.MayLoad())
            vorsa::ui::LoadNamedFile(*this, name);
    }
}

// ---- folders and drives ----

void TForm1::ShowDirectory(const std::string &folder)
{
    directory_ = folder;
    FillFolderList();
    ShowDriveOf(directory_);
}

void TForm1::OpenDirectory(const std::string &folder)
{
    directory_ = vorsa::win32::EnterFolder(folder);
    driveFolders_[vorsa::win32::DriveOf(directory_)] = directory_;
    FillFolderList();
    ShowDriveOf(directory_);
    DirectoryListBox1Change();
}

std::string TForm1::EntryPath(int index) const
{
    if (index < 0 || static_cast<std::size_t>(index) >= folderEntries_.size())
        return {};
    return folderEntries_[static_cast<std::size_t>(index)].path;
}

void TForm1::FillFolderList()
{
    const vorsa::win32::FolderList list = vorsa::win32::FolderEntries(directory_);
    folderEntries_ = list.entries;
    ::SendMessageW(DirectoryListBox1, WM_SETREDRAW, FALSE, 0);
    ::SendMessageW(DirectoryListBox1, LB_RESETCONTENT, 0, 0);
    for (std::size_t i = 0; i < folderEntries_.size(); ++i)
        ::SendMessageW(DirectoryListBox1, LB_ADDSTRING, 0, static_cast<LPARAM>(i));
    ::SendMessageW(DirectoryListBox1, LB_SETCURSEL, list.current, 0);
    ::SendMessageW(DirectoryListBox1, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(DirectoryListBox1, nullptr, TRUE);
}

void TForm1::OpenSelectedFolderEntry()
{
    const auto selected = static_cast<int>(::SendMessageW(DirectoryListBox1, LB_GETCURSEL, 0, 0));
    if (selected >= 0)
        OpenDirectory(EntryPath(selected));
}

void TForm1::ShowDriveOf(const std::string &folder)
{
    drives_ = vorsa::win32::DriveNames();
    const std::string drive = vorsa::win32::DriveOf(folder);
    ::SendMessageW(DriveComboBox1, CB_RESETCONTENT, 0, 0);
    int shown = -1;
    for (std::size_t i = 0; i < drives_.size(); ++i) {
        ::SendMessageA(DriveComboBox1, CB_ADDSTRING, 0,
                       reinterpret_cast<LPARAM>(drives_[i].c_str()));
        if (drives_[i] == drive)
            shown = static_cast<int>(i);
    }
    ::SendMessageW(DriveComboBox1, CB_SETCURSEL, static_cast<WPARAM>(shown), 0);
}

void TForm1::PickDrive()
{
    const auto picked = static_cast<int>(::SendMessageW(DriveComboBox1, CB_GETCURSEL, 0, 0));
    if (picked < 0 || static_cast<std::size_t>(picked) >= drives_.size())
        return;
    const std::string drive = drives_[static_cast<std::size_t>(picked)];
    if (drive == vorsa::win32::DriveOf(directory_))
        return;
    // The folder last opened on that drive, else the one the system keeps
    // for it; its root when that folder is gone.
    const auto remembered = driveFolders_.find(drive);
    std::string target = remembered != driveFolders_.end()
                             ? remembered->second
                             : vorsa::win32::SystemCurrentFolderOf(drive);
    if (::GetFileAttributesA(target.c_str()) == INVALID_FILE_ATTRIBUTES &&
        ::GetLastError() != ERROR_NOT_READY)
        target = drive + "\\";
    try {
        OpenDirectory(target);
    } catch (...) {
        // The selector shows the drive the list is still on.
        ShowDriveOf(directory_);
        throw;
    }
}
