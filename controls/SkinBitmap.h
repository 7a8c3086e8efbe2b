// A skin: a bitmap resource with its palette, drawn as a window's face, and
// the window shape cut out of it (every pixel but the transparent colour).
#pragma once

#include "framework/Ui.h"

class SkinBitmap
{
public:
    SkinBitmap() = default;
    SkinBitmap(const SkinBitmap&) = delete;
    SkinBitmap& operator=(const SkinBitmap&) = delete;
    ~SkinBitmap() { delete m_palette; }

    // Loads the bitmap resource of this program; its handle (owned by this
    // object), or null when there is none.
    HBITMAP LoadFromResource(UINT id);
    // At (0, 0): at the bitmap's own size when `width` is 0 and equals
    // `height`, else stretched to width x height. Only a loaded skin draws.
    void Draw(CDC* dc, int width = 0, int height = 0);

    CBitmap m_bitmap;
    CPalette* m_palette = nullptr;   // none for a bitmap without a colour table
    BOOL m_loaded = FALSE;
    int m_width = 0;
    int m_height = 0;
};

// The region of the bitmap's pixels whose colour lies outside
// `transparent` +/- `tolerance` in any channel; null when it cannot be made.
// The caller owns the region.
HRGN CreateRegionFromBitmap(HBITMAP bitmap, COLORREF transparent, COLORREF tolerance = 0x080808);
