#include "app/editor/ColorPickerDlg.h"

#include <commdlg.h>

namespace {

const COLORREF kTransparent = RGB(255, 255, 255);   // of the pick icon

// The standard colour dialog's custom colours, kept while the program runs.
COLORREF g_customColors[16];

}  // namespace

BEGIN_MESSAGE_MAP(CColorPickerDlg, CDialog)
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_BN_CLICKED(IDC_PICK_STANDARD, OnGetStandardColor)
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

void CColorPickerDlg::DoDataExchange(CDataExchange* dx)
{
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_PICK_SWATCH, m_swatch);
    DDX_Control(dx, IDC_PICK_POSITION, m_positionEdit);
    DDX_Check(dx, IDC_PICK_ADD_POSITION, m_addPosition);
}

BOOL CColorPickerDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_pickIcon.SubclassControl(IDC_PICK_ICON, this);
    m_pickIcon.LoadBitmap(IDB_PICK_COLOR, -1, kTransparent);
    m_pickIcon.SetLayoutFlags(CImageStatic::AlignCentre | CImageStatic::AlignMiddle);
    m_pickCursor = AfxGetApp()->LoadCursor(IDC_PICK_CURSOR);
    return TRUE;
}

// The icon is a plain static, so a press on it comes to the dialog.
void CColorPickerDlg::OnLButtonDown(UINT flags, CPoint point)
{
    CWnd* child = ChildWindowFromPoint(point);
    if (child && child->m_hWnd == m_pickIcon.m_hWnd) {
        SetCapture();
        ::SetCursor(m_pickCursor);
        m_capturing = 1;
    }
    CDialog::OnLButtonDown(flags, point);
}

void CColorPickerDlg::OnMouseMove(UINT flags, CPoint point)
{
    if (m_capturing) {
        POINT screen = point;
        ClientToScreen(&screen);
        HDC desktop = ::GetDC(nullptr);
        const COLORREF colour = ::GetPixel(desktop, screen.x, screen.y);
        ::ReleaseDC(nullptr, desktop);
        // Off every screen there is no colour: the last one stays.
        if (colour != CLR_INVALID) {
            m_color = colour;
            ShowColor();
        }
        CString position;
        position.Format("%d, %d", screen.x, screen.y);
        m_positionEdit.SetWindowText(position);
        m_pickedX = screen.x;
        m_pickedY = screen.y;
    }
    CDialog::OnMouseMove(flags, point);
}

void CColorPickerDlg::OnLButtonUp(UINT flags, CPoint point)
{
    if (m_capturing)
        EndPick();
    CDialog::OnLButtonUp(flags, point);
}

void CColorPickerDlg::EndPick()
{
    ::ReleaseCapture();
    m_capturing = 0;
    ::SetCursor(::LoadCursorA(nullptr, IDC_ARROW));
}

// Escape during a drag ends the drag, not the dialog.
BOOL CColorPickerDlg::PreTranslateMessage(MSG* msg)
{
    if (m_capturing && msg->message == WM_KEYDOWN && msg->wParam == VK_ESCAPE) {
        EndPick();
        return TRUE;
    }
    return CDialog::PreTranslateMessage(msg);
}

void CColorPickerDlg::OnGetStandardColor()
{
    CHOOSECOLORA choose = {};
    choose.lStructSize = sizeof choose;
    choose.hwndOwner = m_hWnd;
    choose.rgbResult = m_color;
    choose.lpCustColors = g_customColors;
    choose.Flags = CC_FULLOPEN | CC_ANYCOLOR | CC_RGBINIT;
    if (::ChooseColorA(&choose)) {
        m_color = choose.rgbResult;
        ShowColor();
    }
}

void CColorPickerDlg::ShowColor()
{
    m_swatchBrush.DeleteObject();
    m_swatchBrush.CreateSolidBrush(m_color);
    m_swatch.Invalidate();
    m_swatch.UpdateWindow();
    CString text;
    text.Format("%u,%u,%u", GetRValue(m_color), GetGValue(m_color), GetBValue(m_color));
    SetDlgItemText(IDC_PICK_RGB, text);
    text.Format("%02X%02X%02X", GetRValue(m_color), GetGValue(m_color), GetBValue(m_color));
    SetDlgItemText(IDC_PICK_HEX, text);
}

// The swatch is painted in the colour, once there is one.
HBRUSH CColorPickerDlg::OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor)
{
    if (wnd && wnd->m_hWnd == m_swatch.m_hWnd && m_swatchBrush.GetSafeHandle())
        return static_cast<HBRUSH>(m_swatchBrush.GetSafeHandle());
    return CDialog::OnCtlColor(dc, wnd, ctlColor);
}
