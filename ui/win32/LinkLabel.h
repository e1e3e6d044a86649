// The link to the maker's home page: a label that shows its address navy
// and underlined, takes the hand pointer, and opens the address in the
// user's web browser. Its procedure, cursor, colours, font and action live
// here together.
#pragma once

#include "Control.h"
#include "WinHandles.h"

#include <string_view>

namespace vorsa::win32
{

class LinkLabel : public Label
{
public:
    LinkLabel() : Label(SS_LEFTNOWORDWRAP | SS_NOTIFY) {}
    // Clicks come to the parent as STN_CLICKED from control id `id`.
    void Create(HWND parent, int id) override;

    // Opens `address` (UTF-8) in the browser; a failure is not reported.
    void Open(std::string_view address) const;

    // Its text underlined in `font`'s face.
    void SetScale(UINT dpi, HFONT font) override;
    HBRUSH Colour(HDC dc) const override;
    // The system's colours changed: its background follows them.
    void FollowSystemColours();

private:
    static LRESULT CALLBACK Procedure(HWND label, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR id, DWORD_PTR self);

    UniqueFont font_;
    UniqueBrush background_;
};

} // namespace vorsa::win32
