#include "tests/support/Input.h"

namespace testing_support {

namespace {

void SendMouse(DWORD flags, LONG dx = 0, LONG dy = 0)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = dx;
    input.mi.dy = dy;
    input.mi.dwFlags = flags;
    SendInput(1, &input, sizeof input);
}

void SendKey(WORD virtualKey, DWORD flags)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = flags;
    SendInput(1, &input, sizeof input);
}

}  // namespace

void MoveMouseTo(POINT screen)
{
    int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    // Absolute coordinates run from 0 to 65535 across the screen; aim at the
    // middle of the pixel so that rounding cannot land on its neighbour.
    LONG dx = static_cast<LONG>((screen.x * 65536LL + 32768) / width);
    LONG dy = static_cast<LONG>((screen.y * 65536LL + 32768) / height);
    SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, dx, dy);
}

POINT CentreOf(HWND hwnd)
{
    RECT rect;
    GetWindowRect(hwnd, &rect);
    return POINT{ (rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2 };
}

POINT ClientPointToScreen(HWND hwnd, int x, int y)
{
    POINT point = { x, y };
    ClientToScreen(hwnd, &point);
    return point;
}

void MouseDown(bool right)
{
    SendMouse(right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN);
}

void MouseUp(bool right)
{
    SendMouse(right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP);
}

void ClickAt(POINT screen, bool right)
{
    MoveMouseTo(screen);
    MouseDown(right);
    MouseUp(right);
}

void DoubleClickAt(POINT screen)
{
    ClickAt(screen);
    ClickAt(screen);
}

void KeyDown(WORD virtualKey)
{
    SendKey(virtualKey, 0);
}

void KeyUp(WORD virtualKey)
{
    SendKey(virtualKey, KEYEVENTF_KEYUP);
}

void PressKey(WORD virtualKey)
{
    KeyDown(virtualKey);
    KeyUp(virtualKey);
}

void PressChord(const WORD* virtualKeys, int count)
{
    INPUT keys[16] = {};
    if (count > 8)
        count = 8;
    for (int i = 0; i < count; ++i) {
        keys[i].type = INPUT_KEYBOARD;
        keys[i].ki.wVk = virtualKeys[i];
        keys[2 * count - 1 - i].type = INPUT_KEYBOARD;
        keys[2 * count - 1 - i].ki.wVk = virtualKeys[i];
        keys[2 * count - 1 - i].ki.dwFlags = KEYEVENTF_KEYUP;
    }
    SendInput(static_cast<UINT>(2 * count), keys, sizeof(INPUT));
}

}  // namespace testing_support
