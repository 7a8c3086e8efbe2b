#include "controls/Label.h"

#include "controls/FontMetrics.h"

#include <shellapi.h>
#include <stdlib.h>

namespace {

const UINT_PTR kFlashTimer = 1;
const UINT kFlashInterval = 500;

}  // namespace

BEGIN_MESSAGE_MAP(CLabel, CStatic)
    ON_WM_TIMER()
    ON_WM_LBUTTONDOWN()
    ON_WM_SETCURSOR()
    ON_WM_SYSCOLORCHANGE()
    ON_WM_PAINT()
    ON_WM_MOUSEMOVE()
END_MESSAGE_MAP()

CLabel::CLabel()
    : m_textColour(::GetSysColor(COLOR_WINDOWTEXT)),
      m_faceBrush(::CreateSolidBrush(::GetSysColor(COLOR_BTNFACE))),
      m_savedTextColour(m_textColour)
{
}

CLabel::~CLabel()
{
    ::DeleteObject(m_faceBrush);
    if (m_backBrush)
        ::DeleteObject(m_backBrush);
}

// ---------------------------------------------------------------- set-up

void CLabel::PreSubclassWindow()
{
    CStatic::PreSubclassWindow();
    HFONT dialogFont = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
    ::GetObjectA(dialogFont ? static_cast<HGDIOBJ>(dialogFont) : ::GetStockObject(DEFAULT_GUI_FONT),
                 sizeof m_logFont, &m_logFont);
    ReconstructFont();
    SetFontName("Lucida Sans", ANSI_CHARSET);
    SetFontSize(8);
    FitToFont();
}

// The label's font is sized for 96 dots per inch, its template for the
// dialog font: it shrinks in proportion under a dialog font larger than
// 6 x 13 base units.
void CLabel::FitToFont()
{
    CRect rect;
    GetClientRect(&rect);
    ScaleRectByBaseUnits(&rect, 4, 6, 13, this);
    SetWindowPos(nullptr, 0, 0, rect.Width(), rect.Height(), SWP_NOMOVE | SWP_NOZORDER);
}

void CLabel::ReconstructFont()
{
    m_font.DeleteObject();
    m_font.CreateFontIndirect(&m_logFont);
}

void CLabel::RedrawLabel()
{
    if (!m_hWnd)
        return;
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    // What lies behind a transparent label is the parent's to paint.
    if (CWnd* parent = GetParent()) {
        CRect rect;
        GetWindowRect(&rect);
        parent->ScreenToClient(&rect);
        parent->InvalidateRect(&rect, TRUE);
        parent->UpdateWindow();
    }
}

// ---------------------------------------------------------------- setters

CLabel& CLabel::SetBkColor(COLORREF colour, COLORREF endColour, int fillMode)
{
    m_backColour = colour;
    m_gradientEnd = endColour;
    m_fillMode = fillMode;
    if (m_backBrush) {
        ::DeleteObject(m_backBrush);
        m_backBrush = nullptr;
    }
    if (fillMode == 0)
        m_backBrush = ::CreateSolidBrush(colour);
    RedrawLabel();
    return *this;
}

CLabel& CLabel::SetTextColor(COLORREF colour)
{
    m_textColour = colour;
    RedrawLabel();
    return *this;
}

CLabel& CLabel::SetText(const CString& text)
{
    SetWindowText(text);
    RedrawLabel();
    return *this;
}

CLabel& CLabel::SetFontBold(BOOL bold)
{
    m_logFont.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    ReconstructFont();
    RedrawLabel();
    return *this;
}

CLabel& CLabel::SetFontName(const CString& faceName, BYTE charSet)
{
    m_logFont.lfCharSet = charSet;
    lstrcpynA(m_logFont.lfFaceName, faceName, LF_FACESIZE);
    ReconstructFont();
    RedrawLabel();
    return *this;
}

CLabel& CLabel::SetFontUnderline(BOOL underline)
{
    m_logFont.lfUnderline = static_cast<BYTE>(underline ? TRUE : FALSE);
    ReconstructFont();
    RedrawLabel();
    return *this;
}

CLabel& CLabel::SetFontItalic(BOOL italic)
{
    m_logFont.lfItalic = static_cast<BYTE>(italic ? TRUE : FALSE);
    ReconstructFont();
    RedrawLabel();
    return *this;
}

CLabel& CLabel::SetFontSize(int points)
{
    LOGFONTA request = {};
    request.lfHeight = points * 10;   // tenths of a point
    request.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(request.lfFaceName, m_logFont.lfFaceName, LF_FACESIZE);
    HDC screen = ::GetDC(nullptr);
    POINT height = { 0, request.lfHeight * 96 / 720 };
    POINT origin = { 0, 0 };
    ::DPtoLP(screen, &height, 1);
    ::DPtoLP(screen, &origin, 1);
    ::ReleaseDC(nullptr, screen);
    request.lfHeight = -abs(height.y - origin.y);
    CFont sized;
    if (sized.CreateFontIndirect(&request)) {
        LOGFONTA made = {};
        sized.GetLogFont(&made);
        m_logFont.lfHeight = made.lfHeight;
        m_logFont.lfWidth = made.lfWidth;
    }
    ReconstructFont();
    RedrawLabel();
    return *this;
}

CLabel& CLabel::SetHoverEffect(BOOL on, COLORREF hoverColour)
{
    m_hoverEffect = on;
    m_hoverColour = hoverColour;
    return *this;
}

CLabel& CLabel::SetSunken(BOOL sunken)
{
    ModifyStyleEx(sunken ? 0 : WS_EX_STATICEDGE, sunken ? WS_EX_STATICEDGE : 0, SWP_FRAMECHANGED);
    return *this;
}

CLabel& CLabel::SetBorder(BOOL border)
{
    ModifyStyle(border ? 0 : WS_BORDER, border ? WS_BORDER : 0, SWP_FRAMECHANGED);
    return *this;
}

CLabel& CLabel::SetTransparent(BOOL transparent)
{
    m_transparent = transparent;
    ModifyStyleEx(0, WS_EX_TRANSPARENT);
    RedrawLabel();
    return *this;
}

// Both kinds of flashing share timer 1; each call first stops it.
void CLabel::Flash(BOOL on, int kind)
{
    if (m_flashTimer) {
        KillTimer(kFlashTimer);
        m_flashTimer = FALSE;
    }
    if (on) {
        m_flashPhase = FALSE;
        m_flashTimer = TRUE;
        SetTimer(kFlashTimer, kFlashInterval);
        m_flashKind = kind;
    }
}

CLabel& CLabel::FlashText(BOOL flash)
{
    Flash(flash, 1);
    if (!flash)
        m_flashKind = 0;
    return *this;
}

CLabel& CLabel::FlashBackground(BOOL flash)
{
    Flash(flash, 2);
    return *this;
}

CLabel& CLabel::SetLink(BOOL link, BOOL notifyParent)
{
    m_notifyParent = notifyParent;
    // Only a static with SS_NOTIFY gets the mouse's clicks.
    ModifyStyle(link ? 0 : SS_NOTIFY, link ? SS_NOTIFY : 0);
    return *this;
}

CLabel& CLabel::SetLinkCursor(HCURSOR cursor)
{
    m_linkCursor = cursor;
    return *this;
}

CLabel& CLabel::SetFont3D(BOOL on, int kind)
{
    m_font3D = on;
    m_3DKind = kind;
    RedrawLabel();
    return *this;
}

CLabel& CLabel::SetRotationAngle(int degrees, BOOL rotate)
{
    m_logFont.lfEscapement = m_logFont.lfOrientation = degrees * 10;
    m_rotated = rotate;
    ReconstructFont();
    RedrawLabel();
    return *this;
}

CLabel& CLabel::SetText3DHiliteColor(COLORREF colour)
{
    m_hiliteColour = colour;
    RedrawLabel();
    return *this;
}

// ---------------------------------------------------------------- painting

void CLabel::DrawGradientFill(CDC* dc, const CRect& rect, COLORREF start, COLORREF end, int steps)
{
    int width = rect.Width();
    int strips = steps < width ? steps : width;
    int divisor = strips > 1 ? strips : 1;
    // Each channel runs in 8.8 fixed point.
    int red = GetRValue(start) * 256, green = GetGValue(start) * 256, blue = GetBValue(start) * 256;
    int redStep = (GetRValue(end) - GetRValue(start)) * 256 / divisor;
    int greenStep = (GetGValue(end) - GetGValue(start)) * 256 / divisor;
    int blueStep = (GetBValue(end) - GetBValue(start)) * 256 / divisor;
    int stripWidth = width / divisor;
    CGdiObject* oldPen = dc->SelectStockObject(NULL_PEN);
    int left = rect.left;
    for (int i = 0; i < strips; ++i) {
        int right = i == strips - 1 ? rect.right : left + stripWidth;
        CBrush brush(RGB(red / 256, green / 256, blue / 256));
        CBrush* oldBrush = dc->SelectObject(&brush);
        // Without a pen a rectangle leaves out its right and bottom edges:
        // each strip overlaps by one pixel so that none shows.
        dc->Rectangle(left, rect.top, right + 1, rect.bottom + 1);
        dc->SelectObject(oldBrush);
        left = right;
        red += redStep;
        green += greenStep;
        blue += blueStep;
    }
    dc->SelectObject(oldPen);
}

void CLabel::PaintBackground(CDC* dc, const CRect& rect) const
{
    // A flashing background shows the plain button face in its off phase;
    // once the flashing stops, the next paint shows the background again.
    if (m_flashKind == 2 && m_flashTimer && !m_flashPhase) {
        ::FillRect(*dc, &rect, m_faceBrush);
        return;
    }
    if (m_fillMode == 0)
        ::FillRect(*dc, &rect, m_backBrush ? m_backBrush : m_faceBrush);
    else
        DrawGradientFill(dc, rect, m_backColour, m_gradientEnd);
}

UINT CLabel::TextFormat(const CString& text) const
{
    DWORD style = GetStyle();
    if (style & SS_CENTERIMAGE)
        return text.Find("\r\n") < 0 ? DT_SINGLELINE | DT_VCENTER | DT_CENTER : DT_CENTER;
    switch (style & SS_TYPEMASK) {
    case SS_CENTER:
        return DT_CENTER | DT_WORDBREAK;
    case SS_RIGHT:
        return DT_RIGHT | DT_WORDBREAK;
    case SS_LEFTNOWORDWRAP:
        return DT_LEFT;
    default:
        return DT_WORDBREAK;
    }
}

void CLabel::OnPaint()
{
    CPaintDC paint(this);
    CRect client;
    GetClientRect(&client);
    if (client.IsRectEmpty())
        return;
    CString text;
    GetWindowText(text);

    // Unless transparent, everything is drawn off screen and copied at once.
    CDC memory;
    CBitmap buffer;
    CBitmap* oldBitmap = nullptr;
    CDC* dc = &paint;
    if (!m_transparent && memory.CreateCompatibleDC(&paint) &&
        buffer.CreateCompatibleBitmap(&paint, client.Width(), client.Height())) {
        oldBitmap = memory.SelectObject(&buffer);
        dc = &memory;
    }
    int oldMode = dc->SetBkMode(TRANSPARENT);
    COLORREF oldColour = dc->SetTextColor(m_textColour);
    CFont* oldFont = dc->SelectObject(&m_font);

    if (!m_transparent)
        PaintBackground(dc, client);
    if (m_flashKind == 1 && !m_flashPhase) {
        // The text takes the background's colour: black without a solid one.
        LOGBRUSH brush = {};
        if (m_backBrush)
            ::GetObjectA(m_backBrush, sizeof brush, &brush);
        dc->SetTextColor(m_backBrush ? brush.lbColor : RGB(0, 0, 0));
    }
    if (m_rotated) {
        UINT oldAlign = dc->SetTextAlign(TA_BASELINE | TA_CENTER);
        CPoint oldOrigin = dc->SetViewportOrg(client.Width() / 2, client.Height() / 2);
        dc->TextOut(0, 0, text);
        dc->SetViewportOrg(oldOrigin);
        dc->SetTextAlign(oldAlign);
    } else {
        UINT format = TextFormat(text);
        CRect rect = client;
        dc->DrawText(text, &rect, format);
        if (m_font3D) {
            dc->SetTextColor(m_hiliteColour);
            int shift = m_3DKind == 0 ? -1 : 1;
            rect.OffsetRect(shift, shift);
            dc->DrawText(text, &rect, format);
        }
    }
    dc->SetBkMode(oldMode);
    dc->SelectObject(oldFont);
    dc->SetTextColor(oldColour);
    if (oldBitmap) {
        paint.BitBlt(0, 0, client.Width(), client.Height(), &memory, 0, 0, SRCCOPY);
        memory.SelectObject(oldBitmap);
    }
}

// ---------------------------------------------------------------- mouse and timer

void CLabel::OnTimer(UINT_PTR)
{
    m_flashPhase = !m_flashPhase;
    RedrawLabel();
}

void CLabel::OnLButtonDown(UINT flags, CPoint point)
{
    if (m_notifyParent) {
        NMHDR header = { m_hWnd, static_cast<UINT_PTR>(GetDlgCtrlID()), NM_LABELCLICK };
        ::SendMessageA(::GetParent(m_hWnd), WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
    } else {
        CString text;
        GetWindowText(text);
        ::ShellExecuteA(nullptr, "open", text, nullptr, nullptr, SW_SHOWNORMAL);
    }
    CStatic::OnLButtonDown(flags, point);
}

BOOL CLabel::OnSetCursor(CWnd* wnd, UINT hitTest, UINT message)
{
    if (m_linkCursor) {
        ::SetCursor(m_linkCursor);
        return TRUE;
    }
    return CStatic::OnSetCursor(wnd, hitTest, message);
}

void CLabel::OnSysColorChange()
{
    ::DeleteObject(m_faceBrush);
    m_faceBrush = ::CreateSolidBrush(::GetSysColor(COLOR_BTNFACE));
    RedrawLabel();
}

void CLabel::OnMouseMove(UINT flags, CPoint point)
{
    if (!m_mouseTracked) {
        m_mouseTracked = TRUE;
        TrackMouse(TRUE, TRUE);
    }
    CStatic::OnMouseMove(flags, point);
}

void CLabel::TrackMouse(BOOL hover, BOOL leave)
{
    TRACKMOUSEEVENT track = { sizeof track, static_cast<DWORD>((hover ? TME_HOVER : 0) | (leave ? TME_LEAVE : 0)),
                              m_hWnd, 50 };
    ::TrackMouseEvent(&track);
}

LRESULT CLabel::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_MOUSEHOVER && m_hoverEffect) {
        SetFontUnderline(TRUE);
        m_savedTextColour = m_textColour;
        SetTextColor(m_hoverColour);
    } else if (message == WM_MOUSELEAVE) {
        m_mouseTracked = FALSE;
        if (m_hoverEffect) {
            SetFontUnderline(FALSE);
            SetTextColor(m_savedTextColour);
        }
    }
    return CStatic::WindowProc(message, wParam, lParam);
}

BOOL CLabel::PreTranslateMessage(MSG* msg)
{
    if (!m_tooltip.m_hWnd) {
        m_tooltip.Create(this);
        m_tooltip.Activate(FALSE);
        m_tooltip.SetMaxTipWidth(400);
    }
    m_tooltip.RelayEvent(msg);
    return CStatic::PreTranslateMessage(msg);
}
