#include "Unit1.h"
#include "platform/SystemText.h"

#include "BoxText.h"
#include "Dialogs.h"
#include "Folders.h"
#include "Messages.h"
#include "Resources.h"
#include "WinText.h"

#include <commctrl.h>

#include <exception>
#include <stdexcept>
#include <string_view>
#include <utility>

using vorsa::TextControl;
using vorsa::ui::Control;

namespace
{

constexpr wchar_t kWindowClass[] = L"TForm1";
// Not WS_CLIPCHILDREN: the group box draws only its frame, and the window
// paints the face colour inside it.
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

// Shown by Windows beside the program when a logoff or shutdown waits for a run.
constexpr std::string_view kRunBlocksShutdown = "WAV ファイルを書き出しています";

constexpr vorsa::win32::ToolButton kToolButtons[] = {
    {Control::ToolButton1, TForm1::kToolButton1, IDI_OPEN},
    {Control::ToolButton2, TForm1::kToolButton2, IDI_EXTRACT},
    {Control::ToolButton3, TForm1::kToolButton3, IDI_TICKALL},
    {Control::ToolButton4, TForm1::kToolButton4, IDI_UNTICKALL},
};

WORD CommandOf(Control button)
{
    for (const vorsa::win32::ToolButton &tool : kToolButtons) {
        if (tool.control == button)
            return static_cast<WORD>(tool.command);
    }
    return TForm1::kButton1;
}

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
    // The face colour as the system has it when the window paints, whatever theme is on.
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    windowClass.lpszClassName = kWindowClass;
    ::RegisterClassExW(&windowClass);
}

} // namespace

// The controls in the order they are made, the z-order: those the Tab key
// reaches first, in its order, the prefix box after its heading (which
// names it for the system); then the others, the link the last the Tab key
// reaches, the group's frame last, under the controls that lie on it.
TForm1::TForm1()
    : ToolBar1(kToolButtons),
      controls_{{{Control::ListView1, &ListView1, kListView1},
                 {Control::Label5, &Label5, 0},
                 {Control::Edit1, &Edit1, kEdit1},
                 {Control::DriveComboBox1, &DriveComboBox1, kDriveComboBox1},
                 {Control::DirectoryListBox1, &DirectoryListBox1, kDirectoryListBox1},
                 {Control::ProgressBar1, &ProgressBar1, 0},
                 {Control::Button1, &Button1, kButton1},
                 {Control::ToolBar1, &ToolBar1, 0},
                 {Control::Label3, &Label3, 0},
                 {Control::Label1, &Label1, 0},
                 {Control::Label4, &Label4, 0},
                 {Control::Label2, &Label2, 0},
                 {Control::Label8, &Label8, 0},
                 {Control::Label6, &Label6, 0},
                 {Control::Label7, &Label7, 0},
                 {Control::Label10, &Label10, 0},
                 {Control::Label9, &Label9, 0},
                 {Control::Label11, &Label11, kLabel11},
                 {Control::GroupBox1, &GroupBox1, 0}}},
      actions_(*this)
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
    loop_.emplace(Form1_, vorsa::win32::MessageLoop::Keys{.commandOf = &CommandOf,
                                                          .keptByControl = [this](const MSG &key) {
                                                              return KeptByControl(key);
                                                          }});
    layout_.emplace(Form1_, kWindowStyle, [this](Control control) -> vorsa::win32::Control & {
        return ControlOf(control);
    });

    for (const Slot &slot : controls_) {
        slot.made->Create(Form1_, slot.id);
        const std::string_view text = vorsa::ui::DesignOf(slot.control).text;
        if (!text.empty())
            slot.made->SetProgramText(text);
        slot.made->SpeakAs(slot.control);
    }
    layout_->Place(::GetDpiForWindow(Form1_));
    // The process's folder is shown, but no change is signalled: the
    // destination stays unset until the user opens a folder.
    ShowDirectory(vorsa::win32::CurrentFolder());
    ListView1.Focus();
    FormCreate();
}

TForm1::~TForm1()
{
    if (::IsWindow(Form1_))
        ::DestroyWindow(Form1_);
}

const vorsa::win32::Control &TForm1::ControlOf(Control control) const
{
    for (const Slot &slot : controls_) {
        if (slot.control == control)
            return *slot.made;
    }
    return ToolBar1; // its buttons
}

vorsa::win32::Control &TForm1::ControlOf(Control control)
{
    return const_cast<vorsa::win32::Control &>(std::as_const(*this).ControlOf(control));
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
    if (!form || !form->loop_)
        return ::DefWindowProcW(window, message, wParam, lParam);
    // The application's default exception display: the action ends where
    // the error arose, what it wrote stays, and the message loop goes on.
    try {
        return form->HandleMessage(message, wParam, lParam);
    } catch (const vorsa::win32::SessionEnding &) {
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
    case WM_NOTIFY: {
        auto &header = *reinterpret_cast<NMHDR *>(lParam);
        if (header.hwndFrom == ListView1.Handle() && header.code == NM_CUSTOMDRAW)
            return ListView1.CustomDraw(*reinterpret_cast<NMLVCUSTOMDRAW *>(lParam));
        break;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        return OnControlColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_MEASUREITEM:
        if (wParam == kDirectoryListBox1) {
            DirectoryListBox1.Measure(*reinterpret_cast<MEASUREITEMSTRUCT *>(lParam));
            return TRUE;
        }
        break;
    case WM_DRAWITEM:
        if (wParam == kDirectoryListBox1) {
            DirectoryListBox1.Draw(*reinterpret_cast<const DRAWITEMSTRUCT *>(lParam));
            return TRUE;
        }
        break;
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE: // a contrast theme switched on or off among them
        Label11.FollowSystemColours();
        ListView1.NoteColourChange(wParam, lParam);
        ToolBar1.NoteColourChange(wParam, lParam);
        ::RedrawWindow(Form1_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        return 0;
    case WM_QUERYENDSESSION:
        return vorsa::win32::MessageLoop::QueryEndSession(actions_.Running());
    case WM_ENDSESSION:
        loop_->EndSession(wParam != FALSE, actions_.Running(), [this] { Button1Click(); });
        return 0;
    case WM_DROPFILES:
        WMDropFiles(reinterpret_cast<HDROP>(wParam));
        return 0;
    case vorsa::win32::MessageLoop::kPostedMessage:
        loop_->RunPosted();
        return 0;
    case WM_GETDPISCALEDSIZE:
        *reinterpret_cast<SIZE *>(lParam) = layout_->SizeAt(static_cast<UINT>(wParam));
        return TRUE;
    case WM_DPICHANGED:
        layout_->MoveTo(HIWORD(wParam), *reinterpret_cast<const RECT *>(lParam));
        return 0;
    case WM_ACTIVATE:
        OnActivate(LOWORD(wParam) != WA_INACTIVE);
        return 0;
    case WM_CLOSE:
        if (actions_.MayClose())
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

void TForm1::OnActivate(bool active)
{
    // The control that had the keyboard gets it back with the window.
    if (!active) {
        HWND focused = ::GetFocus();
        if (focused && ::IsChild(Form1_, focused))
            focusBeforeDeactivation_ = focused;
    } else if (focusBeforeDeactivation_ && ::IsWindow(focusBeforeDeactivation_)) {
        ::SetFocus(focusBeforeDeactivation_);
    }
}

bool TForm1::KeptByControl(const MSG &key) const
{
    if (key.message != WM_KEYDOWN)
        return false;
    // Esc in the dropped drive list closes the list, and stops nothing.
    if (key.wParam == VK_ESCAPE)
        return DriveComboBox1.Dropped();
    // In the prefix box Ctrl+A and Ctrl+Shift+A act on its text.
    return key.wParam == 'A' && ::GetKeyState(VK_CONTROL) < 0 && Edit1.Focused();
}

bool TForm1::CommandEnabled(int id) const
{
    if (id == kButton1)
        return Button1.Enabled();
    return ToolBar1.ButtonEnabled(id);
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
        if (Button1.Enabled())
            Button1Click();
        break;
    case IDOK: // Enter among the controls: opens the folder list's selected entry
        if (DirectoryListBox1.Focused())
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

LRESULT TForm1::OnControlColour(HDC dc, HWND control)
{
    for (const Slot &slot : controls_) {
        if (slot.made->Handle() == control)
            return reinterpret_cast<LRESULT>(slot.made->Colour(dc));
    }
    return reinterpret_cast<LRESULT>(ToolBar1.Colour(dc));
}

void TForm1::FormCreate()
{
    ::DragAcceptFiles(Form1_, TRUE);
}

void TForm1::WMDropFiles(HDROP drop)
{
    // The first name, whole: the shell tells its length. (A buffer of the
    // shell's 260 bytes would cut a deep path, and load another file or none.)
    std::string name;
    const bool take = actions_.MayDrop();
    if (take) {
        const UINT length = ::DragQueryFileA(drop, 0, nullptr, 0);
        name.assign(length + 1, '\0');
        name.resize(::DragQueryFileA(drop, 0, name.data(), length + 1));
    }
    ::DragFinish(drop);
    if (take)
        actions_.WMDropFiles(name);
}

// ---- the folder list and the drive selector ----

void TForm1::ShowDirectory(const std::string &folder)
{
    DirectoryListBox1.ShowDirectory(folder);
    DriveComboBox1.ShowDriveOf(folder);
}

void TForm1::OpenSelectedFolderEntry()
{
    const int selected = DirectoryListBox1.Selected();
    if (selected >= 0)
        actions_.OpenFolder(DirectoryListBox1.EntryPath(selected));
}

void TForm1::PickDrive()
{
    if (const std::optional<std::string> drive = DriveComboBox1.PickedDrive())
        actions_.PickDrive(*drive);
    else
        DriveComboBox1.ShowDriveOf(DirectoryListBox1.Directory());
}

// ---- vorsa::WindowState ----

const vorsa::win32::StateLabel *TForm1::StateLabelOf(TextControl control) const
{
    switch (control) {
    case TextControl::Label1:
        return &Label1;
    case TextControl::Label2:
        return &Label2;
    case TextControl::Label6:
        return &Label6;
    case TextControl::Label7:
        return &Label7;
    case TextControl::Edit1:
        break;
    }
    return nullptr;
}

std::string TForm1::Text(TextControl control) const
{
    const vorsa::win32::StateLabel *label = StateLabelOf(control);
    return label ? label->StateText() : Edit1.StateText();
}

void TForm1::SetText(TextControl control, const std::string &text)
{
    if (const vorsa::win32::StateLabel *label = StateLabelOf(control))
        label->SetText(text);
    else
        Edit1.SetStateText(text);
}

void TForm1::SetStopEnabled(bool enabled)
{
    // The keyboard is not left on a control that turns disabled.
    if (!enabled && Button1.Focused())
        ListView1.Focus();
    Button1.Enable(enabled);
}

void TForm1::ShowMessage(const std::string &text)
{
    vorsa::win32::ShowMessageBox(vorsa::ui::MessageBoxText(text));
}

// ---- vorsa::ui::FormView ----

std::optional<std::string> TForm1::ChooseOpenFile(std::string_view filterShown,
                                                  std::string_view patterns,
                                                  const std::string &initialName)
{
    const std::string filter =
        vorsa::messages::Narrow(filterShown) + '\0' + std::string(patterns) + '\0';
    return vorsa::win32::ChooseOpenFile(Form1_, filter, initialName);
}

void TForm1::ShowRunning(bool running)
{
    ToolBar1.EnableButton(kToolButton1, !running);
    ToolBar1.EnableButton(kToolButton2, !running);
    // No drop is offered where none would be taken.
    ::DragAcceptFiles(Form1_, !running);
    // A logoff or shutdown waits, and says why.
    if (running)
        ::ShutdownBlockReasonCreate(Form1_,
                                    vorsa::platform::ToUtf16(kRunBlocksShutdown, CP_UTF8).c_str());
    else
        ::ShutdownBlockReasonDestroy(Form1_);
}
