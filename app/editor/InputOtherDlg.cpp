#include "app/editor/InputOtherDlg.h"

#include "app/editor/InputRobotDlg.h"
#include "app/editor/StepCount.h"

BEGIN_MESSAGE_MAP(CInputOtherDlg, CDialog)
    ON_BN_CLICKED(IDC_WAIT_INSERT, OnAddWait)
    ON_BN_CLICKED(IDC_INPUT_TEXT_INSERT, OnAddInputText)
    ON_BN_CLICKED(IDC_TAG_INSERT, OnAddTag)
    ON_BN_CLICKED(IDC_SWITCH_TAG_INSERT, OnAddSwitchToTag)
    ON_BN_CLICKED(IDC_LOOP_START_INSERT, OnAddStartLoop)
    ON_BN_CLICKED(IDC_LOOP_END_INSERT, OnAddEndLoop)
END_MESSAGE_MAP()

void CInputOtherDlg::DoDataExchange(CDataExchange* dx)
{
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_INPUT_TEXT, m_inputTextEdit);
    DDX_Control(dx, IDC_TAG, m_tagEdit);
    DDX_Control(dx, IDC_SWITCH_TAG, m_switchTagCombo);
    DDX_Control(dx, IDC_WAIT_UNIT, m_unitCombo);
    DDX_Control(dx, IDC_WAIT_SPIN, m_waitSpin);
    DDX_Control(dx, IDC_WAIT_VALUE, m_waitEdit);
    DDX_Control(dx, IDC_LOOP_SPIN, m_loopSpin);
    DDX_Control(dx, IDC_LOOP_COUNT, m_loopCountEdit);
}

BOOL CInputOtherDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetUpCount(m_waitSpin, m_waitEdit, 9999);
    for (const char* unit : { "milliseconds", "seconds", "minutes" })
        m_unitCombo.AddString(unit);
    m_unitCombo.SetCurSel(0);
    SetUpCount(m_loopSpin, m_loopCountEdit, 9999);
    return TRUE;
}

void CInputOtherDlg::OnAddWait()
{
    CString unit;
    m_unitCombo.GetLBText(m_unitCombo.GetCurSel(), unit);
    CString line;
    line.Format("Wait %d ", static_cast<int>(m_waitEdit.GetValue()));
    m_editor->AddStepLine(line + unit);
}

void CInputOtherDlg::OnAddInputText()
{
    CString text;
    m_inputTextEdit.GetWindowText(text);
    if (!text.IsEmpty())
        m_editor->AddStepLine("Input text " + text);
}

// The tag is offered in the switch-to-tag box once, whatever its case.
void CInputOtherDlg::OnAddTag()
{
    CString tag;
    m_tagEdit.GetWindowText(tag);
    if (tag.IsEmpty())
        return;
    if (m_switchTagCombo.FindStringExact(-1, tag) == CB_ERR)
        m_switchTagCombo.AddString(tag);
    m_editor->AddStepLine("TAG " + tag);
}

void CInputOtherDlg::OnAddSwitchToTag()
{
    CString tag;
    m_switchTagCombo.GetWindowText(tag);
    if (!tag.IsEmpty())
        m_editor->AddStepLine("Switch to TAG " + tag);
}

// The loop's number names its counter in the script, so each loop started
// in this opening of the editor gets the next one.
void CInputOtherDlg::OnAddStartLoop()
{
    CString line;
    line.Format("Start loop%d, loop %d times", ++m_loopCounter, static_cast<int>(m_loopCountEdit.GetValue()));
    m_editor->AddStepLine(line);
}

void CInputOtherDlg::OnAddEndLoop()
{
    m_editor->AddStepLine("End loop block");
}
