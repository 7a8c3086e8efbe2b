// CItemPane: one pane of a CExplorerPane column: a skinned caption bar that
// a click expands or collapses, with the body dialog under it growing or
// shrinking in steps. The animation runs on the UI thread from a timer, so
// that it ends with the pane's window and can never outlive it.
#pragma once

#include "controls/SkinnedDialog.h"

class CExplorerPane;

class CItemPane : public CSkinnedDialog
{
public:
    enum State { COLLAPSED = 1, EXPANDED = 2 };

    // `body` is the dialog shown under the caption bar (a child of the
    // column); the skin is used in both states; the buttons are the 16 x 16
    // images drawn on the bar when collapsed and when expanded.
    CItemPane(UINT templateId, CExplorerPane* column, CWnd* body, UINT skinId, UINT collapsedButtonId,
              UINT expandedButtonId, int state);
    ~CItemPane() override;

    // A given font replaces the caption font and is owned by the pane; a
    // null one keeps it.
    void SetCaption(CString text, COLORREF colour, CFont* font);

    BOOL OnInitDialog() override;

protected:
    friend class CExplorerPane;

    void StartAnimation();
    void AnimationStep();
    // The height the column lays the body out at now.
    int VisibleBodyHeight() const { return m_visibleBodyHeight; }

    afx_msg BOOL OnEraseBkgnd(CDC* dc);
    afx_msg void OnPaint();
    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT flags, CPoint point) { OnLButtonDown(flags, point); }
    afx_msg BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message);
    afx_msg void OnTimer(UINT_PTR id);
    afx_msg void OnDestroy();

    static const UINT_PTR kAnimationTimer = 1;
    static const UINT kAnimationTickMs = 10;
    static const int kAnimationTicks = 12;   // about how many steps one animation takes

    CWnd* m_body;
    BOOL m_animating = FALSE;
    CString m_caption = "Item Pane";
    UINT m_expandedSkinId;
    UINT m_collapsedSkinId;
    UINT m_collapsedButtonId;
    UINT m_expandedButtonId;
    COLORREF m_captionColour = 0;
    HCURSOR m_handCursor = nullptr;
    CFont* m_captionFont = nullptr;   // owned
    CExplorerPane* m_column;
    int m_state;
    int m_bodyHeight = 0;             // the body's full height
    int m_visibleBodyHeight = 0;
    int m_animationDone = 0;          // pixels grown or shrunk so far
    // The pictures, loaded once with the window and freed with it.
    CBitmap m_collapsedSkin, m_expandedSkin, m_collapsedButton, m_expandedButton;

    DECLARE_MESSAGE_MAP()
};
