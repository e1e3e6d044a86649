// Owners of the window's GDI objects, icons, image list and accelerator table,
// and of the thread's COM apartment: each is released when its owner goes,
// on every path.
#pragma once

#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

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

// COM on the calling thread, a single-threaded apartment, for as long as the
// object lives: the shell's calls need it (SHGetFileInfo for the folder
// icons), or want that kind (ShellExecute for the link). OLE 1's DDE is left
// out, as ShellExecute's page asks. A thread that already has an apartment of
// this kind counts it once more, and once less at the end; one of the other
// kind is left as it is.
class ComApartment
{
public:
    ComApartment()
        : entered_(SUCCEEDED(
              ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)))
    {
    }
    ~ComApartment()
    {
        if (entered_)
            ::CoUninitialize();
    }
    ComApartment(const ComApartment &) = delete;
    ComApartment &operator=(const ComApartment &) = delete;

    bool Entered() const { return entered_; }

private:
    bool entered_;
};

} // namespace vorsa::win32
