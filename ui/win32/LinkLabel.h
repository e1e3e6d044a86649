// The link to the maker's home page: a label that shows its address navy
// and underlined (the system's link colour in a contrast theme), takes the
// hand pointer and the Tab key, is heard as a link, and opens the address in
// the user's web browser when clicked or on Enter or Space. Its procedure,
// cursor, colours, font and action live here together.
#pragma once

#include "Control.h"
#include "WinHandles.h"

#include <functional>
#include <string_view>

namespace vorsa::win32
{

class LinkLabel : public Label
{
public:
    LinkLabel() : Label(SS_LEFTNOWORDWRAP | SS_NOTIFY | WS_TABSTOP) {}
    // Clicks, Enter and Space come to the parent as STN_CLICKED from control id `id`.
    void Create(HWND parent, int id) override;

    // Opens `address` (UTF-8) in the browser; a failure is not reported.
    void Open(std::string_view address) const;

    // Its text underlined in `font`'s face.
    void SetScale(UINT dpi, HFONT font) override;
    HBRUSH Colour(HDC dc) const override;
    // The system's colours changed: its background follows them.
    void FollowSystemColours();

protected:
    std::optional<Spoken> SpokenAs(long child) const override;

private:
    static LRESULT CALLBACK Procedure(HWND label, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR id, DWORD_PTR self);

    UniqueFont font_;
    UniqueBrush background_;
};

// The seam: with a hook set, the address (UTF-8) goes to it, not to the browser.
void SetOpenAddressHook(std::function<void(std::string_view address)> hook);

} // namespace vorsa::win32
