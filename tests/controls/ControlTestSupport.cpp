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

std::string TextOf(CWnd& wnd)
{
    CString text;
    wnd.GetWindowText(text);
    return static_cast<LPCSTR>(text);
}

void SetClipboardText(const std::string& text)
{
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    memcpy(GlobalLock(memory), text.c_str(), text.size() + 1);
    GlobalUnlock(memory);
    SetClipboardData(CF_TEXT, memory);
    CloseClipboard();
}

std::string ClipboardText()
{
    std::string text;
    if (!OpenClipboard(nullptr))
        return "<no clipboard>";
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        text = static_cast<const char*>(GlobalLock(data));
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

}  // namespace control_tests
