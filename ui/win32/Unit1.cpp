#include "Unit1.h"

#include "BoxText.h"
#include "Dialogs.h"
#include "DiscReaders.h"
#include "Extraction.h"
#include "Folders.h"
#include "Messages.h"
#include "NamedFile.h"
#include "PathText.h"
#include "Resources.h"
#include "WinText.h"
#include "WindowFace.h"
#include "platform/SystemText.h"

#include <commctrl.h>
#include <shellapi.h>
#include <windowsx.h>

#include <algorithm>
#include <cstdint>
#include <exception>
#include <optional>
#include <stdexcept>
#include <string_view>
#include <utility>
#include <vector>

using vorsa::TextControl;
using vorsa::win32::SetProgramText;

namespace
{

using vorsa::ui::Control;
using vorsa::ui::ControlDesign;
using vorsa::ui::Sizing;

constexpr wchar_t kWindowClass[] = L"TForm1";
// Not WS_CLIPCHILDREN: the group box draws only its frame, and the window
// paints the face colour inside it.
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr DWORD kChild = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
// The file named on the command line, loaded once the message loop runs.
constexpr UINT kLoadPendingMessage = WM_APP + 1;

constexpr COLORREF ColourRef(vorsa::ui::Colour colour)
{
    return RGB(colour.red, colour.green, colour.blue);
}
constexpr COLORREF kCream = ColourRef(vorsa::ui::kCream);
constexpr COLORREF kNavy = ColourRef(vorsa::ui::kNavy);

constexpr std::string_view kOpenFilterShown = "ccd,cueファイル(*.cue,*.ccd)";
constexpr std::string_view kOpenPatterns = "*.cue;*.ccd";
// Shown by Windows beside the program when a logoff or shutdown waits for a run.
constexpr std::string_view kRunBlocksShutdown = "WAV ファイルを書き出しています";

struct ToolButton {
    Control control;
    int id;
    int icon; // its resource; its image in ImageList1 is its place here
};
constexpr ToolButton kToolButtons[] = {
    {Control::ToolButton1, TForm1::kToolButton1, IDI_OPEN},
    {Control::ToolButton2, TForm1::kToolButton2, IDI_EXTRACT},
    {Control::ToolButton3, TForm1::kToolButton3, IDI_TICKALL},
    {Control::ToolButton4, TForm1::kToolButton4, IDI_UNTICKALL},
};

int CommandOf(Control button)
{
    for (const ToolButton &tool : kToolButtons) {
        if (tool.control == button)
            return tool.id;
    }
    return TForm1::kButton1;
}

// Thrown out of ProcessEvents when the session ends during a run: the run
// unwinds, closing the track file it was writing, before Windows ends the process.
struct SessionEnding {
};

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

// The controls that are a window of their own, by their member.
constexpr std::pair<Control, HWND TForm1::*> kControlSlots[] = {
    {Control::ToolBar1, &TForm1::ToolBar1}, {Control::Label3, &TForm1::Label3},
    {Control::Label1, &TForm1::Label1},     {Control::Label4, &TForm1::Label4},
    {Control::Label2, &TForm1::Label2},     {Control::Label5, &TForm1::Label5},
    {Control::Edit1, &TForm1::Edit1},       {Control::Label8, &TForm1::Label8},
    {Control::Label6, &TForm1::Label6},     {Control::GroupBox1, &TForm1::GroupBox1},
    {Control::Label7, &TForm1::Label7},     {Control::ProgressBar1, &TForm1::ProgressBar1},
    {Control::Button1, &TForm1::Button1},   {Control::ListView1, &TForm1::ListView1},
    {Control::Label10, &TForm1::Label10},   {Control::Label9, &TForm1::Label9},
    {Control::Label11, &TForm1::Label11},
};

} // namespace

TForm1::TForm1()
    : creamBrush_(::CreateSolidBrush(kCream)),
      runGuard_({.showRunning =
                     [this](bool running) {
                         for (const int id : {kToolButton1, kToolButton2})
                             ::SendMessageW(ToolBar1, TB_ENABLEBUTTON, id, MAKELONG(!running, 0));
                         // No drop is offered where none would be taken.
                         ::DragAcceptFiles(Form1_, !running);
                         // A logoff or shutdown waits, and says why.
                         if (running)
                             ::ShutdownBlockReasonCreate(
                                 Form1_,
                                 vorsa::platform::ToUtf16(kRunBlocksShutdown, CP_UTF8).c_str());
                         else
                             ::ShutdownBlockReasonDestroy(Form1_);
                     },
                 .stop = [this] { Button1Click(); },
                 .closeLater = [this] { ::PostMessageW(Form1_, WM_CLOSE, 0, 0); }})
{
    const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX),
                                       ICC_BAR_CLASSES | ICC_LISTVIEW_CLASSES | ICC_PROGRESS_CLASS |
                                           ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&classes);
    RegisterWindowClass(&TForm1::WindowProc);

    // Made on the primary screen, then sized for its dpi and placed.
    ::CreateWindowExW(0, kWindowClass, L"Vorsa", kWindowStyle, CW_USEDEFAULT, 0, 0, 0, nullptr,
                      nullptr, Instance(), this);
    if (!Form1_)
        throw std::runtime_error("CreateWindowExW failed");

    CreateControls();
    Place(::GetDpiForWindow(Form1_), nullptr);
    // The process's folder is shown, but no change is signalled: the
    // destination stays unset until the user opens a folder.
    ShowDirectory(vorsa::win32::CurrentFolder());

    std::vector<ACCEL> keys;
    for (const vorsa::ui::KeyDesign &key : vorsa::ui::kKeys) {
        const BYTE modifiers = FVIRTKEY | (key.control ? FCONTROL : 0) | (key.shift ? FSHIFT : 0);
        const WORD code = key.key == vorsa::ui::kEscape ? VK_ESCAPE : static_cast<WORD>(key.key);
        keys.push_back({modifiers, code, static_cast<WORD>(CommandOf(key.button))});
    }
    accelerators_.reset(::CreateAcceleratorTableW(keys.data(), static_cast<int>(keys.size())));
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
    return vorsa::ui::Scaled(designPixels, static_cast<int>(dpi_));
}

HWND TForm1::ControlHandle(Control control) const
{
    switch (control) {
    case Control::Form1:
        return Form1_;
    case Control::ToolButton1:
    case Control::ToolButton2:
    case Control::ToolButton3:
    case Control::ToolButton4:
        return ToolBar1;
    case Control::DriveComboBox1:
        return DriveComboBox1.Handle();
    case Control::DirectoryListBox1:
        return DirectoryListBox1.Handle();
    default:
        break;
    }
    for (const auto &[named, slot] : kControlSlots) {
        if (named == control)
            return this->*slot;
    }
    return nullptr;
}

HWND TForm1::CreateControl(const ControlDesign &design)
{
    HWND made = nullptr;
    switch (design.control) {
    case Control::ListView1:
        made = MakeChild(Form1_, WC_LISTVIEWW,
                         WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS |
                             LVS_NOSORTHEADER,
                         WS_EX_CLIENTEDGE, kListView1);
        ListView_SetExtendedListViewStyle(made, LVS_EX_CHECKBOXES | LVS_EX_GRIDLINES |
                                                    LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
        {
            const std::wstring heading =
                vorsa::platform::ToUtf16(vorsa::ui::kSongListHeading, CP_UTF8);
            LVCOLUMNW column{};
            column.mask = LVCF_TEXT | LVCF_WIDTH;
            column.pszText = const_cast<wchar_t *>(heading.c_str());
            column.cx = 100;
            ::SendMessageW(made, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
        }
        break;
    case Control::Edit1:
        made = MakeChild(Form1_, WC_EDITW, WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, kEdit1);
        break;
    case Control::DriveComboBox1:
        DriveComboBox1.Create(Form1_, kDriveComboBox1);
        made = DriveComboBox1.Handle();
        break;
    case Control::DirectoryListBox1:
        DirectoryListBox1.Create(Form1_, kDirectoryListBox1);
        made = DirectoryListBox1.Handle();
        break;
    case Control::ToolBar1:
        // With its divider, the etched line along its top edge, which sets
        // the buttons 2 pixels down.
        made = MakeChild(Form1_, TOOLBARCLASSNAMEW,
                         TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_NORESIZE | CCS_NOPARENTALIGN);
        ::SendMessageW(made, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
        for (std::size_t i = 0; i < std::size(kToolButtons); ++i) {
            TBBUTTON button{};
            button.iBitmap = static_cast<int>(i);
            button.idCommand = kToolButtons[i].id;
            button.fsState = TBSTATE_ENABLED;
            button.fsStyle = BTNS_BUTTON;
            button.iString = -1;
            ::SendMessageW(made, TB_ADDBUTTONSW, 1, reinterpret_cast<LPARAM>(&button));
        }
        break;
    case Control::ProgressBar1:
        made = MakeChild(Form1_, PROGRESS_CLASSW, 0);
        ::SendMessageW(made, PBM_SETRANGE32, 0, 100);
        break;
    case Control::Button1:
        made = MakeChild(Form1_, WC_BUTTONW, WS_TABSTOP | WS_DISABLED | BS_PUSHBUTTON, 0, kButton1);
        break;
    case Control::GroupBox1:
        made = MakeChild(Form1_, WC_BUTTONW, BS_GROUPBOX);
        break;
    case Control::Label7:
        made = MakeLabel(Form1_, SS_CENTER);
        break;
    case Control::Label1:
    case Control::Label2:
    case Control::Label6:
        // The path labels take the pointer, for the tool tip that shows the whole path.
        made = MakeLabel(Form1_, SS_LEFTNOWORDWRAP | SS_NOTIFY);
        break;
    case Control::Label11:
        made = MakeLabel(Form1_, SS_LEFTNOWORDWRAP | SS_NOTIFY, kLabel11);
        break;
    default:
        made = MakeLabel(Form1_);
        break;
    }
    if (!design.text.empty())
        SetProgramText(made, design.text);
    return made;
}

void TForm1::CreateControls()
{
    // The controls that the Tab key reaches are made first, in its order;
    // then the others, the group's frame last, under the controls that lie on it.
    const auto make = [this](const ControlDesign &design) {
        HWND made = CreateControl(design);
        for (const auto &[named, slot] : kControlSlots) {
            if (named == design.control)
                this->*slot = made;
        }
    };
    const auto inTabOrder = [](Control control) {
        return std::find(vorsa::ui::kTabOrder.begin(), vorsa::ui::kTabOrder.end(), control) !=
               vorsa::ui::kTabOrder.end();
    };
    for (const Control control : vorsa::ui::kTabOrder) {
        if (control != Control::ToolBar1 && control != Control::GroupBox1)
            make(vorsa::ui::DesignOf(control));
    }
    for (const ControlDesign &design : vorsa::ui::kForm) {
        const bool made = inTabOrder(design.control) && design.control != Control::ToolBar1 &&
                          design.control != Control::GroupBox1;
        if (!made && design.parent != Control::ToolBar1 && design.control != Control::GroupBox1)
            make(design);
    }
    make(vorsa::ui::DesignOf(Control::GroupBox1));
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

void TForm1::Place(UINT windowDpi, const POINT *topLeft)
{
    windowDpi_ = windowDpi;
    // What the title bar and the borders add, at the dpi the system draws them.
    RECT frame{};
    ::AdjustWindowRectExForDpi(&frame, kWindowStyle, FALSE, 0, ::GetDpiForWindow(Form1_));
    MONITORINFO screen{};
    screen.cbSize = sizeof screen;
    ::GetMonitorInfoW(::MonitorFromWindow(Form1_, MONITOR_DEFAULTTOPRIMARY), &screen);
    const RECT &work = screen.rcWork;
    const vorsa::ui::Rect workArea{work.left, work.top, work.right - work.left,
                                   work.bottom - work.top};
    const vorsa::ui::FormPlacement placement = vorsa::ui::PlaceForm(
        static_cast<int>(windowDpi), frame.right - frame.left, frame.bottom - frame.top, workArea);
    vorsa::ui::Rect placed = placement.frame;
    if (topLeft) {
        placed.left = topLeft->x;
        placed.top = topLeft->y;
        placed = vorsa::ui::KeepInside(placed, workArea);
    }
    ApplyDpi(static_cast<UINT>(placement.dpi));
    ::SetWindowPos(Form1_, nullptr, placed.left, placed.top, placed.width, placed.height,
                   SWP_NOZORDER | SWP_NOACTIVATE);
}

void TForm1::ApplyDpi(UINT dpi)
{
    dpi_ = dpi;
    LOGFONTW face = vorsa::win32::WindowFace();
    face.lfHeight = -Scale(vorsa::ui::kFontPixels);
    face.lfQuality = DEFAULT_QUALITY;
    // The controls take the new font and images before the old ones go.
    vorsa::win32::UniqueFont font(::CreateFontIndirectW(&face));
    face.lfUnderline = TRUE;
    vorsa::win32::UniqueFont linkFont(::CreateFontIndirectW(&face));
    for (HWND control :
         {Label1, Label2, ListView1, Label3, Label4, Label5, Edit1, Label6, ToolBar1, GroupBox1,
          Label7, ProgressBar1, Label8, Label9, Label10, Button1, pathTips_})
        ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
    ::SendMessageW(Label11, WM_SETFONT, reinterpret_cast<WPARAM>(linkFont.get()), FALSE);
    DirectoryListBox1.SetMetrics(dpi, font.get());

    // The image list at the size of this dpi, from the icons' nearest size.
    const int imageSize = Scale(vorsa::ui::kToolImagePixels);
    vorsa::win32::UniqueImageList images(
        ::ImageList_Create(imageSize, imageSize, ILC_COLOR32 | ILC_MASK, 4, 0));
    for (const ToolButton &tool : kToolButtons) {
        HICON icon = static_cast<HICON>(::LoadImageW(Instance(), MAKEINTRESOURCEW(tool.icon),
                                                     IMAGE_ICON, imageSize, imageSize, 0));
        ::ImageList_AddIcon(images.get(), icon);
        if (icon)
            ::DestroyIcon(icon);
    }
    ::SendMessageW(ToolBar1, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images.get()));
    ::SendMessageW(ToolBar1, TB_SETHOTIMAGELIST, 0, reinterpret_cast<LPARAM>(images.get()));
    ::SendMessageW(ToolBar1, TB_SETBITMAPSIZE, 0, MAKELONG(imageSize, imageSize));
    const vorsa::ui::Rect button = vorsa::ui::DesignOf(Control::ToolButton1).rect;
    ::SendMessageW(ToolBar1, TB_SETBUTTONSIZE, 0,
                   MAKELONG(Scale(button.width), Scale(button.height)));
    font_ = std::move(font);
    linkFont_ = std::move(linkFont);
    ImageList1 = std::move(images);

    for (const ControlDesign &design : vorsa::ui::kForm) {
        if (design.parent == Control::ToolBar1)
            continue;
        HWND control = ControlHandle(design.control);
        const vorsa::ui::Rect at =
            vorsa::ui::Scaled(vorsa::ui::ClientRectOf(design.control), static_cast<int>(dpi));
        switch (design.sizing) {
        case Sizing::Fixed:
            ::SetWindowPos(control, nullptr, at.left, at.top, at.width, at.height,
                           SWP_NOZORDER | SWP_NOACTIVATE);
            break;
        case Sizing::ToText: {
            const SIZE size = TextSize(control, control == Label11 ? linkFont_.get() : font_.get());
            ::SetWindowPos(control, nullptr, at.left, at.top, size.cx, size.cy,
                           SWP_NOZORDER | SWP_NOACTIVATE);
            break;
        }
        case Sizing::FontHeight:
            DriveComboBox1.SetMetrics(dpi, font_.get(),
                                      {at.left, at.top, at.left + at.width, at.top + at.height});
            break;
        case Sizing::Under: {
            // Below the drive selector, the only control that grows.
            RECT above{};
            ::GetWindowRect(DriveComboBox1.Handle(), &above);
            ::MapWindowPoints(nullptr, Form1_, reinterpret_cast<POINT *>(&above), 2);
            const vorsa::ui::Rect designed = vorsa::ui::Scaled(
                vorsa::ui::ClientRectOf(Control::DriveComboBox1), static_cast<int>(dpi));
            const int grown =
                std::max(0, static_cast<int>(above.bottom) - (designed.top + designed.height));
            ::SetWindowPos(control, nullptr, at.left, at.top + grown, at.width, at.height - grown,
                           SWP_NOZORDER | SWP_NOACTIVATE);
            break;
        }
        }
    }
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
    } catch (const SessionEnding &) {
        // The run has closed its files; nothing is left to tell anyone.
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
            item.itemHeight = static_cast<UINT>(Scale(vorsa::ui::kFolderItemHeight));
            return TRUE;
        }
        break;
    }
    case WM_DRAWITEM: {
        const auto &item = *reinterpret_cast<const DRAWITEMSTRUCT *>(lParam);
        if (item.CtlID == kDirectoryListBox1) {
            DirectoryListBox1.Draw(item);
            return TRUE;
        }
        break;
    }
    case WM_SYSCOLORCHANGE:
        // The link's background follows the caption text colour; the
        // common controls learn of the change from their parent.
        linkBackBrush_.reset(::CreateSolidBrush(LinkBackground()));
        ::SendMessageW(ListView1, WM_SYSCOLORCHANGE, wParam, lParam);
        ::SendMessageW(ToolBar1, WM_SYSCOLORCHANGE, wParam, lParam);
        ::InvalidateRect(Form1_, nullptr, TRUE);
        return 0;
    case WM_QUERYENDSESSION:
        return OnQueryEndSession();
    case WM_ENDSESSION:
        OnEndSession(wParam != FALSE);
        return 0;
    case WM_DROPFILES:
        WMDropFiles(reinterpret_cast<HDROP>(wParam));
        return 0;
    case kLoadPendingMessage:
        LoadPending();
        return 0;
    case WM_DPICHANGED: {
        // Where the system suggests, at the new screen's dpi, as long as
        // the window fits that screen.
        const RECT &suggested = *reinterpret_cast<const RECT *>(lParam);
        const POINT topLeft{suggested.left, suggested.top};
        Place(HIWORD(wParam), &topLeft);
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
        if (::GetFocus() == DirectoryListBox1.Handle())
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
                tipText_ =
                    vorsa::platform::ToUtf16(vorsa::ui::DesignOf(tool.control).hint, CP_UTF8);
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

LRESULT TForm1::OnQueryEndSession()
{
    // A run under way keeps the session, and the reason it gave shows.
    return runGuard_.Running() ? FALSE : TRUE;
}

void TForm1::OnEndSession(bool ending)
{
    if (!ending || !runGuard_.Running())
        return;
    // The session ends anyway: the run stops at its next look at the
    // window, closing the track file it writes, before this process ends.
    sessionEnding_ = true;
    Button1Click();
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
    while (!sessionEnding_ && ::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // For the loop that runs the program.
            ::PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        Dispatch(message);
    }
    if (sessionEnding_ && runGuard_.Running())
        throw SessionEnding{};
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
    SetText(TextControl::Label6, vorsa::text::WithTrailingDelimiter(DirectoryListBox1.Directory()));
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
    // The first name, whole: the shell tells its length. (A buffer of the
    // shell's 260 bytes would cut a deep path, and load another file or none.)
    std::string name;
    const bool take = runGuard_.MayLoad();
    if (take) {
        const UINT length = ::DragQueryFileA(drop, 0, nullptr, 0);
        name.assign(length + 1, '\0');
        name.resize(::DragQueryFileA(drop, 0, name.data(), length + 1));
    }
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
    DirectoryListBox1.ShowDirectory(folder);
    DriveComboBox1.ShowDriveOf(folder);
}

void TForm1::OpenDirectory(const std::string &folder)
{
    DirectoryListBox1.OpenDirectory(folder);
    DriveComboBox1.NoteCurrentFolder(DirectoryListBox1.Directory());
    DriveComboBox1.ShowDriveOf(DirectoryListBox1.Directory());
    DirectoryListBox1Change();
}

void TForm1::OpenSelectedFolderEntry()
{
    const int selected = DirectoryListBox1.Selected();
    if (selected >= 0)
        OpenDirectory(DirectoryListBox1.EntryPath(selected));
}

void TForm1::PickDrive()
{
    const std::optional<std::string> target =
        DriveComboBox1.PickedFolder(DirectoryListBox1.Directory());
    if (!target) {
        DriveComboBox1.ShowDriveOf(DirectoryListBox1.Directory());
        return;
    }
    try {
        OpenDirectory(*target);
    } catch (...) {
        // The selector shows the drive the list is still on.
        DriveComboBox1.ShowDriveOf(DirectoryListBox1.Directory());
        throw;
    }
}
