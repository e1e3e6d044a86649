// The behaviour table's driver for the Win32 window, in the test's own
// process: the user's actions as the messages that the tool bar, the
// controls and the shell send the window, delivered through its message
// loop, with the dialog hooks answering.
#include "WindowDriver.h"

#include "Dialogs.h"
#include "Unit1.h"
#include "WinHandles.h"
#include "platform/SystemText.h"

#include <commctrl.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstring>
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
        ::ShowWindow(form_.Handle(), SW_SHOW);
        ::SetForegroundWindow(form_.Handle());
        RunPending();
    }
    ~Win32WindowDriver() override
    {
        win32::SetMessageHook(nullptr);
        win32::SetOpenFileHook(nullptr);
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
        // What the system sends a window dragged onto a screen of that dpi.
        RECT frame{};
        ::GetWindowRect(form_.Handle(), &frame);
        ::SendMessageW(form_.Handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                       reinterpret_cast<LPARAM>(&frame));
        RunPending();
        return true;
    }

private:
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
};

} // namespace

std::unique_ptr<WindowDriver> MakeWindowDriver()
{
    return std::make_unique<Win32WindowDriver>();
}

} // namespace vorsa::testing
