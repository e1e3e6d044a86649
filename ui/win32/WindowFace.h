// The face of the window's text and of its boxes' text: one that holds both
// Latin and Japanese, whatever the system's locale.
#pragma once

#include <windows.h>

namespace vorsa::win32
{

// The first of the design's faces that the system has with its Japanese
// characters; without any of them, the system's message font, which holds
// Latin letters and which font linking gives Japanese on a Japanese system.
// Only the face and character set are set; the caller sets the height.
LOGFONTW WindowFace();

} // namespace vorsa::win32
