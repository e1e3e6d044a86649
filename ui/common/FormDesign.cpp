#include "FormDesign.h"

#include <algorithm>
#include <stdexcept>

namespace vorsa::ui
{

const ControlDesign &DesignOf(Control control)
{
    for (const ControlDesign &design : kForm) {
        if (design.control == control)
            return design;
    }
    throw std::out_of_range("no design for the control");
}

std::string_view SpokenNameOf(Control control)
{
    for (const SpokenName &spoken : kSpokenNames) {
        if (spoken.control == control)
            return spoken.name;
    }
    return {};
}

std::string KeysOf(Control button)
{
    for (const KeyDesign &key : kKeys) {
        if (key.button != button)
            continue;
        std::string keys = key.control ? "Ctrl+" : "";
        if (key.shift)
            keys += "Shift+";
        keys += key.key == kEscape ? std::string("Esc") : std::string(1, key.key);
        return keys;
    }
    return {};
}

Rect ClientRectOf(Control control)
{
    const ControlDesign &design = DesignOf(control);
    Rect rect = design.rect;
    if (design.parent != Control::Form1) {
        const Rect parent = ClientRectOf(design.parent);
        rect.left += parent.left;
        rect.top += parent.top;
    }
    return rect;
}

int Scaled(int designPixels, int dpi)
{
    // Rounded half away from zero, as MulDiv does.
    const long long product = static_cast<long long>(designPixels) * dpi;
    const long long half = kDesignDpi / 2;
    return static_cast<int>(product >= 0 ? (product + half) / kDesignDpi
                                         : -((-product + half) / kDesignDpi));
}

Rect Scaled(const Rect &design, int dpi)
{
    return {Scaled(design.left, dpi), Scaled(design.top, dpi), Scaled(design.width, dpi),
            Scaled(design.height, dpi)};
}

Rect KeepInside(Rect frame, const Rect &workArea)
{
    frame.left = std::min(frame.left, workArea.left + workArea.width - frame.width);
    frame.top = std::min(frame.top, workArea.top + workArea.height - frame.height);
    frame.left = std::max(frame.left, workArea.left);
    frame.top = std::max(frame.top, workArea.top);
    return frame;
}

FormPlacement PlaceForm(int dpi, int frameWidth, int frameHeight, const Rect &workArea)
{
    const auto frameAt = [&](int at) {
        return Rect{0, 0, Scaled(kClientWidth, at) + frameWidth,
                    Scaled(kClientHeight, at) + frameHeight};
    };
    const auto fits = [&](const Rect &frame) {
        return frame.width <= workArea.width && frame.height <= workArea.height;
    };
    int at = dpi;
    while (at > kDesignDpi / 2 && !fits(frameAt(at)))
        --at;
    Rect frame = frameAt(at);
    frame.left = workArea.left + (workArea.width - frame.width) / 2;
    frame.top = workArea.top + (workArea.height - frame.height) / 2;
    return {at, KeepInside(frame, workArea)};
}

} // namespace vorsa::ui
