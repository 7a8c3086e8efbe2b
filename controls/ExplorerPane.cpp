#include "controls/ExplorerPane.h"

#include <algorithm>

namespace {

const int kLineStep = 60;

}  // namespace

BEGIN_MESSAGE_MAP(CExplorerPane, CDialog)
    ON_WM_PAINT()
    ON_WM_VSCROLL()
END_MESSAGE_MAP()

CExplorerPane::CExplorerPane(UINT templateId, CWnd* parent)
    : CDialog(templateId, parent), m_parent(parent), m_scroller(new PaneScroller)
{
    m_scroller->Attach(this);
}

CExplorerPane::~CExplorerPane()
{
    m_scroller->Detach();
    delete m_scroller;
}

BOOL CExplorerPane::OnInitDialog()
{
    CDialog::OnInitDialog();
    CRect rect;
    GetWindowRect(&rect);
    m_scroller->SetDisplaySize(rect.Width(), rect.Height());
    return TRUE;
}

void CExplorerPane::AddPane(CItemPane* pane)
{
    m_panes[m_paneCount] = pane;
    ++m_paneCount;
    RecalcLayout();
}

int CExplorerPane::HeightOf(CItemPane* pane) const
{
    CRect rect;
    pane->GetWindowRect(&rect);
    return rect.Height() + pane->VisibleBodyHeight() + m_gap;
}

int CExplorerPane::LayOut(int first, int y)
{
    CRect client;
    GetClientRect(&client);
    // All moves at once, each window drawn afresh where it lands: a copy of
    // its old pixels could hold a piece of the body that grew over it.
    HDWP moves = ::BeginDeferWindowPos(2 * (m_paneCount - first));
    const UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS;
    for (int i = first; i < m_paneCount; ++i) {
        CItemPane* pane = m_panes[i];
        CRect rect;
        pane->GetWindowRect(&rect);
        int visible = pane->VisibleBodyHeight();
        if (moves)
            moves = ::DeferWindowPos(moves, *pane, nullptr, client.left, client.top + y, rect.Width(), rect.Height(), flags);
        if (moves)
            moves = ::DeferWindowPos(moves, *pane->m_body, nullptr, client.left, client.top + y + rect.Height(),
                                     rect.Width(), visible, flags);
        y += rect.Height() + visible + m_gap;
    }
    if (moves)
        ::EndDeferWindowPos(moves);
    return y;
}

void CExplorerPane::RecalcLayout()
{
    CRect client;
    GetClientRect(&client);
    if (m_scrollEnabled)
        m_scroller->ScrollToOrigin(TRUE, TRUE);
    int height = LayOut(0, 0);
    if (m_scrollEnabled) {
        m_scroller->SetDisplaySize(client.Width(), height);
        ShowScrollBar(SB_VERT, height > client.Height());
    }
}

void CExplorerPane::RelayoutFrom(CItemPane* pane)
{
    CRect client;
    GetClientRect(&client);
    int first = 0, offset = 0;
    while (first < m_paneCount && m_panes[first] != pane)
        offset += HeightOf(m_panes[first++]);
    if (first == m_paneCount)
        return;
    int scrolled = m_scrollEnabled ? m_scroller->m_verticalPosition : 0;
    int height = LayOut(first, offset - scrolled) + scrolled;
    if (m_scrollEnabled) {
        m_scroller->SetDisplaySize(client.Width(), height);
        ShowScrollBar(SB_VERT, height > client.Height());
    }
}

void CExplorerPane::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    CBrush brush(m_bkColour);
    dc.FillRect(&client, &brush);
}

void CExplorerPane::OnVScroll(UINT code, UINT, CScrollBar*)
{
    if (!m_scroller->m_window)
        return;
    PaneScroller& s = *m_scroller;
    int step = 0;
    switch (code) {
    case SB_LINEUP: step = -kLineStep; break;
    case SB_LINEDOWN: step = kLineStep; break;
    case SB_PAGEUP: step = -s.m_pageHeight; break;
    case SB_PAGEDOWN: step = s.m_pageHeight; break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: step = s.GetTrackPosition(SB_VERT, this) - s.m_verticalPosition; break;
    default: return;
    }
    // Contents that fit do not scroll.
    int last = s.m_pageHeight > 0 ? s.m_displayHeight - s.m_pageHeight : 0;
    int position = std::min(std::max(s.m_verticalPosition + step, 0), std::max(last, 0));
    int moved = position - s.m_verticalPosition;
    if (moved == 0)
        return;
    s.m_verticalPosition = position;
    SetScrollPos(SB_VERT, position, TRUE);
    ScrollWindow(0, -moved);
}
