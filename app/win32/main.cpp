// vorsa.exe: one window, run until it is closed. A file named on the command
// line ("Open with" in Explorer) loads once the window shows.
#include "ProcessStart.h"
#include "Unit1.h"
#include "WinHandles.h"

#include <windows.h>

#include <string>

namespace
{

// The name as a full path, as a drop hands it over.
std::string FullPath(const char *name)
{
    const DWORD bytes = ::GetFullPathNameA(name, 0, nullptr, nullptr);
    if (bytes == 0)
        return name;
    std::string full(bytes, '\0');
    const DWORD got = ::GetFullPathNameA(name, bytes, full.data(), nullptr);
    full.resize(got);
    return full;
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int show)
{
    vorsa::PrepareProcess();
    // The window's thread in COM's apartment until the program ends, after
    // the window has gone.
    const vorsa::win32::ComApartment com;
    TForm1 Form1;
    ::ShowWindow(Form1.Handle(), show);
    ::UpdateWindow(Form1.Handle());
    // The C runtime's arguments, in the process's code page.
    if (__argc > 1)
        Form1.PostNamedFile(FullPath(__argv[1]));
    return Form1.Run();
}
