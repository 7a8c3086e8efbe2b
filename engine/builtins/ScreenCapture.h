// A copy of a rectangle of the screen in memory. Under a remote display each
// GetPixel is a round trip to the display server; a scan over many pixels
// copies the area once (a 32-bit DIB section) and reads it in memory.
#pragma once

#include <windows.h>

class ScreenCapture
{
public:
    ScreenCapture() = default;
    ScreenCapture(const ScreenCapture&) = delete;
    ScreenCapture& operator=(const ScreenCapture&) = delete;
    ~ScreenCapture();

    // Copies the part of the rectangle (both bounds included) that lies on
    // the screen. False when the screen cannot be read at all.
    bool Capture(long long left, long long top, long long right, long long bottom);

    // The copied part, in screen coordinates, right and bottom excluded;
    // empty when the rectangle lies off the screen.
    const RECT& Copied() const { return m_copied; }
    bool Contains(long long x, long long y) const
    {
        return x >= m_copied.left && x < m_copied.right && y >= m_copied.top && y < m_copied.bottom;
    }
    // The colour at a point inside Copied(), as 0x00RRGGBB.
    DWORD PixelAt(long long x, long long y) const
    {
        return m_bits[(y - m_copied.top) * (m_copied.right - m_copied.left) + (x - m_copied.left)] & 0x00FFFFFF;
    }

private:
    void Release();

    RECT m_copied = {0, 0, 0, 0};
    HDC m_memoryDC = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_oldBitmap = nullptr;
    const DWORD* m_bits = nullptr;
};
