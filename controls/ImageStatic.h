// CImageStatic: a painted static that shows a row of images from its own
// image list beside or above its window text.
//
// Layout and text flags: 1 centres horizontally (for the layout flags, with
// both images and text, it puts the images above the text), 2 aligns right,
// neither aligns left; 4 centres vertically, 8 aligns to the bottom,
// neither aligns to the top.
#pragma once

#include "controls/PaintedStatic.h"

class CImageStatic : public CPaintedStatic
{
public:
    enum : UINT
    {
        AlignCentre = 1,
        AlignRight = 2,
        AlignMiddle = 4,
        AlignBottom = 8,
    };

    virtual BOOL SubclassControl(UINT id, CWnd* parent);
    // Chooses the images-above-text layout or the side-by-side one.
    virtual void LayoutContent(CDC* dc, int left, int top, int right, int bottom, RECT* imageRect, RECT* textRect);
    virtual void LayoutHorizontal(CDC* dc, int left, int top, int right, int bottom, RECT* imageRect, RECT* textRect);
    virtual void LayoutVertical(CDC* dc, int left, int top, int right, int bottom, RECT* imageRect, RECT* textRect);

    void GetDrawRect(CDC* dc, int left, int top, int right, int bottom, RECT* out, BOOL measure) override;
    void DrawContent(CDC* dc, RECT* rect, UINT state) override;

    // Adds the bitmap resource's images: cut into images of `imageWidth`
    // (the whole bitmap is one image when negative), with `mask` as the
    // transparent colour. 0 on success, -1 when the resource or the image
    // list cannot be made.
    int LoadBitmap(UINT bitmapId, int imageWidth = -1, COLORREF mask = RGB(255, 255, 255));
    int LoadBitmap(LPCSTR resourceName, int imageWidth = -1, COLORREF mask = RGB(255, 255, 255));
    // Adds the bitmap's images (a list of its size is made when there is
    // none); the index of the first, or -1.
    int AddBitmap(CBitmap* bitmap, COLORREF mask);
    int GetImageCount() const;
    BOOL HasImages() const { return GetImageCount() > 0; }

    void SetLayoutFlags(UINT flags) { m_layoutFlags = flags; Redraw(); }
    void SetTextFlags(UINT flags) { m_textFlags = flags; Redraw(); }

protected:
    SIZE ImageRowSize() const;
    SIZE WindowTextExtent(CDC* dc);

    int m_imageSpacing = 1;    // between neighbouring images
    int m_imageTextGap = 1;
    UINT m_layoutFlags = AlignMiddle;
    UINT m_textFlags = AlignMiddle;
    CImageList m_imageList;
};
