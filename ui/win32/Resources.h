// Numbers of the Win32 window's resources (Unit1.rc), the program's icon
// among them, shared by the scripts and the code.
#pragma once

#define IDI_VORSA 1 // the program's icon
#define IDI_OPEN 101
#define IDI_EXTRACT 102
#define IDI_TICKALL 103
#define IDI_UNTICKALL 104
