#include "app/editor/InputKeyDlg.h"

#include "app/editor/InputRobotDlg.h"
#include "app/editor/StepCount.h"

BEGIN_MESSAGE_MAP(CInputKeyDlg, CDialog)
    ON_BN_CLICKED(IDC_KEY_INSERT, OnInsert)
END_MESSAGE_MAP()

void CInputKeyDlg::DoDataExchange(CDataExchange* dx)
{
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_KEY_BOX, m_keyBox);
    DDX_Control(dx, IDC_KEY_KIND, m_kindCombo);
    DDX_Control(dx, IDC_KEY_SPIN, m_countSpin);
    DDX_Control(dx, IDC_KEY_COUNT, m_countEdit);
}

BOOL CInputKeyDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetUpCount(m_countSpin, m_countEdit, 9999999);
    for (const char* kind : { "Key Press", "Key Down", "Key Up" })
        m_kindCombo.AddString(kind);
    m_kindCombo.SetCurSel(0);
    return TRUE;
}

void CInputKeyDlg::OnInsert()
{
    CString key;
    m_keyBox.GetWindowText(key);
    if (key.IsEmpty())
        return;
    CString kind;
    m_kindCombo.GetLBText(m_kindCombo.GetCurSel(), kind);
    m_editor->AddStepLine(kind + " " + key + CountSuffix(m_countEdit));
}
