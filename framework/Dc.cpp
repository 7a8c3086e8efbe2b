#include "framework/Dc.h"

#include "framework/Wnd.h"

namespace {

CHandleMap<CDC, HDC>& TemporaryDCs()
{
    static thread_local CHandleMap<CDC, HDC> map(
        [](HDC dc) { CDC* object = new CDC; object->m_hDC = dc; return object; },
        [](CDC* object) { object->m_hDC = nullptr; delete object; });
    return map;
}

}  // namespace

CDC::~CDC()
{
    if (m_owned)
        DeleteDC();
}

CDC* CDC::FromHandle(HDC dc)
{
    return TemporaryDCs().FromHandle(dc);
}

BOOL CDC::Attach(HDC dc)
{
    if (!dc)
        return FALSE;
    if (m_owned)
        DeleteDC();
    m_hDC = dc;
    m_owned = false;
    return TRUE;
}

BOOL CDC::AttachOwned(HDC dc)
{
    if (!Attach(dc))
        return FALSE;
    m_owned = true;
    return TRUE;
}

HDC CDC::Detach()
{
    HDC dc = m_hDC;
    m_hDC = nullptr;
    m_owned = false;
    return dc;
}

BOOL CDC::DeleteDC()
{
    if (!m_hDC)
        return FALSE;
    return ::DeleteDC(Detach());
}

CPoint CDC::SetViewportOrg(int x, int y)
{
    POINT old = {};
    ::SetViewportOrgEx(m_hDC, x, y, &old);
    return old;
}

CPoint CDC::GetViewportOrg() const
{
    POINT origin = {};
    ::GetViewportOrgEx(m_hDC, &origin);
    return origin;
}

CPoint CDC::SetWindowOrg(int x, int y)
{
    POINT old = {};
    ::SetWindowOrgEx(m_hDC, x, y, &old);
    return old;
}

CPoint CDC::MoveTo(int x, int y)
{
    POINT old = {};
    ::MoveToEx(m_hDC, x, y, &old);
    return old;
}

void CDC::FillSolidRect(LPCRECT rect, COLORREF colour)
{
    COLORREF old = ::SetBkColor(m_hDC, colour);
    ::ExtTextOutA(m_hDC, 0, 0, ETO_OPAQUE, rect, nullptr, 0, nullptr);
    ::SetBkColor(m_hDC, old);
}

void CDC::FillSolidRect(int x, int y, int width, int height, COLORREF colour)
{
    RECT rect = { x, y, x + width, y + height };
    FillSolidRect(&rect, colour);
}

void CDC::Draw3dRect(LPCRECT rect, COLORREF topLeft, COLORREF bottomRight)
{
    Draw3dRect(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, topLeft, bottomRight);
}

void CDC::Draw3dRect(int x, int y, int width, int height, COLORREF topLeft, COLORREF bottomRight)
{
    FillSolidRect(x, y, width - 1, 1, topLeft);
    FillSolidRect(x, y, 1, height - 1, topLeft);
    FillSolidRect(x + width - 1, y, 1, height, bottomRight);
    FillSolidRect(x, y + height - 1, width, 1, bottomRight);
}

CSize CDC::GetTextExtent(LPCSTR text, int count) const
{
    SIZE size = {};
    ::GetTextExtentPoint32A(m_hDC, text, count, &size);
    return size;
}

BOOL CDC::DrawState(CPoint point, CSize size, HICON icon, UINT flags, HBRUSH brush)
{
    return ::DrawStateA(m_hDC, brush, nullptr, reinterpret_cast<LPARAM>(icon), 0, point.x, point.y,
                        size.cx, size.cy, flags | DST_ICON);
}

BOOL CDC::DrawState(CPoint point, CSize size, HBITMAP bitmap, UINT flags, HBRUSH brush)
{
    return ::DrawStateA(m_hDC, brush, nullptr, reinterpret_cast<LPARAM>(bitmap), 0, point.x, point.y,
                        size.cx, size.cy, flags | DST_BITMAP);
}

CPaintDC::CPaintDC(CWnd* wnd) : m_hWnd(wnd->m_hWnd)
{
    Attach(::BeginPaint(m_hWnd, &m_ps));
}

CPaintDC::~CPaintDC()
{
    ::EndPaint(m_hWnd, &m_ps);
    Detach();
}

CClientDC::CClientDC(CWnd* wnd) : m_hWnd(wnd ? wnd->m_hWnd : nullptr)
{
    Attach(::GetDC(m_hWnd));
}

CClientDC::~CClientDC()
{
    ::ReleaseDC(m_hWnd, Detach());
}

CWindowDC::CWindowDC(CWnd* wnd) : m_hWnd(wnd ? wnd->m_hWnd : nullptr)
{
    Attach(::GetWindowDC(m_hWnd));
}

CWindowDC::~CWindowDC()
{
    ::ReleaseDC(m_hWnd, Detach());
}
