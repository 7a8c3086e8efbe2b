// CScheduleListDlg: the schedule list (template 196), the one job of a
// macro with its description and its next and last run times. Modify opens
// the scheduler's own property sheet of the job; Delete deletes the job and
// its row.
#pragma once

#include "controls/SortListCtrl.h"
#include "framework/Ui.h"
#include "res/resource.h"

#include <functional>

class CScheduleListDlg : public CDialog
{
public:
    enum { IDD = IDD_SCHEDULE_LIST };

    explicit CScheduleListDlg(CWnd* parent = nullptr);

    // Set before the list runs.
    CString m_strDescription;
    CString m_strLastRun;
    CString m_strNextRun;
    CString m_strJobName;
    // Deletes the job of that name: 1 when it is gone. By default the
    // scheduler's deletion; the main window puts its own in place.
    std::function<int(const CString& jobName)> m_deleteJob;

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;

    afx_msg void OnModify();
    afx_msg void OnDelete();

    DECLARE_MESSAGE_MAP()

private:
    CSortListCtrl m_list;
};
