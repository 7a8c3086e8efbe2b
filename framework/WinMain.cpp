// The program's entry point: runs the application object that the program
// defines. It is linked into each program (library framework_winmain), as a
// static library member nobody refers to would be left out.
#include "framework/WinApp.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show)
{
    return AfxWinMain(instance, previous, commandLine, show);
}
