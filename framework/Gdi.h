// GDI objects: CGdiObject and its pens, brushes, fonts, bitmaps, regions
// and palettes. An object deletes the GDI object it holds when it dies;
// FromHandle gives a temporary wrapper that does not.
#pragma once

#include "framework/HandleMap.h"
#include "framework/Object.h"

class CDC;

class CGdiObject : public CObject
{
public:
    CGdiObject() = default;
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;
    ~CGdiObject() override { DeleteObject(); }

    HGDIOBJ m_hObject = nullptr;

    operator HGDIOBJ() const { return m_hObject; }
    HGDIOBJ GetSafeHandle() const { return m_hObject; }
    BOOL Attach(HGDIOBJ object);
    HGDIOBJ Detach();
    BOOL DeleteObject();
    int GetObject(int size, LPVOID buffer) const { return ::GetObjectA(m_hObject, size, buffer); }
    UINT GetObjectType() const { return ::GetObjectType(m_hObject); }
    // Stock objects may be "deleted": the system ignores it.
    BOOL CreateStockObject(int index) { return Attach(::GetStockObject(index)); }

    static CGdiObject* FromHandle(HGDIOBJ object) { return TemporaryOf<CGdiObject>(object); }

protected:
    // A temporary wrapper of the given class for a handle.
    template <class T>
    static T* TemporaryOf(HGDIOBJ object);
};

template <class T>
T* CGdiObject::TemporaryOf(HGDIOBJ object)
{
    static thread_local CHandleMap<T, HGDIOBJ> map(
        [](HGDIOBJ handle) { T* t = new T; t->m_hObject = handle; return t; },
        [](T* t) { t->m_hObject = nullptr; delete t; });
    return map.FromHandle(object);
}

class CPen : public CGdiObject
{
public:
    CPen() = default;
    CPen(int style, int width, COLORREF colour) { CreatePen(style, width, colour); }
    BOOL CreatePen(int style, int width, COLORREF colour) { return Attach(::CreatePen(style, width, colour)); }
    operator HPEN() const { return static_cast<HPEN>(m_hObject); }
    static CPen* FromHandle(HPEN pen) { return TemporaryOf<CPen>(pen); }
};

class CBrush : public CGdiObject
{
public:
    CBrush() = default;
    explicit CBrush(COLORREF colour) { CreateSolidBrush(colour); }
    BOOL CreateSolidBrush(COLORREF colour) { return Attach(::CreateSolidBrush(colour)); }
    BOOL CreatePatternBrush(HBITMAP bitmap) { return Attach(::CreatePatternBrush(bitmap)); }
    BOOL CreateSysColorBrush(int index) { return CreateSolidBrush(::GetSysColor(index)); }
    int GetLogBrush(LOGBRUSH* logBrush) const { return GetObject(sizeof *logBrush, logBrush); }
    operator HBRUSH() const { return static_cast<HBRUSH>(m_hObject); }
    static CBrush* FromHandle(HBRUSH brush) { return TemporaryOf<CBrush>(brush); }
};

class CFont : public CGdiObject
{
public:
    BOOL CreateFontIndirect(const LOGFONTA* logFont) { return Attach(::CreateFontIndirectA(logFont)); }
    // A font of the given height in tenths of a point for the screen.
    BOOL CreatePointFont(int pointSize, LPCSTR faceName, CDC* dc = nullptr);
    int GetLogFont(LOGFONTA* logFont) const { return GetObject(sizeof *logFont, logFont); }
    operator HFONT() const { return static_cast<HFONT>(m_hObject); }
    static CFont* FromHandle(HFONT font) { return TemporaryOf<CFont>(font); }
};

class CBitmap : public CGdiObject
{
public:
    BOOL LoadBitmap(UINT resourceId);
    BOOL LoadBitmap(LPCSTR resourceName);
    BOOL CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits)
    {
        return Attach(::CreateBitmap(width, height, planes, bitsPerPixel, bits));
    }
    BOOL CreateCompatibleBitmap(CDC* dc, int width, int height);
    int GetBitmap(BITMAP* bitmap) const { return GetObject(sizeof *bitmap, bitmap); }
    operator HBITMAP() const { return static_cast<HBITMAP>(m_hObject); }
    static CBitmap* FromHandle(HBITMAP bitmap) { return TemporaryOf<CBitmap>(bitmap); }
};

class CRgn : public CGdiObject
{
public:
    BOOL CreateRectRgn(int left, int top, int right, int bottom) { return Attach(::CreateRectRgn(left, top, right, bottom)); }
    BOOL CreateRectRgnIndirect(LPCRECT rect) { return Attach(::CreateRectRgnIndirect(rect)); }
    BOOL CreateEllipticRgn(int left, int top, int right, int bottom) { return Attach(::CreateEllipticRgn(left, top, right, bottom)); }
    int CombineRgn(const CRgn* a, const CRgn* b, int mode)
    {
        return ::CombineRgn(*this, *a, b ? static_cast<HRGN>(*b) : nullptr, mode);
    }
    BOOL PtInRegion(int x, int y) const { return ::PtInRegion(*this, x, y); }
    operator HRGN() const { return static_cast<HRGN>(m_hObject); }
    static CRgn* FromHandle(HRGN region) { return TemporaryOf<CRgn>(region); }
};

class CPalette : public CGdiObject
{
public:
    BOOL CreatePalette(const LOGPALETTE* logPalette) { return Attach(::CreatePalette(logPalette)); }
    int GetEntryCount() const
    {
        WORD count = 0;
        return GetObject(sizeof count, &count) ? count : 0;
    }
    UINT GetPaletteEntries(UINT start, UINT count, LPPALETTEENTRY entries) const
    {
        return ::GetPaletteEntries(*this, start, count, entries);
    }
    operator HPALETTE() const { return static_cast<HPALETTE>(m_hObject); }
    static CPalette* FromHandle(HPALETTE palette) { return TemporaryOf<CPalette>(palette); }
};
