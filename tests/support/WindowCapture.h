// The pixels of a window as it is drawn, read back from the window's own
// surface (so other windows in front do not matter), for sampling colours
// and for saving a screenshot.
#pragma once

#include <windows.h>

#include <stdint.h>

#include <string>
#include <vector>

namespace testing_support {

class WindowCapture
{
public:
    // The whole window, frame included; (0, 0) is its top-left corner.
    static WindowCapture OfWindow(HWND hwnd);
    // The client area; (0, 0) is its top-left corner.
    static WindowCapture OfClient(HWND hwnd);
    // A rectangle of the screen.
    static WindowCapture OfScreen(const RECT& rect);
    // What is drawn on a device context (such as a memory one), from (0, 0).
    static WindowCapture OfDC(HDC dc, int width, int height) { return FromDC(dc, 0, 0, width, height); }

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // CLR_INVALID outside the picture.
    COLORREF Pixel(int x, int y) const;
    // How many pixels of the area (clipped to the picture) have this colour.
    int Count(const RECT& area, COLORREF colour) const;
    int Count(COLORREF colour) const;

    // Saves the picture as <name>.png in the build's screenshots folder;
    // returns the file's path, empty on failure.
    std::string SavePng(const std::string& name) const;
    // Saves the picture as a PNG file at `path`; false on failure.
    bool SavePngAs(const std::string& path) const;

private:
    static WindowCapture FromDC(HDC source, int x, int y, int width, int height);

    int m_width = 0;
    int m_height = 0;
    std::vector<uint32_t> m_pixels;   // 0x00RRGGBB, top row first
};

}  // namespace testing_support
