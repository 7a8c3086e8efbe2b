// Real input through SendInput, as a user's mouse and keyboard would give
// it. Positions are in screen coordinates.
#pragma once

#include <windows.h>

namespace testing_support {

void MoveMouseTo(POINT screen);
// The centre of a window, and a point of its client area, on the screen.
POINT CentreOf(HWND hwnd);
POINT ClientPointToScreen(HWND hwnd, int x, int y);
void MouseDown(bool right = false);
void MouseUp(bool right = false);
void ClickAt(POINT screen, bool right = false);
void DoubleClickAt(POINT screen);
void PressKey(WORD virtualKey);
void KeyDown(WORD virtualKey);
void KeyUp(WORD virtualKey);
// A chord such as Ctrl+Alt+K in one SendInput: the keys go down in the
// order given and come up in the reverse order.
void PressChord(const WORD* virtualKeys, int count);

}  // namespace testing_support
