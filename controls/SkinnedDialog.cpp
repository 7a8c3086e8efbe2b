#include "controls/SkinnedDialog.h"

BEGIN_MESSAGE_MAP(CSkinnedDialog, CDialog)
    ON_WM_PAINT()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CSkinnedDialog::CSkinnedDialog(UINT templateId, CWnd* parent) : CDialog(templateId, parent)
{
}

CSkinnedDialog::~CSkinnedDialog()
{
    FreeSkin();
}

BOOL CSkinnedDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    return TRUE;
}

void CSkinnedDialog::FreeSkin()
{
    delete m_skin;   // its bitmap with it
    m_skin = nullptr;
    m_skinBitmap = nullptr;
}

BOOL CSkinnedDialog::SetSkin(UINT bitmapId, COLORREF transparentColour)
{
    FreeSkin();
    m_skin = new SkinBitmap;
    m_skinBitmap = m_skin->LoadFromResource(bitmapId);
    if (!m_skinBitmap)
        return FALSE;
    HRGN region = CreateRegionFromBitmap(m_skinBitmap, transparentColour);
    if (!region)
        return FALSE;
    RECT bounds = {};
    ::GetRgnBox(region, &bounds);
    SetWindowPos(nullptr, 0, 0, bounds.right - bounds.left, bounds.bottom - bounds.top, SWP_NOMOVE | SWP_NOZORDER);
    if (!SetWindowRgn(region, TRUE)) {
        ::DeleteObject(region);
        return FALSE;
    }
    m_region = region;
    return TRUE;
}

void CSkinnedDialog::OnPaint()
{
    CPaintDC dc(this);
    if (m_skin)
        m_skin->Draw(&dc);
}

void CSkinnedDialog::OnDestroy()
{
    FreeSkin();
    m_region = nullptr;   // freed by the window
    CDialog::OnDestroy();
}

void CSkinnedDialog::OnLButtonDown(UINT, CPoint point)
{
    m_dragX = point.x;
    m_dragY = point.y;
    m_dragging = TRUE;
    SetCapture();
}

void CSkinnedDialog::OnLButtonUp(UINT, CPoint)
{
    if (!m_dragging) {
        Default();
        return;
    }
    m_dragging = FALSE;
    ::ReleaseCapture();
}

void CSkinnedDialog::OnMouseMove(UINT, CPoint point)
{
    if (m_cursor)
        ::SetCursor(m_cursor);
    if (!m_dragging) {
        Default();
        return;
    }
    CRect rect;
    GetWindowRect(&rect);
    // A child moves in its parent's client coordinates.
    if (GetStyle() & WS_CHILD)
        GetParent()->ScreenToClient(&rect);
    SetWindowPos(nullptr, rect.left + point.x - m_dragX, rect.top + point.y - m_dragY, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER);
}
