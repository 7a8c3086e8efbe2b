#include "app/editor/RobotRepeatOption.h"

#include "app/editor/MacroChecks.h"

#include <stdlib.h>

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
    m_countSpin.SetBuddy(&m_countEdit);
    m_countSpin.SetRange(kMinRepeatCount, kMaxRepeatCount);
    m_countSpin.SetPos(1);
    m_countSpin.SetDelta(1);
    return TRUE;
}

void CRobotRepeatOption::OnOK()
{
    CString text;
    m_countEdit.GetWindowText(text);
    // The leading digits; an empty box or a "0" would never run the macro.
    m_nCount = ClampRepeatCount(static_cast<int>(strtol(text, nullptr, 10)));
    CDialog::OnOK();
}
