#include "controls/MemoryDC.h"

CMemoryDC::CMemoryDC(CDC* target, const RECT* rect) : m_target(target), m_memory(!target->IsPrinting())
{
    if (rect)
        m_rect = *rect;
    else
        target->GetClipBox(&m_rect);
    POINT corners[2] = { { m_rect.left, m_rect.top }, { m_rect.right, m_rect.bottom } };
    target->LPtoDP(corners, 2);
    if (m_memory && CreateCompatibleDC(target) &&
        m_bitmap.CreateCompatibleBitmap(target, corners[1].x - corners[0].x, corners[1].y - corners[0].y)) {
        m_oldBitmap = ::SelectObject(m_hDC, m_bitmap);
        SetMapMode(::GetMapMode(*target));
        SetWindowOrg(m_rect.left, m_rect.top);
    } else {
        // A printer, or no memory for the copy: draw on the target itself.
        DeleteDC();
        m_memory = FALSE;
        Attach(target->m_hDC);
    }
    FillSolidRect(&m_rect, target->GetBkColor());
}

CMemoryDC::~CMemoryDC()
{
    if (!m_memory) {
        Detach();
        return;
    }
    m_target->BitBlt(m_rect.left, m_rect.top, m_rect.right - m_rect.left, m_rect.bottom - m_rect.top, this,
                     m_rect.left, m_rect.top, SRCCOPY);
    ::SelectObject(m_hDC, m_oldBitmap);
}
