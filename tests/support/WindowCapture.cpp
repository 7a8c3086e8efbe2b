#include "tests/support/WindowCapture.h"

#include "tests/support/PngWriter.h"

namespace testing_support {

WindowCapture WindowCapture::FromDC(HDC source, int x, int y, int width, int height)
{
    WindowCapture capture;
    if (!source || width <= 0 || height <= 0)
        return capture;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;   // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC memory = CreateCompatibleDC(source);
    HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, source, x, y, SRCCOPY);
    GdiFlush();
    const uint32_t* pixels = static_cast<const uint32_t*>(bits);
    capture.m_width = width;
    capture.m_height = height;
    capture.m_pixels.assign(pixels, pixels + static_cast<size_t>(width) * height);
    for (uint32_t& pixel : capture.m_pixels)
        pixel &= 0xFFFFFF;
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    return capture;
}

WindowCapture WindowCapture::OfWindow(HWND hwnd)
{
    RECT rect;
    GetWindowRect(hwnd, &rect);
    HDC dc = GetWindowDC(hwnd);
    WindowCapture capture = FromDC(dc, 0, 0, rect.right - rect.left, rect.bottom - rect.top);
    ReleaseDC(hwnd, dc);
    return capture;
}

WindowCapture WindowCapture::OfClient(HWND hwnd)
{
    RECT rect;
    GetClientRect(hwnd, &rect);
    HDC dc = GetDC(hwnd);
    WindowCapture capture = FromDC(dc, 0, 0, rect.right, rect.bottom);
    ReleaseDC(hwnd, dc);
    return capture;
}

WindowCapture WindowCapture::OfScreen(const RECT& rect)
{
    HDC dc = GetDC(nullptr);
    WindowCapture capture = FromDC(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    ReleaseDC(nullptr, dc);
    return capture;
}

COLORREF WindowCapture::Pixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return CLR_INVALID;
    uint32_t rgb = m_pixels[static_cast<size_t>(y) * m_width + x];
    return RGB(rgb >> 16, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

int WindowCapture::Count(const RECT& area, COLORREF colour) const
{
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (Pixel(x, y) == colour)
                ++count;
    return count;
}

int WindowCapture::Count(COLORREF colour) const
{
    RECT all = { 0, 0, m_width, m_height };
    return Count(all, colour);
}

std::string WindowCapture::SavePng(const std::string& name) const
{
    std::string folder = KESTRUNE_SCREENSHOTS_DIR;
    CreateDirectoryA(folder.c_str(), nullptr);
    std::string path = folder + "\\" + name + ".png";
    return SavePngAs(path) ? path : std::string();
}

bool WindowCapture::SavePngAs(const std::string& path) const
{
    return WritePng(path, m_width, m_height, m_pixels);
}

}  // namespace testing_support
