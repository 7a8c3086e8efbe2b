// Device contexts: CDC with the drawing calls the program makes, and the
// contexts of a window's painting (CPaintDC), client area (CClientDC) and
// whole window (CWindowDC).
#pragma once

#include "framework/Gdi.h"
#include "framework/Geometry.h"
#include "framework/String.h"

class CWnd;

class CDC : public CObject
{
public:
    CDC() = default;
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;
    ~CDC() override;   // deletes a context it made (CreateCompatibleDC, CreateDC)

    HDC m_hDC = nullptr;

    operator HDC() const { return m_hDC; }
    HDC GetSafeHdc() const { return m_hDC; }
    BOOL Attach(HDC dc);
    HDC Detach();
    static CDC* FromHandle(HDC dc);

    BOOL CreateCompatibleDC(CDC* dc) { return AttachOwned(::CreateCompatibleDC(dc ? dc->m_hDC : nullptr)); }
    BOOL CreateDC(LPCSTR driver, LPCSTR device, LPCSTR output, const DEVMODEA* init)
    {
        return AttachOwned(::CreateDCA(driver, device, output, init));
    }
    BOOL DeleteDC();
    int SaveDC() { return ::SaveDC(m_hDC); }
    BOOL RestoreDC(int saved) { return ::RestoreDC(m_hDC, saved); }
    int GetDeviceCaps(int index) const { return ::GetDeviceCaps(m_hDC, index); }
    BOOL IsPrinting() const { return ::GetDeviceCaps(m_hDC, TECHNOLOGY) == DT_RASPRINTER; }

    // Selection: each returns the object it replaced, as a temporary wrapper.
    CPen* SelectObject(CPen* pen) { return CPen::FromHandle(static_cast<HPEN>(Select(pen))); }
    CBrush* SelectObject(CBrush* brush) { return CBrush::FromHandle(static_cast<HBRUSH>(Select(brush))); }
    CFont* SelectObject(CFont* font) { return CFont::FromHandle(static_cast<HFONT>(Select(font))); }
    CBitmap* SelectObject(CBitmap* bitmap) { return CBitmap::FromHandle(static_cast<HBITMAP>(Select(bitmap))); }
    CGdiObject* SelectObject(CGdiObject* object) { return CGdiObject::FromHandle(Select(object)); }
    int SelectObject(CRgn* region) { return ::SelectClipRgn(m_hDC, region ? static_cast<HRGN>(*region) : nullptr); }
    CGdiObject* SelectStockObject(int index) { return CGdiObject::FromHandle(::SelectObject(m_hDC, ::GetStockObject(index))); }
    CPalette* SelectPalette(CPalette* palette, BOOL forceBackground)
    {
        return CPalette::FromHandle(::SelectPalette(m_hDC, *palette, forceBackground));
    }
    UINT RealizePalette() { return ::RealizePalette(m_hDC); }
    CFont* GetCurrentFont() const { return CFont::FromHandle(static_cast<HFONT>(::GetCurrentObject(m_hDC, OBJ_FONT))); }

    // Attributes
    int SetBkMode(int mode) { return ::SetBkMode(m_hDC, mode); }
    int GetBkMode() const { return ::GetBkMode(m_hDC); }
    COLORREF SetBkColor(COLORREF colour) { return ::SetBkColor(m_hDC, colour); }
    COLORREF GetBkColor() const { return ::GetBkColor(m_hDC); }
    COLORREF SetTextColor(COLORREF colour) { return ::SetTextColor(m_hDC, colour); }
    COLORREF GetTextColor() const { return ::GetTextColor(m_hDC); }
    UINT SetTextAlign(UINT flags) { return ::SetTextAlign(m_hDC, flags); }
    UINT GetTextAlign() const { return ::GetTextAlign(m_hDC); }
    int SetROP2(int mode) { return ::SetROP2(m_hDC, mode); }
    int SetMapMode(int mode) { return ::SetMapMode(m_hDC, mode); }
    CPoint SetViewportOrg(int x, int y);
    CPoint SetViewportOrg(POINT point) { return SetViewportOrg(point.x, point.y); }
    CPoint GetViewportOrg() const;
    CPoint SetWindowOrg(int x, int y);
    CPoint SetWindowOrg(POINT point) { return SetWindowOrg(point.x, point.y); }
    void DPtoLP(LPPOINT points, int count = 1) const { ::DPtoLP(m_hDC, points, count); }
    void LPtoDP(LPPOINT points, int count = 1) const { ::LPtoDP(m_hDC, points, count); }

    // Clipping
    int SelectClipRgn(CRgn* region) { return SelectObject(region); }
    int IntersectClipRect(LPCRECT rect) { return ::IntersectClipRect(m_hDC, rect->left, rect->top, rect->right, rect->bottom); }
    int ExcludeClipRect(LPCRECT rect) { return ::ExcludeClipRect(m_hDC, rect->left, rect->top, rect->right, rect->bottom); }
    int GetClipBox(LPRECT rect) const { return ::GetClipBox(m_hDC, rect); }

    // Lines and shapes
    CPoint MoveTo(int x, int y);
    CPoint MoveTo(POINT point) { return MoveTo(point.x, point.y); }
    BOOL LineTo(int x, int y) { return ::LineTo(m_hDC, x, y); }
    BOOL LineTo(POINT point) { return LineTo(point.x, point.y); }
    BOOL Rectangle(int left, int top, int right, int bottom) { return ::Rectangle(m_hDC, left, top, right, bottom); }
    BOOL Rectangle(LPCRECT rect) { return Rectangle(rect->left, rect->top, rect->right, rect->bottom); }
    BOOL Ellipse(int left, int top, int right, int bottom) { return ::Ellipse(m_hDC, left, top, right, bottom); }
    BOOL Ellipse(LPCRECT rect) { return Ellipse(rect->left, rect->top, rect->right, rect->bottom); }
    BOOL Polygon(const POINT* points, int count) { return ::Polygon(m_hDC, points, count); }
    void FillRect(LPCRECT rect, CBrush* brush) { ::FillRect(m_hDC, rect, *brush); }
    void FillSolidRect(LPCRECT rect, COLORREF colour);
    void FillSolidRect(int x, int y, int width, int height, COLORREF colour);
    void FrameRect(LPCRECT rect, CBrush* brush) { ::FrameRect(m_hDC, rect, *brush); }
    void Draw3dRect(LPCRECT rect, COLORREF topLeft, COLORREF bottomRight);
    void Draw3dRect(int x, int y, int width, int height, COLORREF topLeft, COLORREF bottomRight);
    BOOL DrawEdge(LPRECT rect, UINT edge, UINT flags) { return ::DrawEdge(m_hDC, rect, edge, flags); }
    void DrawFocusRect(LPCRECT rect) { ::DrawFocusRect(m_hDC, rect); }
    COLORREF SetPixel(int x, int y, COLORREF colour) { return ::SetPixel(m_hDC, x, y, colour); }
    COLORREF GetPixel(int x, int y) const { return ::GetPixel(m_hDC, x, y); }

    // Text
    int DrawText(LPCSTR text, int count, LPRECT rect, UINT format) { return ::DrawTextA(m_hDC, text, count, rect, format); }
    int DrawText(const CString& text, LPRECT rect, UINT format) { return DrawText(text, text.GetLength(), rect, format); }
    BOOL TextOut(int x, int y, LPCSTR text, int count) { return ::TextOutA(m_hDC, x, y, text, count); }
    BOOL TextOut(int x, int y, const CString& text) { return TextOut(x, y, text, text.GetLength()); }
    CSize GetTextExtent(LPCSTR text, int count) const;
    CSize GetTextExtent(const CString& text) const { return GetTextExtent(text, text.GetLength()); }
    BOOL GetTextMetrics(LPTEXTMETRICA metrics) const { return ::GetTextMetricsA(m_hDC, metrics); }

    // Images
    BOOL BitBlt(int x, int y, int width, int height, CDC* source, int sourceX, int sourceY, DWORD rop)
    {
        return ::BitBlt(m_hDC, x, y, width, height, source ? source->m_hDC : nullptr, sourceX, sourceY, rop);
    }
    BOOL StretchBlt(int x, int y, int width, int height, CDC* source, int sourceX, int sourceY,
                    int sourceWidth, int sourceHeight, DWORD rop)
    {
        return ::StretchBlt(m_hDC, x, y, width, height, source->m_hDC, sourceX, sourceY, sourceWidth, sourceHeight, rop);
    }
    BOOL PatBlt(int x, int y, int width, int height, DWORD rop) { return ::PatBlt(m_hDC, x, y, width, height, rop); }
    BOOL DrawIcon(int x, int y, HICON icon) { return ::DrawIcon(m_hDC, x, y, icon); }
    BOOL DrawState(CPoint point, CSize size, HICON icon, UINT flags, HBRUSH brush = nullptr);
    BOOL DrawState(CPoint point, CSize size, HBITMAP bitmap, UINT flags, HBRUSH brush = nullptr);

private:
    HGDIOBJ Select(CGdiObject* object) { return ::SelectObject(m_hDC, object->m_hObject); }
    BOOL AttachOwned(HDC dc);
    bool m_owned = false;   // made by this object, so deleted with it
};

// The context of a window's WM_PAINT (BeginPaint to EndPaint).
class CPaintDC : public CDC
{
public:
    explicit CPaintDC(CWnd* wnd);
    ~CPaintDC() override;
    PAINTSTRUCT m_ps = {};

private:
    HWND m_hWnd;
};

// The context of a window's client area (GetDC to ReleaseDC).
class CClientDC : public CDC
{
public:
    explicit CClientDC(CWnd* wnd);
    ~CClientDC() override;

private:
    HWND m_hWnd;
};

// The context of a whole window, frame included (GetWindowDC to ReleaseDC).
class CWindowDC : public CDC
{
public:
    explicit CWindowDC(CWnd* wnd);
    ~CWindowDC() override;

private:
    HWND m_hWnd;
};
