// The window's size, place and scale on its screen: the form's design laid
// out at the dpi at which the window fits its screen.
#pragma once

#include "FormDesign.h"

#include <QFont>
#include <QPoint>

class QWidget;

namespace vorsa::ui
{

// The control of the design in `form`, found by its objectName; `form` for Form1.
QWidget &ControlOf(const QWidget &form, Control control);

struct ScreenPlacement {
    int dpi;             // the design's, lower where the window would not fit at that
    QPoint frameTopLeft; // where the frame goes, in the middle of the screen
};

// Where `form` goes on its screen, and the dpi it is laid out at there.
ScreenPlacement PlaceOnScreen(const QWidget &form);

// The design's font at `dpi`.
QFont FormFont(int dpi);

// Places and sizes each control of the design, found in `form` by its
// objectName, scaled to `dpi`: the form itself, the images of the tool
// buttons and the folder list's entries with it.
void LayOutForm(QWidget &form, int dpi);

} // namespace vorsa::ui
