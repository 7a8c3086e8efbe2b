#include "controls/ColorCombo.h"

BEGIN_MESSAGE_MAP(CColorCombo, CComboBox)
    ON_WM_CREATE()
    ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

int CColorCombo::OnCreate(LPCREATESTRUCT create)
{
    return CComboBox::OnCreate(create) == -1 ? -1 : 0;
}

void CColorCombo::OnLButtonDown(UINT flags, CPoint point)
{
    if (::GetFocus() != m_hWnd)
        SetFocus();
    CComboBox::OnLButtonDown(flags, point);
}

void CColorCombo::DrawItem(LPDRAWITEMSTRUCT item)
{
    CDC* dc = CDC::FromHandle(item->hDC);
    const COLORREF window = ::GetSysColor(COLOR_WINDOW);
    const COLORREF highlight = ::GetSysColor(COLOR_HIGHLIGHT);
    const COLORREF windowText = ::GetSysColor(COLOR_WINDOWTEXT);

    const CRect r = item->rcItem;
    const bool selected = (item->itemState & ODS_SELECTED) != 0;
    COLORREF textColour = selected ? (~windowText & 0xFFFFFF) : windowText;
    dc->FillSolidRect(&r, selected ? highlight : window);
    if (item->itemState & ODS_FOCUS)
        dc->DrawFocusRect(&r);
    if (item->itemID == static_cast<UINT>(-1))
        return;   // an empty selection

    // The swatch takes the first quarter of the width, the text the rest.
    const int quarter = r.Width() / 4;
    CRect swatch = r;
    swatch.DeflateRect(2, 2);
    swatch.right = r.left + quarter;

    COLORREF colour = static_cast<COLORREF>(item->itemData);
    if (item->itemState & ODS_DISABLED) {
        colour = ::GetSysColor(COLOR_GRAYTEXT);
        textColour = colour;
    }
    CString text;
    GetLBText(static_cast<int>(item->itemID), text);
    const int oldMode = dc->SetBkMode(TRANSPARENT);
    const COLORREF oldColour = dc->SetTextColor(textColour);
    const int x = r.left + quarter + 2;
    INT tabStop = 50;
    ::TabbedTextOutA(dc->m_hDC, x, r.top + 2, text, text.GetLength(), 1, &tabStop, x);
    dc->SetTextColor(oldColour);
    dc->SetBkMode(oldMode);

    CBrush fill(colour);
    dc->FillRect(&swatch, &fill);
    dc->FrameRect(&swatch, CBrush::FromHandle(static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH))));
}
