// What a screen reader hears of a control, beyond what the system's own
// accessible object for its kind tells (MSAA): the name, role, value, keys
// and state that the form design gives, for the control and its items. The
// control answers WM_GETOBJECT with the system's object wrapped in these
// answers; all else is the system's.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

namespace vorsa::win32
{

// One element's answers; a missing one is the system's answer.
struct Spoken {
    std::optional<std::wstring> name;
    std::optional<long> role;          // ROLE_SYSTEM_*
    std::optional<std::wstring> value; // a state label's text, a progress bar's position
    std::optional<std::wstring> keys;  // the keys that do what it does ("Ctrl+O")
    std::optional<long> state;         // STATE_SYSTEM_*
};

struct Speaker {
    // Child 0 is the control itself, 1 on its items; nullopt: the system's answers.
    std::function<std::optional<Spoken>(long child)> spoken;
    // How many items it has; none: the system's count.
    std::function<long()> children;
};

// The accessible object that `control` answers WM_GETOBJECT (OBJID_CLIENT)
// with, as the LRESULT the message returns; 0 where the system's could not be made.
LRESULT AccessibleObjectOf(HWND control, WPARAM wParam, const Speaker &speaker);

} // namespace vorsa::win32
