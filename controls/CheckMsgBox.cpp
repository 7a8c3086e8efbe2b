#include "controls/CheckMsgBox.h"

BEGIN_MESSAGE_MAP(CCheckMsgBox, CDialog)
    ON_BN_CLICKED(IDYES, OnYes)
    ON_BN_CLICKED(IDNO, OnNo)
END_MESSAGE_MAP()

CCheckMsgBox::CCheckMsgBox(CWnd* parent) : CDialog(IDD_CHECK_MSGBOX, parent)
{
}

void CCheckMsgBox::DoDataExchange(CDataExchange* dx)
{
    DDX_Control(dx, IDC_CHECK_MSG_TEXT, m_messageText);
    DDX_Control(dx, IDC_CHECK_MSG_DONT_SHOW, m_dontShowAgain);
}

BOOL CCheckMsgBox::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_messageText.SetWindowText(m_message);
    SendDlgItemMessage(IDC_CHECK_MSG_ICON, STM_SETICON, reinterpret_cast<WPARAM>(::LoadIconA(nullptr, IDI_QUESTION)));
    return TRUE;
}

void CCheckMsgBox::OnYes()
{
    m_check = m_dontShowAgain.GetCheck() == BST_CHECKED;
    m_answer = 1;
    EndDialog(IDOK);
}

void CCheckMsgBox::OnNo()
{
    m_check = m_dontShowAgain.GetCheck() == BST_CHECKED;
    m_answer = 0;
    EndDialog(IDCANCEL);
}
