#include "app/editor/MouseMovePathMesure.h"

#include "app/editor/HotKeySpec.h"

namespace {

const char kPoint1Key[] = "^!1";
const char kPoint2Key[] = "^!2";

// "( 120, -35 )"
CString PairText(int a, int b)
{
    CString text;
    text.Format("( %d, %d )", a, b);
    return text;
}

}  // namespace

BEGIN_MESSAGE_MAP(CMouseMovePathMesure, CDialog)
    ON_WM_TIMER()
    ON_WM_HOTKEY()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

void CMouseMovePathMesure::DoDataExchange(CDataExchange* dx)
{
    CDialog::DoDataExchange(dx);
    DDX_Text(dx, IDC_POINT1, m_point1Text);
    DDX_Text(dx, IDC_POINT2, m_point2Text);
    DDX_Text(dx, IDC_RELATIVE_MOVE, m_relativeText);
}

BOOL CMouseMovePathMesure::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (!m_timer)
        m_timer = SetTimer(IDT_CURSOR, 100);
    RegisterHotKeySpec(m_hWnd, kPoint1Key);
    RegisterHotKeySpec(m_hWnd, kPoint2Key);
    return TRUE;
}

void CMouseMovePathMesure::ShowTexts()
{
    SetDlgItemText(IDC_POINT1, m_point1Text);
    SetDlgItemText(IDC_POINT2, m_point2Text);
    SetDlgItemText(IDC_RELATIVE_MOVE, m_relativeText);
}

// While a point is not stored, the cursor stands in for it.
void CMouseMovePathMesure::OnTimer(UINT_PTR id)
{
    if (id != IDT_CURSOR) {
        Default();
        return;
    }
    POINT cursor = {};
    ::GetCursorPos(&cursor);
    int x1 = m_x1, y1 = m_y1, x2 = m_x2, y2 = m_y2;
    if (!m_point1Stored) {
        x1 = cursor.x;
        y1 = cursor.y;
        m_point1Text = PairText(x1, y1);
    }
    if (!m_point2Stored) {
        x2 = cursor.x;
        y2 = cursor.y;
        m_point2Text = PairText(x2, y2);
    }
    if (!m_point1Stored || !m_point2Stored)
        m_relativeText = PairText(x2 - x1, y2 - y1);
    ShowTexts();
}

void CMouseMovePathMesure::StorePoint(int which)
{
    POINT cursor = {};
    ::GetCursorPos(&cursor);
    if (which == 1) {
        m_x1 = cursor.x;
        m_y1 = cursor.y;
        m_point1Text = PairText(m_x1, m_y1);
        m_point1Stored = TRUE;
    } else {
        m_x2 = cursor.x;
        m_y2 = cursor.y;
        m_point2Text = PairText(m_x2, m_y2);
        m_point2Stored = TRUE;
    }
    if (m_point1Stored && m_point2Stored)
        m_relativeText = PairText(m_x2 - m_x1, m_y2 - m_y1);
    ShowTexts();
}

void CMouseMovePathMesure::OnHotKey(UINT identifier, UINT, UINT)
{
    if (HotKeySpecMatches(identifier, kPoint1Key))
        StorePoint(1);
    else if (HotKeySpecMatches(identifier, kPoint2Key))
        StorePoint(2);
}

void CMouseMovePathMesure::OnDestroy()
{
    UnregisterHotKeySpec(m_hWnd, kPoint1Key);
    UnregisterHotKeySpec(m_hWnd, kPoint2Key);
    if (m_timer)
        KillTimer(m_timer);
    m_timer = 0;
    CDialog::OnDestroy();
}
