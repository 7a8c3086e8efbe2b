// CExplorerPane: a child dialog that stacks CItemPane panes, each with its
// body under it, top to bottom on a coloured ground, and scrolls them when
// they do not fit.
//     column->Create(IDD_EXPLORER_PANE, editor);
//     pane->Create(IDD_ITEM_PANE, column);   // for each pane, in order
//     column->AddPane(pane);
#pragma once

#include "controls/ItemPane.h"
#include "controls/PaneScroller.h"

class CExplorerPane : public CDialog
{
public:
    CExplorerPane(UINT templateId, CWnd* parent);
    ~CExplorerPane() override;

    void SetBkColor(COLORREF colour) { m_bkColour = colour; }
    void EnableScroll(BOOL enable) { m_scrollEnabled = enable; }
    // Appends the pane (and its body) and lays the column out again.
    void AddPane(CItemPane* pane);
    // Lays every pane out from the top.
    void RecalcLayout();
    // Moves `pane` and those after it, for a change of its body's height.
    void RelayoutFrom(CItemPane* pane);

    BOOL OnInitDialog() override;

    int m_gap = 5;   // space under each pane's body

protected:
    // Places the panes from `first` on at y (client coordinates); the y
    // under the last one.
    int LayOut(int first, int y);
    int HeightOf(CItemPane* pane) const;

    afx_msg void OnPaint();
    afx_msg void OnVScroll(UINT code, UINT position, CScrollBar* bar);

    CWnd* m_parent;
    int m_paneCount = 0;
    CMap<int, int, CItemPane*, CItemPane*> m_panes;   // by index, in the order added
    COLORREF m_bkColour = 0xE16464;
    PaneScroller* m_scroller;
    BOOL m_scrollEnabled = TRUE;

    DECLARE_MESSAGE_MAP()
};
