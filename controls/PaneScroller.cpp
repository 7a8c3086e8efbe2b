#include "controls/PaneScroller.h"

#include <algorithm>

int PaneScroller::FitBar(int bar, int windowSize, int displaySize, int& page, int& position)
{
    int before = position;
    if (windowSize < displaySize) {
        if (page > 0)
            position = static_cast<int>(position * (static_cast<double>(windowSize) / page));
        page = windowSize;
        position = std::min(position, displaySize - windowSize - 1);
        if (position < 0)
            position = 0;
    } else {
        page = 0;
        position = 0;
    }
    SCROLLINFO info = { sizeof info };
    info.fMask = SIF_ALL;
    info.nMin = 0;
    // Contents that fit need no bar: an empty range hides it.
    info.nMax = page > 0 ? displaySize - 1 : 0;
    info.nPage = static_cast<UINT>(page);
    info.nPos = position;
    m_window->SetScrollInfo(bar, &info, TRUE);
    return before - position;
}

void PaneScroller::SetDisplaySize(int width, int height)
{
    m_displayWidth = width;
    m_displayHeight = height;
    if (!m_window || !m_window->GetSafeHwnd())
        return;
    CRect rect;
    m_window->GetWindowRect(&rect);
    int dx = FitBar(SB_HORZ, rect.Width(), width, m_pageWidth, m_horizontalPosition);
    int dy = FitBar(SB_VERT, rect.Height(), height, m_pageHeight, m_verticalPosition);
    if (dx != 0 || dy != 0)
        m_window->ScrollWindow(dx, dy);
}

void PaneScroller::ScrollToOrigin(BOOL horizontal, BOOL vertical)
{
    if (!m_window || !m_window->GetSafeHwnd())
        return;
    struct Bar
    {
        BOOL asked;
        int bar, display, page;
        int& position;
    };
    Bar bars[] = {
        { horizontal, SB_HORZ, m_displayWidth, m_pageWidth, m_horizontalPosition },
        { vertical, SB_VERT, m_displayHeight, m_pageHeight, m_verticalPosition },
    };
    for (Bar& b : bars) {
        if (!b.asked || b.display <= 0 || b.page <= 0 || b.position <= 0)
            continue;
        int old = b.position;
        b.position = 0;
        m_window->SetScrollPos(b.bar, 0, TRUE);
        if (b.bar == SB_HORZ)
            m_window->ScrollWindow(old, 0);
        else
            m_window->ScrollWindow(0, old);
    }
}

int PaneScroller::GetTrackPosition(int bar, CWnd* window) const
{
    SCROLLINFO info = {};
    return window->GetScrollInfo(bar, &info, SIF_TRACKPOS) ? info.nTrackPos : 0;
}
