// CTaskScheduler: the jobs of the Task Scheduler that start one program,
// read back as CScheduledTask values. The main window keeps one and
// refills it each time it looks for a macro's job.
#pragma once

#include "scheduling/ScheduledTask.h"

class CTaskScheduler
{
public:
    CTaskScheduler() = default;
    virtual ~CTaskScheduler() = default;

    // Refills the list with the jobs whose program is `programPath` (letter
    // case aside); 1 when the scheduler listed any job at all, else 0.
    int EnumerateTasks(const CString& programPath);
    int GetTaskCount() const { return static_cast<int>(m_tasks.GetCount()); }
    // A copy of a listed task; the caller keeps the index below the count.
    CScheduledTask GetTask(int index) const { return m_tasks.GetAt(m_tasks.FindIndex(index)); }

private:
    CList<CScheduledTask> m_tasks;
};
