#include "engine/support/MouseInput.h"

#include <windows.h>
#include <string.h>

namespace EngineSupport {

namespace {

bool Is(const char* text, const char* name)
{
    return text && _stricmp(text, name) == 0;
}

void SendButton(MouseButton button, DWORD right, DWORD middle, DWORD left)
{
    const DWORD flag = button == kRightButton ? right : button == kMiddleButton ? middle : left;
    mouse_event(flag, 0, 0, 0, 0);
}

}  // namespace

MouseButton MouseButtonNamed(const char* button)
{
    return Is(button, "RIGHT") ? kRightButton : Is(button, "MIDDLE") ? kMiddleButton : kLeftButton;
}

void MouseButtonDown(MouseButton button)
{
    SendButton(button, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_LEFTDOWN);
}

void MouseButtonUp(MouseButton button)
{
    SendButton(button, MOUSEEVENTF_RIGHTUP, MOUSEEVENTF_MIDDLEUP, MOUSEEVENTF_LEFTUP);
}

void MouseWheelStep(const char* direction)
{
    const DWORD delta = static_cast<DWORD>(Is(direction, "UP") ? WHEEL_DELTA : -WHEEL_DELTA);
    mouse_event(MOUSEEVENTF_WHEEL, 0, 0, delta, 0);
}

}  // namespace EngineSupport
