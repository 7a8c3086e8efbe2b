#include "app/editor/RobotRepeatOption.h"

#include "app/editor/MacroChecks.h"
#include "app/editor/StepCount.h"

#include "macro/NumberText.h"

void CRobotRepeatOption::DoDataExchange(CDataExchange* dx)
{
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_REPEAT_COUNT, m_countEdit);
    DDX_Control(dx, IDC_REPEAT_SPIN, m_countSpin);
    DDX_Radio(dx, IDC_REPEAT_TIMES_RADIO, m_nOption);
}

BOOL CRobotRepeatOption::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetUpCount(m_countSpin, m_countEdit, kMaxRepeatCount);
    return TRUE;
}

void CRobotRepeatOption::OnOK()
{
    CString text;
    m_countEdit.GetWindowText(text);
    // The leading digits; an empty box or a "0" would never run the macro.
    m_nCount = ClampRepeatCount(StringToInt(text));
    CDialog::OnOK();
}
