// CColorCombo: an owner-drawn combo box of colours. Each entry shows a
// swatch of the colour kept as its item data (a COLORREF) left of its text.
// The combo box is made with CBS_OWNERDRAWFIXED | CBS_HASSTRINGS; the owner
// adds the entries:
//     int i = m_colours.AddString("FF0000");
//     m_colours.SetItemData(i, RGB(255, 0, 0));
#pragma once

#include "framework/Ui.h"

class CColorCombo : public CComboBox
{
public:
    void DrawItem(LPDRAWITEMSTRUCT item) override;

protected:
    void PreSubclassWindow() override {}

    afx_msg int OnCreate(LPCREATESTRUCT create);
    afx_msg void OnLButtonDown(UINT flags, CPoint point);

    DECLARE_MESSAGE_MAP()
};
