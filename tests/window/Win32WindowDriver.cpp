// The behaviour table's driver for the Win32 window, in the test's own
// process: the user's actions as the messages that the tool bar, the
// controls and the shell send the window, delivered through its message
// loop, with the dialog hooks answering.
#include "WindowDriver.h"

#include "PaintedColours.h"
#include "Dialogs.h"
#include "LinkLabel.h"
#include "Palette.h"
#include "Unit1.h"
#include "Win32DpiChange.h"
#include "WinHandles.h"
#include "platform/SystemText.h"

#include <commctrl.h>
#include <oleacc.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <utility>

namespace vorsa::testing
{
namespace
{

// The window; a run's calls to ProcessEvents go through the probe first.
class ProbedForm : public TForm1
{
public:
    void ProcessEvents() override
    {
        ++calls_;
        if (probe)
            probe(calls_);
        TForm1::ProcessEvents();
    }

    std::function<void(int call)> probe;

private:
    int calls_ = 0;
};

// What the shell hands a window on a drop: the names after a DROPFILES
// head, each ended by a NUL, the list by one more.
HGLOBAL ShellDrop(const std::vector<std::string> &names)
{
    std::size_t bytes = sizeof(DROPFILES) + 1;
    for (const std::string &name : names)
        bytes += name.size() + 1;
    HGLOBAL memory = ::GlobalAlloc(GHND, bytes);
    auto *head = static_cast<DROPFILES *>(::GlobalLock(memory));
    head->pFiles = sizeof(DROPFILES);
    head->fWide = FALSE;
    char *at = reinterpret_cast<char *>(head + 1);
    for (const std::string &name : names) {
        std::memcpy(at, name.c_str(), name.size() + 1);
        at += name.size() + 1;
    }
    ::GlobalUnlock(memory);
    return memory;
}

std::string Utf8(const wchar_t *text)
{
    const std::wstring wide = text ? text : L"";
    const int bytes = ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                            nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(bytes), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(),
                          bytes, nullptr, nullptr);
    return utf8;
}

constexpr std::pair<long, HeardRole> kRoles[] = {
    {ROLE_SYSTEM_PUSHBUTTON, HeardRole::PushButton},
    {ROLE_SYSTEM_STATICTEXT, HeardRole::Label},
    {ROLE_SYSTEM_TEXT, HeardRole::Edit},
    {ROLE_SYSTEM_COMBOBOX, HeardRole::ComboBox},
    {ROLE_SYSTEM_LIST, HeardRole::List},
    {ROLE_SYSTEM_PROGRESSBAR, HeardRole::ProgressBar},
    {ROLE_SYSTEM_LINK, HeardRole::Link},
    {ROLE_SYSTEM_GROUPING, HeardRole::Group},
    {ROLE_SYSTEM_TOOLBAR, HeardRole::ToolBar},
};

HeardRole RoleOf(long role)
{
    for (const auto &[system, heard] : kRoles) {
        if (system == role)
            return heard;
    }
    return HeardRole::Other;
}

// One element of a control's MSAA object, as a screen reader asks it.
class HeardObject
{
public:
    explicit HeardObject(HWND control)
    {
        EXPECT_EQ(::AccessibleObjectFromWindow(control, OBJID_CLIENT, __uuidof(IAccessible),
                                               reinterpret_cast<void **>(&object_)),
                  S_OK);
    }
    ~HeardObject()
    {
        if (object_)
            object_->Release();
    }
    HeardObject(const HeardObject &) = delete;
    HeardObject &operator=(const HeardObject &) = delete;

    long Children() const
    {
        long count = 0;
        return object_ && object_->get_accChildCount(&count) == S_OK ? count : 0;
    }
    std::string Text(long child,
                     HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, BSTR *)) const
    {
        BSTR text = nullptr;
        if (!object_ || (object_->*get)(Child(child), &text) != S_OK)
            return {};
        std::string utf8 = Utf8(text);
        ::SysFreeString(text);
        return utf8;
    }
    long Number(long child, HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, VARIANT *)) const
    {
        VARIANT number;
        ::VariantInit(&number);
        if (!object_ || (object_->*get)(Child(child), &number) != S_OK || number.vt != VT_I4)
            return 0;
        return number.lVal;
    }

private:
    static VARIANT Child(long child)
    {
        VARIANT id;
        ::VariantInit(&id);
        id.vt = VT_I4;
        id.lVal = child;
        return id;
    }

    IAccessible *object_ = nullptr;
};

// The high-contrast black colour set, as Windows' own contrast theme gives it.
constexpr std::array<std::pair<int, COLORREF>, 10> kHighContrastBlack{{
    {COLOR_WINDOW, RGB(0, 0, 0)},
    {COLOR_WINDOWTEXT, RGB(255, 255, 255)},
    {COLOR_BTNFACE, RGB(0, 0, 0)},
    {COLOR_BTNTEXT, RGB(255, 255, 255)},
    {COLOR_HIGHLIGHT, RGB(26, 235, 255)},
    {COLOR_HIGHLIGHTTEXT, RGB(0, 0, 0)},
    {COLOR_HOTLIGHT, RGB(255, 255, 0)},
    {COLOR_CAPTIONTEXT, RGB(0, 0, 0)},
    {COLOR_GRAYTEXT, RGB(63, 242, 63)},
    {COLOR_3DFACE, RGB(0, 0, 0)},
}};

// The events a screen reader is sent about Label7, counted.
int gStatusAnnouncements = 0;
HWND gStatusLabel = nullptr;

void CALLBACK CountStatusEvent(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG, DWORD, DWORD)
{
    if (window == gStatusLabel && object == OBJID_CLIENT)
        ++gStatusAnnouncements;
}

class Win32WindowDriver : public WindowDriver
{
public:
    Win32WindowDriver()
    {
        EXPECT_TRUE(com_.Entered()) << "COM's single-threaded apartment could not be entered";
        win32::SetMessageHook(
            [this](const std::string &caption, const std::string &text, bool error) {
                messages.push_back({caption, text, error});
            });
        win32::SetOpenFileHook(
            [this](const std::string &filter,
                   const std::string &initialName) -> std::optional<std::string> {
                openInitialNames.push_back(initialName);
                // The entry's shown text, then its patterns.
                const std::size_t shownEnd = filter.find('\0');
                openFilters.push_back(platform::ToUtf8(filter.substr(0, shownEnd)));
                EXPECT_EQ(filter.substr(shownEnd), std::string("\0*.cue;*.ccd\0", 13));
                return std::exchange(openAnswer_, std::nullopt);
            });
        form_.probe = [this](int call) {
            if (probe)
                probe(call);
        };
        win32::SetOpenAddressHook(
            [this](std::string_view address) { openedAddresses.emplace_back(address); });
        gStatusLabel = form_.Label7.Handle();
        gStatusAnnouncements = 0;
        statusHook_ =
            ::SetWinEventHook(EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_NAMECHANGE, nullptr,
                              &CountStatusEvent, ::GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
        ::ShowWindow(form_.Handle(), SW_SHOW);
        ::SetForegroundWindow(form_.Handle());
        RunPending();
    }
    ~Win32WindowDriver() override
    {
        win32::SetMessageHook(nullptr);
        win32::SetOpenFileHook(nullptr);
        win32::SetOpenAddressHook(nullptr);
        if (statusHook_)
            ::UnhookWinEvent(statusHook_);
        if (!savedColours_.empty()) {
            std::vector<int> indices;
            std::vector<COLORREF> values;
            for (const auto &[index, value] : savedColours_) {
                indices.push_back(index);
                values.push_back(value);
            }
            ::SetSysColors(static_cast<int>(indices.size()), indices.data(), values.data());
            win32::SetHighContrastHook(nullptr);
        }
    }
    Win32WindowDriver(const Win32WindowDriver &) = delete;
    Win32WindowDriver &operator=(const Win32WindowDriver &) = delete;

    std::string Text(TextControl control) const override { return form_.Text(control); }
    std::vector<std::string> Captions() const override
    {
        std::vector<std::string> captions;
        for (int i = 0; i < ListView_GetItemCount(form_.ListView1.Handle()); ++i) {
            char caption[64] = {};
            LVITEMA item{};
            item.iSubItem = 0;
            item.pszText = caption;
            item.cchTextMax = sizeof caption;
            ::SendMessageA(form_.ListView1.Handle(), LVM_GETITEMTEXTA, i,
                           reinterpret_cast<LPARAM>(&item));
            captions.emplace_back(caption);
        }
        return captions;
    }
    std::vector<bool> Ticks() const override
    {
        std::vector<bool> ticks;
        for (int i = 0; i < ListView_GetItemCount(form_.ListView1.Handle()); ++i)
            ticks.push_back(ListView_GetCheckState(form_.ListView1.Handle(), i) != 0);
        return ticks;
    }
    int Progress() const override
    {
        return static_cast<int>(::SendMessageW(form_.ProgressBar1.Handle(), PBM_GETPOS, 0, 0));
    }
    bool StopEnabled() const override { return ::IsWindowEnabled(form_.Button1.Handle()); }
    bool OpenEnabled() const override { return ToolButtonEnabled(TForm1::kToolButton1); }
    bool ExtractEnabled() const override { return ToolButtonEnabled(TForm1::kToolButton2); }
    bool Running() const override { return form_.ExtractionRunning(); }
    bool Shown() const override { return ::IsWindow(form_.Handle()); }

    void Open(const std::optional<std::string> &answer) override
    {
        openAnswer_ = answer;
        ClickToolButton(TForm1::kToolButton1);
        openAnswer_.reset();
    }
    bool Drop(const std::vector<std::string> &names) override
    {
        // The shell drops only on a window that takes files.
        if (!(::GetWindowLongPtrW(form_.Handle(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES))
            return false;
        ::PostMessageW(form_.Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(ShellDrop(names)), 0);
        RunPending();
        return true;
    }
    void LoadNamed(const std::string &name) override
    {
        form_.PostNamedFile(name);
        RunPending();
    }
    void SetTick(int index, bool ticked) override
    {
        ListView_SetCheckState(form_.ListView1.Handle(), index, ticked);
    }
    void TickAll() override { ClickToolButton(TForm1::kToolButton3); }
    void UntickAll() override { ClickToolButton(TForm1::kToolButton4); }
    void SetPrefix(const std::string &prefix) override
    {
        ::SetWindowTextA(form_.Edit1.Handle(), prefix.c_str());
    }
    void ShowFolder(const std::string &folder) override { form_.ShowDirectory(folder); }
    void OpenFolderEntry(const std::string &path) override
    {
        HWND list = form_.DirectoryListBox1.Handle();
        const auto count = static_cast<int>(::SendMessageW(list, LB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            if (form_.DirectoryListBox1.EntryPath(i) == path) {
                ::SendMessageW(list, LB_SETCURSEL, i, 0);
                // What the list tells the window of a double-click on the
                // entry. Not Enter: the keyboard goes to the active window,
                // which a test run beside this one may hold.
                ::SendMessageW(form_.Handle(), WM_COMMAND,
                               MAKEWPARAM(TForm1::kDirectoryListBox1, LBN_DBLCLK),
                               reinterpret_cast<LPARAM>(list));
                RunPending();
                return;
            }
        }
        ADD_FAILURE() << "no folder list entry for " << path;
    }
    void Extract() override { ClickToolButton(TForm1::kToolButton2); }
    void Stop() override
    {
        // A click, which a disabled button does not take.
        if (::IsWindowEnabled(form_.Button1.Handle()))
            ::SendMessageW(form_.Button1.Handle(), BM_CLICK, 0, 0);
    }
    bool Close() override
    {
        ::SendMessageW(form_.Handle(), WM_CLOSE, 0, 0);
        return !::IsWindow(form_.Handle());
    }
    void RunPending() override
    {
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message != WM_QUIT)
                form_.Dispatch(message);
        }
    }

    void TypeInFolderList(const std::string &letters) override
    {
        // As the keyboard's letters come: posted, one after the other.
        HWND list = form_.DirectoryListBox1.Handle();
        ::SetFocus(list);
        for (const wchar_t letter : platform::ToUtf16(letters, CP_UTF8))
            ::PostMessageW(list, WM_CHAR, letter, 1);
        RunPending();
    }
    std::optional<bool> QueryEndSession() override
    {
        return ::SendMessageW(form_.Handle(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF) != FALSE;
    }
    void EndSession() override
    {
        ::SendMessageW(form_.Handle(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
    }
    std::string SelectedFolderEntry() const override
    {
        return form_.DirectoryListBox1.EntryPath(form_.DirectoryListBox1.Selected());
    }

    ScreenLayout Layout() const override
    {
        const auto rect = [](const RECT &r) {
            return ui::Rect{r.left, r.top, r.right - r.left, r.bottom - r.top};
        };
        ScreenLayout layout;
        layout.dpi = static_cast<int>(form_.WindowDpi());
        layout.layoutDpi = static_cast<int>(form_.LayoutDpi());
        HWND window = form_.Handle();
        MONITORINFO screen{};
        screen.cbSize = sizeof screen;
        ::GetMonitorInfoW(::MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &screen);
        layout.workArea = rect(screen.rcWork);
        RECT frame{};
        ::GetWindowRect(window, &frame);
        layout.frame = rect(frame);
        RECT client{};
        ::GetClientRect(window, &client);
        ::MapWindowPoints(window, nullptr, reinterpret_cast<POINT *>(&client), 2);
        layout.client = rect(client);
        const auto style = ::GetWindowLongPtrW(window, GWL_STYLE);
        layout.fixedSize = !(style & WS_THICKFRAME) && !(style & WS_MAXIMIZEBOX);
        for (const ui::ControlDesign &design : ui::kForm) {
            RECT at{};
            if (design.parent == ui::Control::ToolBar1) {
                const auto index = static_cast<WPARAM>(static_cast<int>(design.control) -
                                                       static_cast<int>(ui::Control::ToolButton1));
                ::SendMessageW(form_.ToolBar1.Handle(), TB_GETITEMRECT, index,
                               reinterpret_cast<LPARAM>(&at));
                ::MapWindowPoints(form_.ToolBar1.Handle(), window, reinterpret_cast<POINT *>(&at),
                                  2);
            } else {
                ::GetWindowRect(form_.ControlHandle(design.control), &at);
                ::MapWindowPoints(nullptr, window, reinterpret_cast<POINT *>(&at), 2);
            }
            layout.controls.emplace_back(design.control, rect(at));
        }
        return layout;
    }
    bool MoveToDpi(int dpi) override
    {
        // What the system sends a window dragged onto a screen of that dpi:
        // the size the window asks for, where it lies on that screen.
        HWND window = form_.Handle();
        const SIZE size = SuggestedSize(window, static_cast<UINT>(dpi));
        RECT frame{};
        ::GetWindowRect(window, &frame);
        MONITORINFO screen{};
        screen.cbSize = sizeof screen;
        ::GetMonitorInfoW(::MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &screen);
        const RECT &work = screen.rcWork;
        const LONG left = std::max(work.left, std::min(frame.left, work.right - size.cx));
        const LONG top = std::max(work.top, std::min(frame.top, work.bottom - size.cy));
        const RECT suggested{left, top, left + size.cx, top + size.cy};
        ::SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                       reinterpret_cast<LPARAM>(&suggested));
        RunPending();
        return true;
    }
    Heard Hear(ui::Control control) const override
    {
        // A tool button is an item of the tool bar's object, in order.
        long child = CHILDID_SELF;
        if (ui::DesignOf(control).parent == ui::Control::ToolBar1)
            child = static_cast<int>(control) - static_cast<int>(ui::Control::ToolButton1) + 1;
        const HeardObject object(form_.ControlHandle(control));
        Heard heard;
        heard.name = object.Text(child, &IAccessible::get_accName);
        heard.role = RoleOf(object.Number(child, &IAccessible::get_accRole));
        heard.value = object.Text(child, &IAccessible::get_accValue);
        heard.keys = object.Text(child, &IAccessible::get_accKeyboardShortcut);
        if (heard.keys.empty())
            heard.keys = object.Text(child, &IAccessible::get_accDescription);
        heard.focusable =
            (object.Number(child, &IAccessible::get_accState) & STATE_SYSTEM_FOCUSABLE) != 0;
        return heard;
    }
    std::vector<HeardTrack> HearTracks() const override
    {
        const HeardObject list(form_.ListView1.Handle());
        std::vector<HeardTrack> tracks;
        for (long child = 1; child <= list.Children(); ++child) {
            HeardTrack track;
            track.name = list.Text(child, &IAccessible::get_accName);
            track.checkBox =
                list.Number(child, &IAccessible::get_accRole) == ROLE_SYSTEM_CHECKBUTTON;
            track.checked =
                (list.Number(child, &IAccessible::get_accState) & STATE_SYSTEM_CHECKED) != 0;
            tracks.push_back(track);
        }
        return tracks;
    }
    int StatusAnnouncements() const override { return gStatusAnnouncements; }
    std::vector<ui::Control> TabCycle() override
    {
        // The stops that Tab walks among the controls (IsDialogMessage's
        // own walk), whichever window has the keyboard: a test run beside
        // this one may take it.
        std::vector<ui::Control> cycle{ui::Control::ListView1};
        HWND at = form_.ListView1.Handle();
        for (std::size_t step = 0; step < ui::kForm.size(); ++step) {
            at = ::GetNextDlgTabItem(form_.Handle(), at, FALSE);
            const ui::Control reached = ControlAt(at);
            if (reached == ui::Control::ListView1)
                break;
            cycle.push_back(reached);
        }
        return cycle;
    }
    void PressOn(ui::Control control, char key) override
    {
        HWND target = form_.ControlHandle(control);
        ::SetFocus(target);
        const UINT code = key == '\r' ? VK_RETURN : key == ' ' ? VK_SPACE : VK_ESCAPE;
        // To the control itself, as the keyboard sends it there.
        MSG message{};
        message.hwnd = target;
        message.message = WM_KEYDOWN;
        message.wParam = code;
        message.lParam = 1;
        form_.Dispatch(message);
        RunPending();
    }
    void DropDriveList(bool dropped) override
    {
        ::SendMessageW(form_.DriveComboBox1.Handle(), CB_SHOWDROPDOWN, dropped, 0);
    }
    bool DriveListDropped() const override
    {
        return ::SendMessageW(form_.DriveComboBox1.Handle(), CB_GETDROPPEDSTATE, 0, 0) != FALSE;
    }
    bool UseTheme(Theme theme) override
    {
        // Win32 controls know no dark palette of their own.
        if (theme == Theme::Dark)
            return false;
        if (theme == Theme::HighContrast) {
            std::vector<int> indices;
            std::vector<COLORREF> values;
            for (const auto &[index, value] : kHighContrastBlack) {
                savedColours_.emplace_back(index, ::GetSysColor(index));
                indices.push_back(index);
                values.push_back(value);
            }
            // What Windows does when the user turns a contrast theme on.
            win32::SetHighContrastHook([] { return true; });
            ::SetSysColors(static_cast<int>(indices.size()), indices.data(), values.data());
            ::SendMessageW(form_.Handle(), WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
            RunPending();
        }
        return true;
    }
    Painted PaintedColours(ui::Control control, bool selectedEntry) override
    {
        HWND window = form_.ControlHandle(control);
        RECT client{};
        ::GetClientRect(window, &client);
        BITMAPINFO format{};
        format.bmiHeader.biSize = sizeof format.bmiHeader;
        format.bmiHeader.biWidth = client.right;
        format.bmiHeader.biHeight = -client.bottom; // top-down
        format.bmiHeader.biPlanes = 1;
        format.bmiHeader.biBitCount = 32;
        format.bmiHeader.biCompression = BI_RGB;
        void *bits = nullptr;
        HDC dc = ::CreateCompatibleDC(nullptr);
        HBITMAP bitmap = ::CreateDIBSection(dc, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
        HGDIOBJ previous = ::SelectObject(dc, bitmap);
        // What shows through where the control paints nothing (a group
        // box's inside): the window's own background.
        ::FillRect(dc, &client, ::GetSysColorBrush(COLOR_BTNFACE));
        RECT part = client;
        if (selectedEntry && control == ui::Control::ListView1) {
            ListView_SetItemState(window, 0, LVIS_SELECTED | LVIS_FOCUSED,
                                  LVIS_SELECTED | LVIS_FOCUSED);
            ListView_GetItemRect(window, 0, &part, LVIR_LABEL);
        } else if (selectedEntry) {
            ::SendMessageW(window, LB_GETITEMRECT, ::SendMessageW(window, LB_GETCURSEL, 0, 0),
                           reinterpret_cast<LPARAM>(&part));
        }
        // What the control paints, as the screen would show it.
        ::SendMessageW(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
        ::SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
        ::GdiFlush();
        std::vector<ui::Colour> pixels;
        const auto *pixel = static_cast<const std::uint32_t *>(bits);
        for (LONG y = std::max(0L, part.top); y < std::min(client.bottom, part.bottom); ++y) {
            for (LONG x = std::max(0L, part.left); x < std::min(client.right, part.right); ++x) {
                const std::uint32_t bgra = pixel[y * client.right + x];
                pixels.push_back({static_cast<unsigned char>(bgra >> 16),
                                  static_cast<unsigned char>(bgra >> 8),
                                  static_cast<unsigned char>(bgra)});
            }
        }
        ::SelectObject(dc, previous);
        ::DeleteObject(bitmap);
        ::DeleteDC(dc);
        return PaintedFrom(pixels);
    }

private:
    ui::Control ControlAt(HWND window) const
    {
        for (const ui::ControlDesign &design : ui::kForm) {
            if (design.parent != ui::Control::ToolBar1 &&
                form_.ControlHandle(design.control) == window)
                return design.control;
        }
        return ui::Control::Form1;
    }
    bool ToolButtonEnabled(int id) const
    {
        return ::SendMessageW(form_.ToolBar1.Handle(), TB_ISBUTTONENABLED, id, 0) != 0;
    }
    // The tool bar's message for a click on one of its buttons.
    void ClickToolButton(int id)
    {
        ::SendMessageW(form_.Handle(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                       reinterpret_cast<LPARAM>(form_.ToolBar1.Handle()));
    }

    // COM as vorsa.exe has it, for the window's shell calls; entered before
    // the window is made and left after it has gone.
    win32::ComApartment com_;
    ProbedForm form_;
    std::optional<std::string> openAnswer_;
    HWINEVENTHOOK statusHook_ = nullptr;
    std::vector<std::pair<int, COLORREF>>
        savedColours_; // the system's, while the contrast set is on
};

} // namespace

std::unique_ptr<WindowDriver> MakeWindowDriver()
{
    return std::make_unique<Win32WindowDriver>();
}

} // namespace vorsa::testing
