// The run options (Opt) of the mouse, pixel and caret builtins: where their
// coordinates count from, how colours are written, and the mouse's pauses.
#pragma once

#include <windows.h>

struct MouseAndPixelOptions
{
    // Coordinate modes: 0 from the foreground window's corner, 1 from the screen's.
    BYTE MouseCoordMode = 1;
    BYTE PixelCoordMode = 1;
    BYTE CaretCoordMode = 1;
    BYTE ColorMode = 0;              // 0 colours as 0xRRGGBB, 1 as 0xBBGGRR
    int MouseClickDelay = 10;        // ms after a click
    int MouseClickDownDelay = 10;    // ms a button is held down
    int MouseClickDragDelay = 250;   // ms before and after the drag
};
