#include "controls/SkinBitmap.h"

#include "framework/WinApp.h"

#include <algorithm>
#include <vector>

HBITMAP SkinBitmap::LoadFromResource(UINT id)
{
    HINSTANCE instance = AfxGetResourceHandle();
    HRSRC resource = ::FindResourceA(instance, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(2) /* RT_BITMAP */);
    if (!resource)
        return nullptr;
    HBITMAP bitmap = static_cast<HBITMAP>(
        ::LoadImageA(instance, MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (!bitmap)
        return nullptr;
    m_bitmap.DeleteObject();
    m_bitmap.Attach(bitmap);
    delete m_palette;
    m_palette = nullptr;
    m_loaded = FALSE;

    DWORD size = ::SizeofResource(instance, resource);
    HGLOBAL loaded = ::LoadResource(instance, resource);
    const BITMAPINFOHEADER* header = loaded ? static_cast<const BITMAPINFOHEADER*>(::LockResource(loaded)) : nullptr;
    if (!header || size < sizeof(BITMAPINFOHEADER) || header->biSize < sizeof(BITMAPINFOHEADER))
        return bitmap;
    m_width = header->biWidth;
    m_height = header->biHeight < 0 ? -header->biHeight : header->biHeight;
    DWORD colours = 0;
    if (header->biBitCount <= 15)
        colours = header->biClrUsed ? header->biClrUsed : (1u << header->biBitCount);
    // Only as many table entries as the resource really holds.
    colours = std::min<DWORD>(colours, (size - header->biSize) / sizeof(RGBQUAD));
    if (colours > 0) {
        const RGBQUAD* table = reinterpret_cast<const RGBQUAD*>(reinterpret_cast<const BYTE*>(header) + header->biSize);
        std::vector<BYTE> memory(sizeof(LOGPALETTE) + colours * sizeof(PALETTEENTRY));
        LOGPALETTE* logPalette = reinterpret_cast<LOGPALETTE*>(memory.data());
        logPalette->palVersion = 0x300;
        logPalette->palNumEntries = static_cast<WORD>(colours);
        for (DWORD i = 0; i < colours; ++i)
            logPalette->palPalEntry[i] = { table[i].rgbRed, table[i].rgbGreen, table[i].rgbBlue, 0 };
        m_palette = new CPalette;
        if (!m_palette->CreatePalette(logPalette)) {
            delete m_palette;
            m_palette = nullptr;
        }
    }
    m_loaded = TRUE;
    return bitmap;
}

void SkinBitmap::Draw(CDC* dc, int width, int height)
{
    if (!m_loaded)
        return;
    CPalette* oldPalette = m_palette ? dc->SelectPalette(m_palette, TRUE) : nullptr;
    if (m_palette)
        dc->RealizePalette();
    CDC memory;
    memory.CreateCompatibleDC(dc);
    CBitmap* oldBitmap = memory.SelectObject(&m_bitmap);
    if (width == 0 && width == height) {
        dc->BitBlt(0, 0, m_width, m_height, &memory, 0, 0, SRCCOPY);
    } else {
        int oldMode = ::SetStretchBltMode(*dc, COLORONCOLOR);
        dc->StretchBlt(0, 0, width, height, &memory, 0, 0, m_width, m_height, SRCCOPY);
        ::SetStretchBltMode(*dc, oldMode);
    }
    memory.SelectObject(oldBitmap);
    if (oldPalette) {
        dc->SelectPalette(oldPalette, TRUE);
        dc->RealizePalette();
    }
}

namespace {

// Rectangles collected for a region, made into one piece by piece.
class RegionBuilder
{
public:
    static const DWORD kBatch = 2000;   // rectangles per ExtCreateRegion

    void Add(int left, int top, int right, int bottom)
    {
        m_rects.push_back(RECT{ left, top, right, bottom });
        if (m_rects.size() == kBatch)
            Flush();
    }
    // The joined region, owned by the caller; null on failure.
    HRGN Finish()
    {
        Flush();
        if (!m_result)
            m_result = ::CreateRectRgn(0, 0, 0, 0);
        HRGN result = m_failed ? nullptr : m_result;
        if (m_failed && m_result)
            ::DeleteObject(m_result);
        m_result = nullptr;
        return result;
    }
    ~RegionBuilder()
    {
        if (m_result)
            ::DeleteObject(m_result);
    }

private:
    void Flush()
    {
        if (m_rects.empty())
            return;
        std::vector<BYTE> memory(sizeof(RGNDATAHEADER) + m_rects.size() * sizeof(RECT));
        RGNDATA* data = reinterpret_cast<RGNDATA*>(memory.data());
        data->rdh.dwSize = sizeof(RGNDATAHEADER);
        data->rdh.iType = RDH_RECTANGLES;
        data->rdh.nCount = static_cast<DWORD>(m_rects.size());
        data->rdh.nRgnSize = 0;
        RECT bounds = m_rects.front();
        for (const RECT& r : m_rects) {
            bounds.left = std::min(bounds.left, r.left);
            bounds.top = std::min(bounds.top, r.top);
            bounds.right = std::max(bounds.right, r.right);
            bounds.bottom = std::max(bounds.bottom, r.bottom);
        }
        data->rdh.rcBound = bounds;
        memcpy(data->Buffer, m_rects.data(), m_rects.size() * sizeof(RECT));
        m_rects.clear();
        HRGN piece = ::ExtCreateRegion(nullptr, static_cast<DWORD>(memory.size()), data);
        if (!piece) {
            m_failed = true;
        } else if (!m_result) {
            m_result = piece;
        } else {
            ::CombineRgn(m_result, m_result, piece, RGN_OR);
            ::DeleteObject(piece);   // joined: the piece itself is no longer needed
        }
    }

    std::vector<RECT> m_rects;
    HRGN m_result = nullptr;
    bool m_failed = false;
};

}  // namespace

HRGN CreateRegionFromBitmap(HBITMAP bitmap, COLORREF transparent, COLORREF tolerance)
{
    BITMAP info = {};
    if (!bitmap || !::GetObjectA(bitmap, sizeof info, &info) || info.bmWidth <= 0 || info.bmHeight <= 0)
        return nullptr;
    auto low = [](int c, int t) { return std::max(c - t, 0); };
    auto high = [](int c, int t) { return std::min(c + t, 255); };
    const int lowR = low(GetRValue(transparent), GetRValue(tolerance)), highR = high(GetRValue(transparent), GetRValue(tolerance));
    const int lowG = low(GetGValue(transparent), GetGValue(tolerance)), highG = high(GetGValue(transparent), GetGValue(tolerance));
    const int lowB = low(GetBValue(transparent), GetBValue(tolerance)), highB = high(GetBValue(transparent), GetBValue(tolerance));

    // A 32-bit top-down copy, read pixel by pixel.
    const int width = info.bmWidth, height = info.bmHeight;
    HDC screen = ::GetDC(nullptr);
    HDC source = ::CreateCompatibleDC(screen);
    HDC copy = ::CreateCompatibleDC(screen);
    ::ReleaseDC(nullptr, screen);
    BITMAPINFO dibInfo = {};
    dibInfo.bmiHeader = { sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0 };
    void* bits = nullptr;
    HBITMAP dib = copy ? ::CreateDIBSection(copy, &dibInfo, DIB_RGB_COLORS, &bits, nullptr, 0) : nullptr;
    HRGN region = nullptr;
    if (source && copy && dib) {
        HGDIOBJ oldSource = ::SelectObject(source, bitmap);
        HGDIOBJ oldCopy = ::SelectObject(copy, dib);
        ::BitBlt(copy, 0, 0, width, height, source, 0, 0, SRCCOPY);
        ::GdiFlush();
        RegionBuilder builder;
        const DWORD* pixels = static_cast<const DWORD*>(bits);
        for (int y = 0; y < height; ++y) {
            const DWORD* row = pixels + static_cast<size_t>(y) * width;
            int runStart = -1;
            for (int x = 0; x <= width; ++x) {
                bool opaque = false;
                if (x < width) {
                    int r = (row[x] >> 16) & 0xFF, g = (row[x] >> 8) & 0xFF, b = row[x] & 0xFF;
                    opaque = r < lowR || r > highR || g < lowG || g > highG || b < lowB || b > highB;
                }
                if (opaque && runStart < 0)
                    runStart = x;
                else if (!opaque && runStart >= 0) {
                    builder.Add(runStart, y, x, y + 1);
                    runStart = -1;
                }
            }
        }
        region = builder.Finish();
        ::SelectObject(copy, oldCopy);
        ::SelectObject(source, oldSource);
    }
    if (dib)
        ::DeleteObject(dib);
    if (copy)
        ::DeleteDC(copy);
    if (source)
        ::DeleteDC(source);
    return region;
}
