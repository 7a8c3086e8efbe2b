#include "app/editor/InputAdvanceDlg.h"

#include "app/editor/ColorPickerDlg.h"
#include "app/editor/HotKeySpec.h"
#include "app/editor/InputRobotDlg.h"
#include "app/editor/StepLinks.h"
#include "macro/NumberText.h"

namespace {

const char kCaptureKey[] = "^!c";   // Ctrl+Alt+C: the cursor into X and Y

// The colours offered at first, each put at the top in turn, so the box
// lists them from the last up.
const COLORREF kPresets[] = { RGB(0, 0, 0), RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), RGB(255, 255, 255) };

// The compare kinds, by their index in the compare box, and their words in
// the step line. "Unqual" is spelled as the step lines have always read it:
// the line reader (macro/ActionText.cpp) looks for exactly that word.
const char* const kCompareKinds[] = { "equal", "not equal", "approx" };
const char* const kCompareWords[] = { "Equal to #", "Unqual to #", "Approximately equal to #" };

}  // namespace

BEGIN_MESSAGE_MAP(CInputAdvanceDlg, CDialog)
    ON_BN_CLICKED(IDC_COLOR_UNDER_MOUSE, OnPointKindClicked)
    ON_BN_CLICKED(IDC_COLOR_AT_POINT, OnPointKindClicked)
    ON_WM_TIMER()
    ON_WM_HOTKEY()
    ON_WM_DESTROY()
    ON_NOTIFY(NM_LABELCLICK, IDC_COLOR_GET, OnGetColor)
    ON_NOTIFY(NM_LABELCLICK, IDC_COLOR_HELP, OnHelpLink)
    ON_BN_CLICKED(IDC_COLOR_INSERT, OnAddColorCondition)
END_MESSAGE_MAP()

void CInputAdvanceDlg::DoDataExchange(CDataExchange* dx)
{
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_COLOR_COMPARE, m_compareCombo);
    DDX_Control(dx, IDC_COLOR_COMBO, m_colorCombo);
    DDX_Control(dx, IDC_COLOR_POINT_Y, m_yEdit);
    DDX_Control(dx, IDC_COLOR_POINT_X, m_xEdit);
    DDX_Control(dx, IDC_COLOR_GET, m_getColorLink);
    DDX_Control(dx, IDC_COLOR_HELP, m_helpLink);
}

BOOL CInputAdvanceDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_xEdit.SetWindowText("0");
    m_yEdit.SetWindowText("0");
    CheckRadioButton(IDC_COLOR_UNDER_MOUSE, IDC_COLOR_AT_POINT, IDC_COLOR_UNDER_MOUSE);
    EnablePointEdits();
    for (const char* kind : kCompareKinds)
        m_compareCombo.AddString(kind);
    m_compareCombo.SetCurSel(0);
    StyleStepLink(m_getColorLink);
    StyleStepLink(m_helpLink);
    for (COLORREF preset : kPresets)
        InsertColor(preset);
    m_colorCombo.SetCurSel(0);
    StartCursorTimer();
    RegisterHotKeySpec(m_hWnd, kCaptureKey);
    return TRUE;
}

void CInputAdvanceDlg::InsertColor(COLORREF colour)
{
    CString text;
    text.Format("%02X%02X%02X", GetRValue(colour), GetGValue(colour), GetBValue(colour));
    m_colorCombo.InsertString(0, text);
    m_colorCombo.SetItemData(0, colour);
}

void CInputAdvanceDlg::EnablePointEdits()
{
    const BOOL fixedPoint = IsDlgButtonChecked(IDC_COLOR_AT_POINT) == BST_CHECKED;
    m_xEdit.EnableWindow(fixedPoint);
    m_yEdit.EnableWindow(fixedPoint);
}

void CInputAdvanceDlg::OnPointKindClicked()
{
    EnablePointEdits();
}

void CInputAdvanceDlg::StartCursorTimer()
{
    if (!m_timer)
        m_timer = SetTimer(IDT_CURSOR, 100);
}

void CInputAdvanceDlg::OnTimer(UINT_PTR id)
{
    if (id != IDT_CURSOR) {
        Default();
        return;
    }
    POINT cursor = {};
    ::GetCursorPos(&cursor);
    m_cursorX = "X : " + IntToText(cursor.x);
    m_cursorY = "Y : " + IntToText(cursor.y);
    SetDlgItemText(IDC_COLOR_CURSOR_X, m_cursorX);
    SetDlgItemText(IDC_COLOR_CURSOR_Y, m_cursorY);
}

// The point where the cursor is now; the kind of point stays as chosen.
void CInputAdvanceDlg::OnHotKey(UINT identifier, UINT, UINT)
{
    if (!HotKeySpecMatches(identifier, kCaptureKey))
        return;
    POINT cursor = {};
    ::GetCursorPos(&cursor);
    m_xEdit.SetWindowText(IntToText(cursor.x));
    m_yEdit.SetWindowText(IntToText(cursor.y));
}

void CInputAdvanceDlg::OnDestroy()
{
    if (m_timer)
        KillTimer(m_timer);
    m_timer = 0;
    UnregisterHotKeySpec(m_hWnd, kCaptureKey);
    CDialog::OnDestroy();
}

void CInputAdvanceDlg::OnGetColor(NMHDR*, LRESULT* result)
{
    *result = 0;
    if (m_timer)
        KillTimer(m_timer);
    m_timer = 0;
    CColorPickerDlg picker(this);
    if (picker.DoModal() == IDOK) {
        InsertColor(picker.GetColor());
        m_colorCombo.SetCurSel(0);
        if (picker.GetAddPosition()) {
            const POINT point = picker.GetPickedPoint();
            m_xEdit.SetWindowText(IntToText(point.x));
            m_yEdit.SetWindowText(IntToText(point.y));
            CheckRadioButton(IDC_COLOR_UNDER_MOUSE, IDC_COLOR_AT_POINT, IDC_COLOR_AT_POINT);
            EnablePointEdits();
        }
    }
    StartCursorTimer();
}

void CInputAdvanceDlg::OnHelpLink(NMHDR*, LRESULT* result)
{
    *result = 0;
    OpenStepHelp(this, "#how_Q22");
}

// The condition, then "Else" and "EndIf": inserted one after another, they
// stand together above the selected step.
void CInputAdvanceDlg::OnAddColorCondition()
{
    CString line;
    if (IsDlgButtonChecked(IDC_COLOR_AT_POINT) == BST_CHECKED) {
        CString x, y;
        m_xEdit.GetWindowText(x);
        m_yEdit.GetWindowText(y);
        line = "If color at (" + x + ", " + y + ") ";
    } else {
        line = "If color at mouse point ";
    }
    const int compare = m_compareCombo.GetCurSel();
    line += kCompareWords[compare == 0 || compare == 1 ? compare : 2];
    CString colour;
    m_colorCombo.GetWindowText(colour);
    m_editor->AddStepLine(line + colour + ", Then");
    m_editor->AddStepLine("Else");
    m_editor->AddStepLine("EndIf");
}
