// Darker and grey copies of an icon, made pixel by pixel, for the normal
// and disabled looks of an image button.
#pragma once

#include <windows.h>

// For 0 < factor <= 1 each channel v becomes v - factor x v; otherwise the
// colour is returned unchanged.
COLORREF DarkenColour(COLORREF colour, double factor);
// A new icon whose non-black pixels are darkened by a quarter; null when
// the icon cannot be read.
HICON MakeDarkIcon(HICON icon);
// A new icon whose non-black pixels are their grey (luminance) value.
HICON MakeGreyIcon(HICON icon);
