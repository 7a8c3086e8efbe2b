#include "controls/ItemPane.h"

#include "controls/ExplorerPane.h"
#include "controls/MemoryDC.h"

#include <algorithm>

namespace {

const COLORREF kMagenta = RGB(255, 0, 255);
const int kButtonSize = 16;

void LoadPicture(CBitmap& bitmap, UINT id)
{
    bitmap.DeleteObject();
    bitmap.LoadBitmap(id);
}

void DrawPicture(CDC* dc, CBitmap& bitmap, int x, int y, int width, int height, DWORD rop)
{
    if (!bitmap.GetSafeHandle())
        return;
    CDC memory;
    memory.CreateCompatibleDC(dc);
    CBitmap* old = memory.SelectObject(&bitmap);
    dc->BitBlt(x, y, width, height, &memory, 0, 0, rop);
    memory.SelectObject(old);
}

CFont* MakeCaptionFont(int height)
{
    LOGFONTA logFont = {};
    logFont.lfHeight = height;
    logFont.lfWeight = FW_BOLD;
    lstrcpyA(logFont.lfFaceName, "Verdana");
    CFont* font = new CFont;
    font->CreateFontIndirect(&logFont);
    return font;
}

}  // namespace

BEGIN_MESSAGE_MAP(CItemPane, CSkinnedDialog)
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()   // a quick second click toggles again
    ON_WM_SETCURSOR()
    ON_WM_TIMER()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CItemPane::CItemPane(UINT templateId, CExplorerPane* column, CWnd* body, UINT skinId, UINT collapsedButtonId,
                     UINT expandedButtonId, int state)
    : CSkinnedDialog(templateId, column), m_body(body), m_expandedSkinId(skinId), m_collapsedSkinId(skinId),
      m_collapsedButtonId(collapsedButtonId), m_expandedButtonId(expandedButtonId), m_column(column), m_state(state)
{
}

CItemPane::~CItemPane()
{
    delete m_captionFont;
}

void CItemPane::SetCaption(CString text, COLORREF colour, CFont* font)
{
    m_caption = text;
    m_captionColour = colour;
    if (font) {
        delete m_captionFont;
        m_captionFont = font;
    }
}

BOOL CItemPane::OnInitDialog()
{
    CSkinnedDialog::OnInitDialog();
    m_handCursor = ::LoadCursorA(nullptr, IDC_HAND);
    SetSkin(m_state == COLLAPSED ? m_collapsedSkinId : m_expandedSkinId, kMagenta);
    LoadPicture(m_collapsedSkin, m_collapsedSkinId);
    LoadPicture(m_expandedSkin, m_expandedSkinId);
    LoadPicture(m_collapsedButton, m_collapsedButtonId);
    LoadPicture(m_expandedButton, m_expandedButtonId);
    CRect bodyRect;
    m_body->GetWindowRect(&bodyRect);
    m_bodyHeight = bodyRect.Height();
    if (m_state == COLLAPSED) {
        m_body->ShowWindow(SW_HIDE);
        m_visibleBodyHeight = 0;
    } else {
        m_body->ShowWindow(SW_SHOWNA);
        m_visibleBodyHeight = m_bodyHeight;
    }
    delete m_captionFont;
    m_captionFont = MakeCaptionFont(13);
    m_captionColour = 0;
    return TRUE;
}

void CItemPane::OnDestroy()
{
    KillTimer(kAnimationTimer);
    m_animating = FALSE;
    for (CBitmap* bitmap : { &m_collapsedSkin, &m_expandedSkin, &m_collapsedButton, &m_expandedButton })
        bitmap->DeleteObject();
    CSkinnedDialog::OnDestroy();
}

BOOL CItemPane::OnEraseBkgnd(CDC*)
{
    return TRUE;   // OnPaint covers everything
}

void CItemPane::OnPaint()
{
    CPaintDC paint(this);
    CRect client;
    GetClientRect(&client);
    CMemoryDC dc(&paint, &client);
    bool collapsed = m_state == COLLAPSED;
    BITMAP size = {};
    CBitmap& skin = collapsed ? m_collapsedSkin : m_expandedSkin;
    if (skin.GetSafeHandle() && skin.GetBitmap(&size))
        DrawPicture(&dc, skin, client.left, client.top, size.bmWidth, size.bmHeight, SRCCOPY);
    DrawPicture(&dc, collapsed ? m_collapsedButton : m_expandedButton, client.right - 25, client.bottom - 21,
                kButtonSize, kButtonSize, SRCPAINT);
    if (!m_captionFont)
        m_captionFont = MakeCaptionFont(14);
    CFont* oldFont = dc.SelectObject(m_captionFont);
    dc.SetTextColor(m_captionColour);
    dc.SetBkMode(TRANSPARENT);
    CRect text(client.left + 30, client.bottom - 19, client.right - 30, client.bottom - 5);
    dc.DrawText(m_caption, &text, 0);
    dc.SelectObject(oldFont);
}

void CItemPane::OnLButtonDown(UINT, CPoint point)
{
    if (!m_animating) {
        m_animating = TRUE;
        m_state = m_state == COLLAPSED ? EXPANDED : COLLAPSED;
        StartAnimation();
        InvalidateRect(nullptr);
        UpdateWindow();
    }
    CRect client;
    GetClientRect(&client);
    if (client.PtInRect(point) && m_handCursor)
        ::SetCursor(m_handCursor);
    Default();
}

BOOL CItemPane::OnSetCursor(CWnd* wnd, UINT hitTest, UINT message)
{
    if (m_handCursor) {
        ::SetCursor(m_handCursor);
        return TRUE;
    }
    return CSkinnedDialog::OnSetCursor(wnd, hitTest, message);
}

void CItemPane::StartAnimation()
{
    m_animationDone = 0;
    m_body->ShowWindow(m_state == EXPANDED ? SW_SHOW : SW_SHOWNORMAL);
    SetTimer(kAnimationTimer, kAnimationTickMs);
    AnimationStep();
}

void CItemPane::OnTimer(UINT_PTR id)
{
    if (id == kAnimationTimer)
        AnimationStep();
    else
        CSkinnedDialog::OnTimer(id);
}

void CItemPane::AnimationStep()
{
    bool expanding = m_state == EXPANDED;
    if (m_animationDone < m_bodyHeight) {
        m_visibleBodyHeight = expanding ? m_animationDone : m_bodyHeight - m_animationDone;
        m_column->RelayoutFrom(this);
        // Steps of an even number of pixels, about kAnimationTicks of them.
        m_animationDone += std::max(2, (m_bodyHeight / kAnimationTicks + 1) & ~1);
        return;
    }
    KillTimer(kAnimationTimer);
    if (expanding) {
        m_body->Invalidate();
        m_visibleBodyHeight = m_bodyHeight;
    } else {
        m_visibleBodyHeight = 0;
        m_body->ShowWindow(SW_HIDE);
    }
    m_column->RelayoutFrom(this);
    m_animating = FALSE;
}
