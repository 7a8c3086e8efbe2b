// The main window's Schedule command: the selected macro's job is shown in
// the schedule list when the Task Scheduler holds one, and the schedule
// wizard makes one otherwise.
#include "app/PandrelDlg.h"

#include "app/ScheduleJob.h"
#include "app/ScheduleListDlg.h"
#include "app/ScheduleRobotDlg.h"

void CPandrelDlg::OnSchedule()
{
    const int row = GetSelectedRow();
    if (row < 0) {
        MessageBox("No macro selected! Please select a macro from list above to run.", nullptr, MB_OK);
        return;
    }
    const CString name = m_macroList.GetItemText(row, 1);
    if (name.IsEmpty())
        return;

    char program[260] = {};
    ::GetModuleFileNameA(nullptr, program, sizeof program);
    m_taskScheduler.EnumerateTasks(program);

    for (int i = 0; i < m_taskScheduler.GetTaskCount(); ++i) {
        const CScheduledTask task = m_taskScheduler.GetTask(i);
        if (!ParametersRunMacro(task.GetParameters(), name))
            continue;
        CScheduleListDlg list;
        list.m_strDescription = task.GetTriggerString(0);
        list.m_strLastRun = RunTimeText(task.TaskGetLastRunTime());
        list.m_strNextRun = NextRunText(list.m_strDescription, task.TaskGetNextRunTime());
        list.m_strJobName = task.GetJobName();
        list.m_deleteJob = [this](const CString& jobName) { return DeleteScheduledTask(jobName); };
        list.DoModal();
        return;
    }

    CScheduleRobotDlg wizard;
    wizard.m_strMacroName = name;
    wizard.DoModal();
}

int CPandrelDlg::DeleteScheduledTask(const CString& jobName)
{
    return DeleteTaskByName(jobName) == S_OK ? 1 : 0;
}
