#include "controls/IconVariants.h"

namespace {

COLORREF Grey(COLORREF colour)
{
    BYTE grey = static_cast<BYTE>(0.299 * GetRValue(colour) + 0.587 * GetGValue(colour) + 0.114 * GetBValue(colour));
    return RGB(grey, grey, grey);
}

COLORREF Darker(COLORREF colour)
{
    return DarkenColour(colour, 0.25);
}

// The icon with each non-black pixel of its colour bitmap passed through
// `change`, and the icon's own mask.
HICON TransformIcon(HICON icon, COLORREF (*change)(COLORREF))
{
    ICONINFO info = {};
    if (!::GetIconInfo(icon, &info))
        return nullptr;
    HICON result = nullptr;
    BITMAP colourBitmap = {};
    HDC screen = ::GetDC(nullptr);
    if (screen && info.hbmColor && ::GetObjectA(info.hbmColor, sizeof colourBitmap, &colourBitmap)) {
        // An icon's size is twice its hot spot, which sits at its centre.
        int width = static_cast<int>(info.xHotspot) * 2, height = static_cast<int>(info.yHotspot) * 2;
        HDC source = ::CreateCompatibleDC(screen);
        HDC target = ::CreateCompatibleDC(screen);
        HBITMAP made = ::CreateBitmap(width, height, colourBitmap.bmPlanes, colourBitmap.bmBitsPixel, nullptr);
        if (source && target && made) {
            HGDIOBJ oldSource = ::SelectObject(source, info.hbmColor);
            HGDIOBJ oldTarget = ::SelectObject(target, made);
            for (int y = 0; y < height; ++y) {
                for (int x = 0; x < width; ++x) {
                    COLORREF pixel = ::GetPixel(source, x, y);
                    ::SetPixel(target, x, y, pixel == RGB(0, 0, 0) ? pixel : change(pixel));
                }
            }
            ::SelectObject(source, oldSource);
            ::SelectObject(target, oldTarget);
            ICONINFO variant = { TRUE, 0, 0, info.hbmMask, made };
            result = ::CreateIconIndirect(&variant);
        }
        if (made)
            ::DeleteObject(made);
        if (source)
            ::DeleteDC(source);
        if (target)
            ::DeleteDC(target);
    }
    if (screen)
        ::ReleaseDC(nullptr, screen);
    if (info.hbmColor)
        ::DeleteObject(info.hbmColor);
    if (info.hbmMask)
        ::DeleteObject(info.hbmMask);
    return result;
}

}  // namespace

COLORREF DarkenColour(COLORREF colour, double factor)
{
    if (factor <= 0.0 || factor > 1.0)
        return colour;
    auto darken = [factor](BYTE value) { return static_cast<BYTE>(value - factor * value); };
    return RGB(darken(GetRValue(colour)), darken(GetGValue(colour)), darken(GetBValue(colour)));
}

HICON MakeDarkIcon(HICON icon)
{
    return TransformIcon(icon, &Darker);
}

HICON MakeGreyIcon(HICON icon)
{
    return TransformIcon(icon, &Grey);
}
