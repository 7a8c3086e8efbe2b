#include "framework/ImageList.h"

BOOL CImageList::Attach(HIMAGELIST list)
{
    if (!list)
        return FALSE;
    DeleteImageList();
    m_hImageList = list;
    return TRUE;
}

HIMAGELIST CImageList::Detach()
{
    HIMAGELIST list = m_hImageList;
    m_hImageList = nullptr;
    return list;
}

BOOL CImageList::Create(int width, int height, UINT flags, int initial, int grow)
{
    return Attach(ImageList_Create(width, height, flags, initial, grow));
}

BOOL CImageList::DeleteImageList()
{
    if (!m_hImageList)
        return FALSE;
    return ImageList_Destroy(Detach());
}
