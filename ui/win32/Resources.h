// Numbers of the Win32 window's resources (Unit1.rc) and of the program's
// own (app/win32/vorsa.rc), shared by the scripts and the code.
#pragma once

#define IDI_VORSA 1 // the program's icon
#define IDI_OPEN 101
#define IDI_EXTRACT 102
#define IDI_TICKALL 103
#define IDI_UNTICKALL 104
