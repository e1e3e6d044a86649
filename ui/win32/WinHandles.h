// Owners of the window's GDI objects, icons, image list and accelerator table:
// each is released when its owner goes, on every path.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <type_traits>

namespace vorsa::win32
{

struct GdiObjectRelease {
    void operator()(HGDIOBJ object) const { ::DeleteObject(object); }
};
struct ImageListRelease {
    void operator()(HIMAGELIST list) const { ::ImageList_Destroy(list); }
};
struct IconRelease {
    void operator()(HICON icon) const { ::DestroyIcon(icon); }
};
struct AcceleratorsRelease {
    void operator()(HACCEL table) const { ::DestroyAcceleratorTable(table); }
};

using UniqueFont = std::unique_ptr<std::remove_pointer_t<HFONT>, GdiObjectRelease>;
using UniqueBrush = std::unique_ptr<std::remove_pointer_t<HBRUSH>, GdiObjectRelease>;
using UniqueImageList = std::unique_ptr<std::remove_pointer_t<HIMAGELIST>, ImageListRelease>;
using UniqueIcon = std::unique_ptr<std::remove_pointer_t<HICON>, IconRelease>;
using UniqueAccelerators = std::unique_ptr<std::remove_pointer_t<HACCEL>, AcceleratorsRelease>;

} // namespace vorsa::win32
