// CSkinnedDialog: a dialog painted from a bitmap and cut to its shape (the
// bitmap's transparent colour is left out of the window), which the user
// drags about by its body.
#pragma once

#include "controls/SkinBitmap.h"

class CSkinnedDialog : public CDialog
{
public:
    CSkinnedDialog(UINT templateId, CWnd* parent = nullptr);
    ~CSkinnedDialog() override;

    BOOL OnInitDialog() override;
    // Paints the dialog with the bitmap and gives it the bitmap's shape and
    // size; FALSE (the window keeps its shape) when the bitmap is missing or
    // the shape cannot be made.
    BOOL SetSkin(UINT bitmapId, COLORREF transparentColour);

protected:
    void FreeSkin();

    afx_msg void OnPaint();
    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg void OnLButtonUp(UINT flags, CPoint point);
    afx_msg void OnMouseMove(UINT flags, CPoint point);
    afx_msg void OnDestroy();

    SkinBitmap* m_skin = nullptr;
    HBITMAP m_skinBitmap = nullptr;   // the skin's bitmap, owned by m_skin
    BOOL m_dragging = FALSE;
    int m_dragX = 0;                  // where the button went down (client)
    int m_dragY = 0;
    HCURSOR m_cursor = nullptr;       // shown over the dialog when set
    HRGN m_region = nullptr;          // owned by the window once set

    DECLARE_MESSAGE_MAP()
};
