#include "tests/controls/ControlTestSupport.h"

#include "tests/support/Input.h"
#include "tests/support/UiPump.h"

using namespace testing_support;

namespace control_tests {

void ShowInFront(CWnd& dialog)
{
    dialog.ShowWindow(SW_SHOW);
    dialog.SetForegroundWindow();
    dialog.UpdateWindow();
    PumpMessages(100);
}

void ParkMouse()
{
    MoveMouseTo(POINT{ GetSystemMetrics(SM_CXSCREEN) - 5, GetSystemMetrics(SM_CYSCREEN) - 5 });
    PumpMessages(100);
}

void ReleaseMouseButton()
{
    if (GetAsyncKeyState(VK_LBUTTON) & 0x8000)
        MouseUp();
}

void HoverOver(HWND hwnd)
{
    MoveMouseTo(CentreOf(hwnd));
    PumpMessages(200);
}

void HoverAt(HWND hwnd, int x, int y)
{
    MoveMouseTo(ClientPointToScreen(hwnd, x, y));
    PumpMessages(200);
}

}  // namespace control_tests
