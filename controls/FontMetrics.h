// The base units of a window's font (average character width and height),
// and rectangles scaled from them to other units, so that a control can fit
// itself to the dialog font it was laid out for.
#pragma once

#include "framework/Ui.h"

// Writes the base units of `wnd`'s own font and returns them packed, the
// height in the high and the width in the low 16 bits.
DWORD GetFontBaseUnits(CWnd* wnd, int* averageWidth, int* height);

// Scales `rect` from `wnd`'s base units to the reference units: modes 0, 2,
// 3, 4 and 6 scale all four sides; modes 1 and 5 scale the top-left corner
// and move the rectangle there with its size; other modes change nothing.
void ScaleRectByBaseUnits(RECT* rect, int mode, int referenceWidth, int referenceHeight, CWnd* wnd);
