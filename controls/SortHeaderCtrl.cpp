#include "controls/SortHeaderCtrl.h"

#include <vector>

void CSortHeaderCtrl::SetSortArrow(int column, BOOL ascending)
{
    m_sortColumn = column;
    m_ascending = ascending;
    HDITEMA item = {};
    item.mask = HDI_FORMAT;
    if (GetItem(column, &item)) {
        item.fmt |= HDF_OWNERDRAW;
        SetItem(column, &item);
    }
    Invalidate();
    UpdateWindow();
}

void CSortHeaderCtrl::Serialize(CArchive& archive)
{
    if (archive.IsStoring()) {
        int count = GetItemCount();
        if (count < 0)
            return;
        archive << count;
        for (int i = 0; i < count; ++i) {
            HDITEMA item = {};
            item.mask = HDI_WIDTH;
            GetItem(i, &item);
            archive << item.cxy;
        }
        return;
    }
    int count = 0;
    archive >> count;
    if (count != GetItemCount())
        return;
    // All widths are read before any is set, so a short record changes nothing.
    std::vector<int> widths(static_cast<size_t>(count));
    for (int& width : widths)
        archive >> width;
    for (int i = 0; i < count; ++i) {
        HDITEMA item = {};
        item.mask = HDI_WIDTH;
        item.cxy = widths[static_cast<size_t>(i)];
        SetItem(i, &item);
    }
}

void CSortHeaderCtrl::DrawItem(LPDRAWITEMSTRUCT drawItem)
{
    CDC* dc = CDC::FromHandle(drawItem->hDC);
    int saved = dc->SaveDC();
    CRect rect = drawItem->rcItem;
    dc->IntersectClipRect(&rect);
    CBrush face(::GetSysColor(COLOR_BTNFACE));
    dc->FillRect(&rect, &face);

    char text[256] = {};
    HDITEMA item = {};
    item.mask = HDI_TEXT | HDI_FORMAT;
    item.pszText = text;
    item.cchTextMax = 255;
    GetItem(static_cast<int>(drawItem->itemID), &item);
    UINT format = DT_END_ELLIPSIS | DT_NOPREFIX | DT_NOCLIP | DT_SINGLELINE | DT_VCENTER;
    if (item.fmt & HDF_CENTER)
        format |= DT_CENTER;
    else if (item.fmt & HDF_RIGHT)
        format |= DT_RIGHT;

    if (drawItem->itemState & ODS_SELECTED) {   // pressed: everything moves down and right
        rect.left += 1;
        rect.top += 2;
        rect.right += 1;
    }
    int offset = rect.Height() / 4;
    bool sorted = static_cast<int>(drawItem->itemID) == m_sortColumn;
    CRect label = rect;
    if (sorted)
        label.right -= 3 * offset;
    label.DeflateRect(offset, 0);
    if (label.right > label.left) {
        dc->SetBkMode(TRANSPARENT);
        dc->SetTextColor(::GetSysColor(COLOR_BTNTEXT));
        dc->DrawText(text, -1, &label, format);
    }
    if (sorted)
        DrawSortArrow(dc, rect, offset);
    dc->RestoreDC(saved);
}

// A triangle sunk into the header: its edge that faces up and left in the
// shadow colour, the others in the highlight colour.
void CSortHeaderCtrl::DrawSortArrow(CDC* dc, const CRect& item, int offset) const
{
    CPen light(PS_SOLID, 1, ::GetSysColor(COLOR_BTNHIGHLIGHT));
    CPen shadow(PS_SOLID, 1, ::GetSysColor(COLOR_BTNSHADOW));
    int left = item.right - 3 * offset, right = item.right - offset, middle = item.right - 2 * offset;
    int top = item.top + offset, bottom = item.bottom - offset - 1;
    CPen* old = dc->SelectObject(&light);
    if (m_ascending) {
        dc->MoveTo(middle, top);         // right edge and base
        dc->LineTo(right, bottom);
        dc->LineTo(left, bottom);
        dc->SelectObject(&shadow);       // left edge
        dc->LineTo(middle, top);
    } else {
        dc->MoveTo(right, top);          // right and left edges
        dc->LineTo(middle, bottom);
        dc->LineTo(left, top);
        dc->SelectObject(&shadow);       // top edge
        dc->LineTo(right, top);
    }
    dc->SelectObject(old);
}
