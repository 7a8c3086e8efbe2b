// window_helper: a program whose window turns up late, for the tests of
// lines bound to recorded windows.
//
//   window_helper <title> <delay ms> <lifetime ms>
//
// Waits `delay`, opens a visible top-level window titled `title`, keeps it
// open for `lifetime` and exits.
#include <windows.h>

#include <stdlib.h>

namespace {

LRESULT CALLBACK HelperWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY)
        PostQuitMessage(0);
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 4)
        return 2;
    Sleep(static_cast<DWORD>(atoi(argv[2])));

    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = HelperWindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = "KestruneWindowHelper";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowA(windowClass.lpszClassName, argv[1], WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50,
                                300, 200, nullptr, nullptr, windowClass.hInstance, nullptr);
    if (!window)
        return 1;

    const DWORD end = GetTickCount() + static_cast<DWORD>(atoi(argv[3]));
    MSG message;
    while (static_cast<LONG>(end - GetTickCount()) > 0) {
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        Sleep(10);
    }
    DestroyWindow(window);
    return 0;
}
