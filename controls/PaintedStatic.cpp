#include "controls/PaintedStatic.h"

BEGIN_MESSAGE_MAP(CPaintedStatic, CStatic)
    ON_WM_PAINT()
END_MESSAGE_MAP()

void CPaintedStatic::OnPaint()
{
    CPaintDC dc(this);
    PrepareDC(&dc);
    CRect client;
    GetClientRect(&client);
    RECT content, draw;
    GetContentRect(&dc, client.left, client.top, client.right, client.bottom, &content);
    GetDrawRect(&dc, content.left, content.top, content.right, content.bottom, &draw, FALSE);
    RECT frame = client;   // DrawFrame shrinks its rectangle to the button face
    DrawFrame(&dc, &frame, 0);
    m_clientRect = client;
    dc.IntersectClipRect(&client);
    dc.IntersectClipRect(&draw);
    DrawContent(&dc, &draw, 0);
    RestoreDC(&dc);
}

void CPaintedStatic::GetIdealSize(SIZE* size)
{
    CClientDC dc(this);
    PrepareDC(&dc);
    const int area = 100;
    CRect content, draw;
    GetContentRect(&dc, 0, 0, area, area, &content);
    GetDrawRect(&dc, content.left, content.top, content.right, content.bottom, &draw, TRUE);
    content.NormalizeRect();
    draw.NormalizeRect();
    // What the frame and the margin take from the area, on top of the content.
    size->cx = draw.Width() + (area - content.Width()) + 1;
    size->cy = draw.Height() + (area - content.Height()) + 1;
    RestoreDC(&dc);
}

void CPaintedStatic::GetTextExtent(SIZE* size, CDC* dc, const CString& text)
{
    size->cx = size->cy = 0;
    if (text.IsEmpty())
        return;
    RECT rect = {0, 0, 0, 0};
    dc->DrawText(text, &rect, DT_CALCRECT | DT_SINGLELINE);
    size->cx = rect.right - rect.left;
    size->cy = rect.bottom - rect.top;
}

void CPaintedStatic::SizeToContent()
{
    SIZE size;
    GetIdealSize(&size);
    SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    Redraw();
}

void CPaintedStatic::Redraw()
{
    if (m_hWnd)
        InvalidateRect(nullptr, FALSE);
}

void CPaintedStatic::GetDrawRect(CDC* dc, int left, int top, int right, int bottom, RECT* out, BOOL measure)
{
    if (!measure) {
        ::SetRect(out, left + 1, top + 1, right - 1, bottom - 1);
        return;
    }
    CString text;
    GetWindowText(text);
    SIZE extent;
    GetTextExtent(&extent, dc, text);
    ::SetRect(out, 0, 0, extent.cx, extent.cy);
    if (extent.cx || extent.cy)
        ::InflateRect(out, 1, 1);
}

void CPaintedStatic::GetContentRect(CDC* dc, int left, int top, int right, int bottom, RECT* out)
{
    ::SetRect(out, left + m_margin, top + m_margin, right - m_margin, bottom - m_margin);
}

void CPaintedStatic::DrawTextAt(CDC* dc, int x, int y, const CString& text)
{
    if (text.IsEmpty())
        return;
    int oldMode = dc->SetBkMode(TRANSPARENT);
    dc->TextOut(x, y, text);
    dc->SetBkMode(oldMode);
}

void CPaintedStatic::PrepareDC(CDC* dc)
{
    HFONT font = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
    m_previousFont = font ? static_cast<HFONT>(::SelectObject(dc->m_hDC, font)) : nullptr;
}

void CPaintedStatic::DrawContent(CDC* dc, RECT* rect, UINT state)
{
    CString text;
    GetWindowText(text);
    DrawTextAt(dc, rect->left, rect->top, text);
}

void CPaintedStatic::DrawFocus(CDC* dc, RECT* rect)
{
    dc->DrawFocusRect(rect);
}

void CPaintedStatic::DrawFrame(CDC* dc, RECT* rect, UINT state)
{
    ::DrawFrameControl(dc->m_hDC, rect, DFC_BUTTON, state | DFCS_BUTTONPUSH | DFCS_ADJUSTRECT);
}

void CPaintedStatic::RestoreDC(CDC* dc)
{
    if (m_previousFont)
        ::SelectObject(dc->m_hDC, m_previousFont);
    m_previousFont = nullptr;
}
