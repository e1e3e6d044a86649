// A child control of the window, over its HWND: the base of every control
// kind, with what they all do (place, font, enable, the keyboard) as
// one-line methods. The window that created a control destroys it with
// itself; the object only names it.
#pragma once

#include "Accessible.h"
#include "FormDesign.h"

#include <windows.h>

#include <oleacc.h>

#include <optional>
#include <string>
#include <string_view>

namespace vorsa::win32
{

class Control
{
public:
    virtual ~Control() = default;
    Control(const Control &) = delete;
    Control &operator=(const Control &) = delete;

    // Makes the control, a child of `parent` with control id `id` (0 for
    // one that sends the parent nothing).
    virtual void Create(HWND parent, int id) = 0;
    HWND Handle() const { return handle_; }

    // Text in `font`, for `dpi`; kinds that draw more than text rescale that too.
    virtual void SetScale(UINT dpi, HFONT font);
    // The text and background it paints with, asked by WM_CTLCOLOR*: the
    // background's brush; the window's face by default.
    virtual HBRUSH Colour(HDC dc) const;

    // Its place in the parent's client area, in pixels; kinds that fit
    // themselves to their font may grow from it.
    virtual void Place(const ui::Rect &at);
    void Enable(bool enabled) const { ::EnableWindow(handle_, enabled); }
    bool Enabled() const { return ::IsWindowEnabled(handle_) != FALSE; }
    void Focus() const { ::SetFocus(handle_); }
    bool Focused() const { return ::GetFocus() == handle_; }
    // The control's text as the state holds it, in the process's code page, and back.
    std::string StateText() const;
    void SetStateText(const std::string &text) const;
    // One of the program's own texts (UTF-8) as the control's text.
    void SetProgramText(std::string_view utf8) const;
    // The common controls learn of a change of the system's colours from
    // their parent.
    void NoteColourChange(WPARAM wParam, LPARAM lParam) const;

    // A screen reader hears it as `control` of the design: its spoken name
    // and its keys.
    void SpeakAs(ui::Control control);

protected:
    // `role` (ROLE_SYSTEM_*): what a screen reader hears it as; `style`:
    // what a kind made in more than one style is made with.
    explicit Control(long role, DWORD style = 0) : role_(role), style_(style) {}
    void Make(HWND parent, const wchar_t *className, DWORD style, DWORD exStyle = 0, int id = 0);

    // What a screen reader hears of it (child 0) and of its items (1 on);
    // nullopt leaves the system's answer.
    virtual std::optional<Spoken> SpokenAs(long child) const;
    // How many items it has for a screen reader; nullopt: the system's count.
    virtual std::optional<long> SpokenItems() const { return std::nullopt; }
    std::wstring WideText() const;

    long role_;
    DWORD style_;
    HWND handle_ = nullptr;
    std::wstring spokenName_;
    std::wstring spokenKeys_;

private:
    static LRESULT CALLBACK Answer(HWND control, UINT message, WPARAM wParam, LPARAM lParam,
                                   UINT_PTR id, DWORD_PTR self);
};

// A heading or plain text, with no prefix character; by default on one line.
class Label : public Control
{
public:
    explicit Label(DWORD style = SS_LEFTNOWORDWRAP) : Control(ROLE_SYSTEM_STATICTEXT, style) {}
    void Create(HWND parent, int id) override;
};

// The file-name prefix's box.
class Edit : public Control
{
public:
    Edit() : Control(ROLE_SYSTEM_TEXT) {}
    void Create(HWND parent, int id) override;
};

// A push button, or by its style (BS_GROUPBOX) a group's frame, which draws
// only its frame and caption.
class Button : public Control
{
public:
    explicit Button(DWORD style)
        : Control((style & BS_TYPEMASK) == BS_GROUPBOX ? ROLE_SYSTEM_GROUPING
                                                       : ROLE_SYSTEM_PUSHBUTTON,
                  style)
    {
    }
    void Create(HWND parent, int id) override;
};

class ProgressBar : public Control
{
public:
    ProgressBar() : Control(ROLE_SYSTEM_PROGRESSBAR) {}
    // Range 0 to 100.
    void Create(HWND parent, int id) override;
    void SetPosition(int position) const;

protected:
    // Its value, as a percentage.
    std::optional<Spoken> SpokenAs(long child) const override;
};

} // namespace vorsa::win32
