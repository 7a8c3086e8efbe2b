// CImageList: a list of equally sized images with masks (comctl32).
#pragma once

#include "framework/Dc.h"

#include <commctrl.h>

class CImageList : public CObject
{
public:
    CImageList() = default;
    CImageList(const CImageList&) = delete;
    CImageList& operator=(const CImageList&) = delete;
    ~CImageList() override { DeleteImageList(); }

    HIMAGELIST m_hImageList = nullptr;

    operator HIMAGELIST() const { return m_hImageList; }
    HIMAGELIST GetSafeHandle() const { return m_hImageList; }
    BOOL Attach(HIMAGELIST list);
    HIMAGELIST Detach();

    BOOL Create(int width, int height, UINT flags, int initial, int grow);
    BOOL DeleteImageList();

    int GetImageCount() const { return ImageList_GetImageCount(m_hImageList); }
    BOOL GetImageInfo(int index, IMAGEINFO* info) const { return ImageList_GetImageInfo(m_hImageList, index, info); }
    BOOL GetIconSize(int* width, int* height) const { return ImageList_GetIconSize(m_hImageList, width, height); }
    int Add(CBitmap* bitmap, CBitmap* mask) { return ImageList_Add(m_hImageList, *bitmap, mask ? static_cast<HBITMAP>(*mask) : nullptr); }
    int Add(CBitmap* bitmap, COLORREF maskColour) { return ImageList_AddMasked(m_hImageList, *bitmap, maskColour); }
    int Add(HICON icon) { return ImageList_AddIcon(m_hImageList, icon); }
    BOOL Remove(int index) { return ImageList_Remove(m_hImageList, index); }
    HICON ExtractIcon(int index) const { return ImageList_ExtractIcon(nullptr, m_hImageList, index); }
    COLORREF SetBkColor(COLORREF colour) { return ImageList_SetBkColor(m_hImageList, colour); }
    BOOL Draw(CDC* dc, int index, POINT point, UINT style)
    {
        return ImageList_Draw(m_hImageList, index, dc->m_hDC, point.x, point.y, style);
    }
};
