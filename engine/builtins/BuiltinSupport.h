// Small routines that several builtin families share: one-dimensional array
// results, the origin of the coordinate modes, and wide text for the shell.
#pragma once

#include "engine/EngineVariant.h"

#include <windows.h>

#include <string>

namespace BuiltinSupport {

// Makes `result` a one-dimensional array of `count` elements (at least 1);
// false when it cannot be made.
bool MakeArray(CEngineVariant& result, int count);
// The element at `index` of a one-dimensional array; null outside it.
CEngineVariant* ArrayElement(CEngineVariant& array, int index);
// The array [x, y].
void MakePointArray(CEngineVariant& result, int x, int y);

// The top-left corner of the foreground window, which the coordinate modes 0
// (MouseCoordMode, PixelCoordMode) count from; (0, 0) without one.
POINT ForegroundWindowOrigin();
// The origin that coordinates count from under `coordinateMode`: the
// foreground window's corner for 0, the screen's for 1.
POINT CoordinateOrigin(int coordinateMode);
// A script's point in screen coordinates.
POINT ToScreen(int x, int y, int coordinateMode);

// `text` in UTF-16 through the ANSI code page, for the shell's interfaces.
std::wstring ToWide(const char* text);

}  // namespace BuiltinSupport
