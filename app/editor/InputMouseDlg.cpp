#include "app/editor/InputMouseDlg.h"

#include "app/editor/HotKeySpec.h"
#include "app/editor/InputRobotDlg.h"
#include "app/editor/MouseMovePathMesure.h"
#include "app/editor/StepCount.h"
#include "app/editor/StepLinks.h"
#include "macro/NumberText.h"

namespace {

const char kCaptureKey[] = "^!p";   // Ctrl+Alt+P: the cursor into X and Y

}  // namespace

BEGIN_MESSAGE_MAP(CInputMouseDlg, CDialog)
    ON_WM_TIMER()
    ON_WM_HOTKEY()
    ON_WM_DESTROY()
    ON_BN_CLICKED(IDC_MOUSE_CLICK_INSERT, OnInsertClick)
    ON_BN_CLICKED(IDC_MOUSE_MOVE_INSERT, OnInsertMove)
    ON_BN_CLICKED(IDC_MOUSE_RELATIVE_INSERT, OnInsertRelativeMove)
    ON_NOTIFY(NM_LABELCLICK, IDC_MOUSE_HELP, OnHelpLink)
    ON_NOTIFY(NM_LABELCLICK, IDC_MOUSE_MEASURE, OnMeasureLink)
END_MESSAGE_MAP()

void CInputMouseDlg::DoDataExchange(CDataExchange* dx)
{
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_MOUSE_Y, m_yEdit);
    DDX_Control(dx, IDC_MOUSE_X, m_xEdit);
    DDX_Control(dx, IDC_MOUSE_CY, m_cyEdit);
    DDX_Control(dx, IDC_MOUSE_CX, m_cxEdit);
    DDX_Control(dx, IDC_MOUSE_KIND, m_kindCombo);
    DDX_Control(dx, IDC_MOUSE_SPIN, m_countSpin);
    DDX_Control(dx, IDC_MOUSE_COUNT, m_countEdit);
    DDX_Control(dx, IDC_MOUSE_HELP, m_helpLink);
    DDX_Control(dx, IDC_MOUSE_MEASURE, m_measureLink);
}

BOOL CInputMouseDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetUpCount(m_countSpin, m_countEdit, 999999);
    for (const char* kind : { "Left Click", "Right Click", "Double Click", "Left Down", "Left Up", "Right Down",
                              "Right Up" })
        m_kindCombo.AddString(kind);
    m_kindCombo.SetCurSel(0);
    for (CEdit* edit : { &m_xEdit, &m_yEdit, &m_cxEdit, &m_cyEdit })
        edit->SetWindowText("0");
    StyleStepLink(m_helpLink);
    StyleStepLink(m_measureLink);
    StartCursorTimer();
    RegisterHotKeySpec(m_hWnd, kCaptureKey);
    return TRUE;
}

void CInputMouseDlg::StartCursorTimer()
{
    if (!m_timer)
        m_timer = SetTimer(IDT_CURSOR, 100);
}

void CInputMouseDlg::OnTimer(UINT_PTR id)
{
    if (id != IDT_CURSOR) {
        Default();
        return;
    }
    POINT cursor = {};
    ::GetCursorPos(&cursor);
    m_cursorX = IntToText(cursor.x);
    m_cursorY = IntToText(cursor.y);
    SetDlgItemText(IDC_CURSOR_X, m_cursorX);
    SetDlgItemText(IDC_CURSOR_Y, m_cursorY);
}

// The point shown, not a new reading: what the user saw is what goes in.
void CInputMouseDlg::OnHotKey(UINT identifier, UINT, UINT)
{
    if (!HotKeySpecMatches(identifier, kCaptureKey))
        return;
    m_xEdit.SetWindowText(m_cursorX);
    m_yEdit.SetWindowText(m_cursorY);
}

void CInputMouseDlg::OnDestroy()
{
    if (m_timer)
        KillTimer(m_timer);
    m_timer = 0;
    UnregisterHotKeySpec(m_hWnd, kCaptureKey);
    CDialog::OnDestroy();
}

void CInputMouseDlg::OnInsertClick()
{
    CString kind;
    m_kindCombo.GetLBText(m_kindCombo.GetCurSel(), kind);
    m_editor->AddStepLine("Mouse " + kind + CountSuffix(m_countEdit));
}

void CInputMouseDlg::OnInsertMove()
{
    CString x, y;
    m_xEdit.GetWindowText(x);
    m_yEdit.GetWindowText(y);
    m_editor->AddStepLine("Mouse move to " + x + ", " + y);
}

void CInputMouseDlg::OnInsertRelativeMove()
{
    CString cx, cy;
    m_cxEdit.GetWindowText(cx);
    m_cyEdit.GetWindowText(cy);
    m_editor->AddStepLine("Relative mouse move " + cx + ", " + cy);
}

void CInputMouseDlg::OnHelpLink(NMHDR*, LRESULT* result)
{
    *result = 0;
    OpenStepHelp(this, "#how_Q18");
}

void CInputMouseDlg::OnMeasureLink(NMHDR*, LRESULT* result)
{
    *result = 0;
    if (m_timer)
        KillTimer(m_timer);
    m_timer = 0;
    CMouseMovePathMesure measure(this);
    if (measure.DoModal() == IDOK) {
        m_cxEdit.SetWindowText(IntToText(measure.GetDeltaX()));
        m_cyEdit.SetWindowText(IntToText(measure.GetDeltaY()));
    }
    StartCursorTimer();
}
