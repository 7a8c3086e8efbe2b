// exit_helper: a program that ends with a given exit code, for the tests of
// waits on programs.
//
//   exit_helper <exit code> <delay ms>
#include <windows.h>

#include <stdlib.h>

int main(int argc, char** argv)
{
    if (argc != 3)
        return 2;
    Sleep(static_cast<DWORD>(atoi(argv[2])));
    ExitProcess(static_cast<UINT>(strtoul(argv[1], nullptr, 10)));
}
