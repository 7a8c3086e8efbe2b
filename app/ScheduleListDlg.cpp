#include "app/ScheduleListDlg.h"

#include "app/ScheduleJob.h"
#include "scheduling/ScheduledTask.h"

namespace {

const char kColumnSpec[] = "Task Description,230;Next Run Time,150;Last Run Time,150";

}  // namespace

BEGIN_MESSAGE_MAP(CScheduleListDlg, CDialog)
    ON_BN_CLICKED(IDC_SCHED_MODIFY, OnModify)
    ON_BN_CLICKED(IDC_SCHED_DELETE, OnDelete)
END_MESSAGE_MAP()

CScheduleListDlg::CScheduleListDlg(CWnd* parent) : CDialog(IDD, parent)
{
    m_deleteJob = [](const CString& jobName) { return DeleteTaskByName(jobName) == S_OK ? 1 : 0; };
}

void CScheduleListDlg::DoDataExchange(CDataExchange* dx)
{
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_SCHED_LIST, m_list);
}

BOOL CScheduleListDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_list.SetExtendedStyle(m_list.GetExtendedStyle() | LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    m_list.SetHeadings(kColumnSpec);
    m_list.LoadColumnInfo();
    m_list.AddItem(m_strDescription, m_strNextRun, m_strLastRun);
    return TRUE;
}

void CScheduleListDlg::OnModify()
{
    HRESULT result = TaskEdit(m_strJobName, m_hWnd);
    if (FAILED(result))
        MessageBox(ScheduleErrorText(result), nullptr, MB_OK | MB_ICONEXCLAMATION);
}

void CScheduleListDlg::OnDelete()
{
    if (m_list.GetItemCount() == 0 || !m_deleteJob || m_deleteJob(m_strJobName) != 1)
        return;   // the row stays with the job
    m_list.DeleteItem(0);
    // Nothing is left to change or delete.
    GetDlgItem(IDC_SCHED_MODIFY)->EnableWindow(FALSE);
    GetDlgItem(IDC_SCHED_DELETE)->EnableWindow(FALSE);
    GotoDlgCtrl(GetDlgItem(IDOK));
}
