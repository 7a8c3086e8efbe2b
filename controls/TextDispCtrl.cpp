#include "controls/TextDispCtrl.h"

namespace {

const char kClassName[] = "KestruneTextDisplay";

// The class is the program's for its whole run: registered at the first
// creation only.
bool RegisterTextDisplayClass()
{
    static const bool registered = [] {
        WNDCLASSA wc = {};
        wc.style = CS_HREDRAW | CS_VREDRAW;
        wc.lpfnWndProc = ::DefWindowProcA;
        wc.hInstance = AfxGetInstanceHandle();
        wc.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
        wc.lpszClassName = kClassName;
        WNDCLASSA existing;
        return ::GetClassInfoA(wc.hInstance, kClassName, &existing) || ::RegisterClassA(&wc);
    }();
    return registered;
}

// The text's rectangle inside the client area.
const int kMarginLeftTop = 5;
const int kMarginRightBottom = 10;

}  // namespace

BEGIN_MESSAGE_MAP(CTextDispCtrl, CWnd)
    ON_WM_PAINT()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CTextDispCtrl::~CTextDispCtrl()
{
    ReleasePicture();
}

BOOL CTextDispCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    if (!RegisterTextDisplayClass())
        return FALSE;
    if (!CWnd::CreateEx(WS_EX_CLIENTEDGE, kClassName, nullptr, style, rect, parent, id))
        return FALSE;

    GetClientRect(&m_clientRect);
    CClientDC windowDC(this);
    m_memDC = new CDC;
    CBrush background;
    bool made = m_memDC->CreateCompatibleDC(&windowDC) &&
                m_bitmap.CreateCompatibleBitmap(&windowDC, m_clientRect.Width(), m_clientRect.Height()) &&
                background.CreateSolidBrush(m_backColour);
    if (made) {
        m_memDCBitmap = ::SelectObject(m_memDC->m_hDC, m_bitmap.m_hObject);
        m_memDC->FillRect(&m_clientRect, &background);
        return TRUE;
    }
    DestroyWindow();   // releases what was made
    return FALSE;
}

void CTextDispCtrl::ReleasePicture()
{
    if (m_memDC) {
        if (m_memDCBitmap)
            ::SelectObject(m_memDC->m_hDC, m_memDCBitmap);
        delete m_memDC;
        m_memDC = nullptr;
    }
    m_memDCBitmap = nullptr;
    m_bitmap.DeleteObject();
}

void CTextDispCtrl::OnDestroy()
{
    ReleasePicture();
    CWnd::OnDestroy();
}

BOOL CTextDispCtrl::SetTextFont(const CString& faceName, int pointSizeTenths)
{
    m_font.DeleteObject();
    m_fontCreated = m_font.CreatePointFont(pointSizeTenths, faceName);
    return m_fontCreated;
}

void CTextDispCtrl::SetText(const CString& text)
{
    if (!m_memDC)
        return;
    m_memDC->SetTextColor(m_textColour);
    m_memDC->SetBkColor(m_backColour);
    m_memDC->FillSolidRect(&m_clientRect, m_backColour);
    CRect textRect(kMarginLeftTop, kMarginLeftTop, m_clientRect.Width() - kMarginRightBottom,
                   m_clientRect.Height() - kMarginRightBottom);
    HGDIOBJ previousFont = m_fontCreated ? ::SelectObject(m_memDC->m_hDC, m_font.m_hObject) : nullptr;
    m_memDC->DrawText(text, &textRect, DT_WORDBREAK);
    if (previousFont)
        ::SelectObject(m_memDC->m_hDC, previousFont);
    Invalidate(TRUE);
}

void CTextDispCtrl::OnPaint()
{
    CPaintDC dc(this);
    if (m_memDC)
        dc.BitBlt(0, 0, m_clientRect.Width(), m_clientRect.Height(), m_memDC, 0, 0, SRCCOPY);
}
