#include "engine/builtins/ScreenCapture.h"

ScreenCapture::~ScreenCapture()
{
    Release();
}

void ScreenCapture::Release()
{
    if (m_memoryDC) {
        SelectObject(m_memoryDC, m_oldBitmap);
        DeleteDC(m_memoryDC);
        m_memoryDC = nullptr;
    }
    if (m_bitmap) {
        DeleteObject(m_bitmap);
        m_bitmap = nullptr;
    }
    m_bits = nullptr;
    SetRectEmpty(&m_copied);
}

bool ScreenCapture::Capture(long long left, long long top, long long right, long long bottom)
{
    Release();
    const HDC screen = GetDC(nullptr);
    if (!screen)
        return false;

    // The part of the rectangle on the (virtual) screen.
    const long long screenLeft = GetSystemMetrics(SM_XVIRTUALSCREEN);
    const long long screenTop = GetSystemMetrics(SM_YVIRTUALSCREEN);
    const long long screenRight = screenLeft + GetSystemMetrics(SM_CXVIRTUALSCREEN);
    const long long screenBottom = screenTop + GetSystemMetrics(SM_CYVIRTUALSCREEN);
    const long long copyLeft = left > screenLeft ? left : screenLeft;
    const long long copyTop = top > screenTop ? top : screenTop;
    const long long copyRight = right + 1 < screenRight ? right + 1 : screenRight;
    const long long copyBottom = bottom + 1 < screenBottom ? bottom + 1 : screenBottom;
    if (copyLeft >= copyRight || copyTop >= copyBottom) {
        ReleaseDC(nullptr, screen);
        return true;
    }
    const int width = static_cast<int>(copyRight - copyLeft);
    const int height = static_cast<int>(copyBottom - copyTop);

    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;   // top-down: row 0 is the top row
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    m_bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    m_memoryDC = m_bitmap ? CreateCompatibleDC(screen) : nullptr;
    bool copied = false;
    if (m_memoryDC) {
        m_oldBitmap = SelectObject(m_memoryDC, m_bitmap);
        copied = BitBlt(m_memoryDC, 0, 0, width, height, screen, static_cast<int>(copyLeft),
                        static_cast<int>(copyTop), SRCCOPY) != FALSE;
        GdiFlush();
    }
    ReleaseDC(nullptr, screen);
    if (!copied) {
        Release();
        return false;
    }
    m_bits = static_cast<const DWORD*>(bits);
    m_copied.left = static_cast<LONG>(copyLeft);
    m_copied.top = static_cast<LONG>(copyTop);
    m_copied.right = static_cast<LONG>(copyRight);
    m_copied.bottom = static_cast<LONG>(copyBottom);
    return true;
}
