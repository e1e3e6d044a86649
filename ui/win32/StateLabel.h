// A label that shows a state of the work on cream: the loaded file, the
// image, the destination (paths, cut at the label's edge, with a tool tip
// that shows them whole) and the extraction's status.
#pragma once

#include "Control.h"
#include "WinHandles.h"

#include <string>

namespace vorsa::win32
{

class StateLabel : public Label
{
public:
    enum class Shows {
        Path,   // on one line from the left, whole in its tool tip
        Status, // centred
    };
    explicit StateLabel(Shows shows);
    void Create(HWND parent, int id) override;

    void SetText(const std::string &text) const;

    void SetScale(UINT dpi, HFONT font) override;
    HBRUSH Colour(HDC dc) const override;

protected:
    // Named by its heading, its text its value.
    std::optional<Spoken> SpokenAs(long child) const override;

private:
    Shows shows_;
    HWND pathTip_ = nullptr; // owned by the parent, which destroys it with itself
    UniqueBrush cream_;
};

} // namespace vorsa::win32
