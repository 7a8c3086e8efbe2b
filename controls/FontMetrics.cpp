#include "controls/FontMetrics.h"

DWORD GetFontBaseUnits(CWnd* wnd, int* averageWidth, int* height)
{
    static const char alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    CClientDC dc(wnd);
    HFONT font = reinterpret_cast<HFONT>(wnd->SendMessage(WM_GETFONT));
    HGDIOBJ old = font ? ::SelectObject(dc, font) : nullptr;
    TEXTMETRICA metrics = {};
    dc.GetTextMetrics(&metrics);
    CSize extent = dc.GetTextExtent(alphabet, 52);
    if (old)
        ::SelectObject(dc, old);
    *height = metrics.tmHeight;
    *averageWidth = (extent.cx / 26 + 1) / 2;
    return MAKELONG(*averageWidth, *height);
}

void ScaleRectByBaseUnits(RECT* rect, int mode, int referenceWidth, int referenceHeight, CWnd* wnd)
{
    if (mode < 0 || mode > 6)
        return;
    int averageWidth = 0, height = 0;
    GetFontBaseUnits(wnd, &averageWidth, &height);
    if (averageWidth <= 0 || height <= 0)
        return;   // no font to scale from
    auto scaleX = [&](LONG x) { return ::MulDiv(referenceWidth, x, averageWidth); };
    auto scaleY = [&](LONG y) { return ::MulDiv(referenceHeight, y, height); };
    if (mode == 1 || mode == 5) {
        LONG width = rect->right - rect->left, tall = rect->bottom - rect->top;
        rect->left = scaleX(rect->left);
        rect->top = scaleY(rect->top);
        rect->right = rect->left + width;
        rect->bottom = rect->top + tall;
        return;
    }
    rect->left = scaleX(rect->left);
    rect->top = scaleY(rect->top);
    rect->right = scaleX(rect->right);
    rect->bottom = scaleY(rect->bottom);
}
