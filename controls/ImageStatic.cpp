#include "controls/ImageStatic.h"

#include <algorithm>

namespace {

// Where a piece of `extent` goes along one axis of [low, high) by the
// centre and far-edge flags: a centred piece never starts before `low`.
int Place(int low, int high, int extent, UINT flags, UINT centre, UINT farEdge, int centreShift)
{
    if (flags & centre)
        return std::max(low, low + (high - low - extent) / 2 + centreShift);
    if (flags & farEdge)
        return high - extent - 1;
    return low;
}

RECT Piece(int x, int y, SIZE size)
{
    RECT rect = {x, y, x + size.cx, y + size.cy};
    return rect;
}

const RECT kEmpty = {0, 0, 0, 0};

}  // namespace

BOOL CImageStatic::SubclassControl(UINT id, CWnd* parent)
{
    return SubclassDlgItem(id, parent);
}

int CImageStatic::GetImageCount() const
{
    return m_imageList.m_hImageList ? m_imageList.GetImageCount() : 0;
}

SIZE CImageStatic::ImageRowSize() const
{
    SIZE size = {0, 0};
    const int count = GetImageCount();
    int width = 0, height = 0;
    if (count <= 0 || !m_imageList.GetIconSize(&width, &height))
        return size;
    size.cx = count * width + (count - 1) * m_imageSpacing;
    size.cy = height;
    return size;
}

SIZE CImageStatic::WindowTextExtent(CDC* dc)
{
    CString text;
    GetWindowText(text);
    SIZE extent;
    GetTextExtent(&extent, dc, text);
    return extent;
}

void CImageStatic::LayoutContent(CDC* dc, int left, int top, int right, int bottom, RECT* imageRect, RECT* textRect)
{
    CString text;
    GetWindowText(text);
    if ((m_layoutFlags & AlignCentre) && HasImages() && !text.IsEmpty())
        LayoutVertical(dc, left, top, right, bottom, imageRect, textRect);
    else
        LayoutHorizontal(dc, left, top, right, bottom, imageRect, textRect);
}

void CImageStatic::LayoutHorizontal(CDC* dc, int left, int top, int right, int bottom, RECT* imageRect,
                                    RECT* textRect)
{
    const SIZE textSize = WindowTextExtent(dc);
    const SIZE row = ImageRowSize();

    // The part of the width that is the text's.
    int textLeft = left, textRight = right;
    if (HasImages()) {
        const int x = Place(left, right, row.cx, m_layoutFlags, AlignCentre, AlignRight, 0);
        const int y = Place(top, bottom, row.cy, m_layoutFlags, AlignMiddle, AlignBottom, -1);
        *imageRect = Piece(x, y, row);
        if (!(m_layoutFlags & AlignCentre)) {
            if (m_layoutFlags & AlignRight)
                textRight = x - m_imageTextGap;
            else
                textLeft = x + row.cx + m_imageTextGap;
        }
    } else {
        *imageRect = kEmpty;
    }

    if (textSize.cx == 0 && textSize.cy == 0) {
        *textRect = kEmpty;
        return;
    }
    const int x = Place(textLeft, textRight, textSize.cx, m_textFlags, AlignCentre, AlignRight, 0);
    const int y = Place(top, bottom, textSize.cy, m_textFlags, AlignMiddle, AlignBottom, -1);
    *textRect = Piece(x, y, textSize);
}

void CImageStatic::LayoutVertical(CDC* dc, int left, int top, int right, int bottom, RECT* imageRect,
                                  RECT* textRect)
{
    const SIZE textSize = WindowTextExtent(dc);
    const SIZE row = ImageRowSize();

    const int blockWidth = std::max(row.cx, textSize.cx);
    const int blockHeight = row.cy + m_imageTextGap + textSize.cy;
    const int blockLeft = std::max(left, left + (right - left - blockWidth) / 2);
    int blockTop = top;
    if (m_layoutFlags & AlignMiddle)
        blockTop = std::max(top, top + (bottom - top - blockHeight) / 2);
    else if (m_layoutFlags & AlignBottom)
        blockTop = bottom - blockHeight - 1;

    *imageRect = Piece(blockLeft + (blockWidth - row.cx) / 2, blockTop, row);
    *textRect = Piece(blockLeft + (blockWidth - textSize.cx) / 2, blockTop + row.cy + m_imageTextGap, textSize);
}

void CImageStatic::GetDrawRect(CDC* dc, int left, int top, int right, int bottom, RECT* out, BOOL measure)
{
    if (!measure) {
        CPaintedStatic::GetDrawRect(dc, left, top, right, bottom, out, FALSE);
        return;
    }
    // The extent of the laid-out content, images and text together.
    RECT images, text;
    LayoutContent(dc, 0, 0, 0x4000, 0x4000, &images, &text);
    RECT both;
    if (::IsRectEmpty(&images))
        both = text;
    else if (::IsRectEmpty(&text))
        both = images;
    else
        ::UnionRect(&both, &images, &text);
    ::SetRect(out, 0, 0, both.right - both.left, both.bottom - both.top);
    if (!::IsRectEmpty(out))
        ::InflateRect(out, 1, 1);
}

void CImageStatic::DrawContent(CDC* dc, RECT* rect, UINT state)
{
    RECT images, text;
    LayoutContent(dc, rect->left, rect->top, rect->right, rect->bottom, &images, &text);
    const int count = GetImageCount();
    int width = 0, height = 0;
    m_imageList.GetIconSize(&width, &height);
    int x = images.left;
    for (int i = 0; i < count; ++i) {
        COLORREF old = m_imageList.SetBkColor((state & 0x20) ? RGB(255, 255, 255) : CLR_NONE);
        ImageList_Draw(m_imageList, i, dc->m_hDC, x, images.top, ILD_NORMAL);
        m_imageList.SetBkColor(old);
        x += width + m_imageSpacing;
    }
    CString windowText;
    GetWindowText(windowText);
    DrawTextAt(dc, text.left, text.top, windowText);
}

int CImageStatic::LoadBitmap(UINT bitmapId, int imageWidth, COLORREF mask)
{
    return LoadBitmap(MAKEINTRESOURCEA(bitmapId), imageWidth, mask);
}

int CImageStatic::LoadBitmap(LPCSTR resourceName, int imageWidth, COLORREF mask)
{
    CBitmap bitmap;
    if (!bitmap.LoadBitmap(resourceName))
        return -1;
    int result = 0;
    if (HasImages()) {
        result = m_imageList.Add(&bitmap, mask) < 0 ? -1 : 0;
    } else {
        BITMAP info = {};
        bitmap.GetBitmap(&info);
        const int width = imageWidth < 0 ? info.bmWidth : imageWidth;
        HIMAGELIST list = ImageList_LoadImageA(AfxGetResourceHandle(), resourceName, width, 1, mask, IMAGE_BITMAP, 0);
        result = list && m_imageList.Attach(list) ? 0 : -1;
    }
    Redraw();
    return result;
}

int CImageStatic::AddBitmap(CBitmap* bitmap, COLORREF mask)
{
    if (!m_imageList.m_hImageList) {
        BITMAP info = {};
        if (!bitmap->GetBitmap(&info) || !m_imageList.Create(info.bmWidth, info.bmHeight, ILC_COLOR24 | ILC_MASK, 1, 1))
            return -1;
    }
    const int result = m_imageList.Add(bitmap, mask);
    Redraw();
    return result;
}
