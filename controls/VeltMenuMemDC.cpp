#include "controls/VeltMenuMemDC.h"

VeltMenuMemDC::VeltMenuMemDC(CDC* target, const RECT* rect)
    : m_target(target), m_rect(rect), m_memory(!target->IsPrinting())
{
    if (m_memory && CreateCompatibleDC(target) &&
        m_bitmap.CreateCompatibleBitmap(target, m_rect.Width(), m_rect.Height())) {
        m_oldBitmap = ::SelectObject(m_hDC, m_bitmap);
        // The copy is drawn on in the target's coordinates.
        SetWindowOrg(m_rect.left, m_rect.top);
    } else {
        DeleteDC();
        m_memory = FALSE;
        Attach(target->m_hDC);
    }
}

VeltMenuMemDC::~VeltMenuMemDC()
{
    if (!m_memory) {
        Detach();
        return;
    }
    m_target->BitBlt(m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), this, m_rect.left, m_rect.top, SRCCOPY);
    ::SelectObject(m_hDC, m_oldBitmap);
}
