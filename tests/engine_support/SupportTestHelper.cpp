// Started by the tests as another program:
//   support_test_helper.exe answer <title>  a window that answers messages;
//                                           closing it ends the program with 7
//   support_test_helper.exe hang <title>    a window whose thread stops
//                                           taking messages once it is shown
#include <windows.h>
#include <string.h>

namespace {

LRESULT CALLBACK HelperWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY) {
        PostQuitMessage(7);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int)
{
    const bool hang = strncmp(commandLine, "hang ", 5) == 0;
    const char* title = strchr(commandLine, ' ');
    if (!title)
        return 2;
    ++title;

    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = HelperWindowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = "KestruneSupportTestHelper";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowA(windowClass.lpszClassName, title, WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                                nullptr, nullptr, instance, nullptr);
    if (!window)
        return 3;
    ShowWindow(window, SW_SHOWNOACTIVATE);

    if (hang) {
        Sleep(60000);
        return 4;
    }
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0)
        DispatchMessageA(&message);
    return static_cast<int>(message.wParam);
}
