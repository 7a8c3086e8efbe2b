// CScheduledTask: one job (work item) of the Task Scheduler as a value: the
// program it starts with its parameters and folder, the account, comment,
// flags, priority and run limits, and its triggers in order. SaveTask
// stores it as a job; the run-time, status and trigger-text queries read
// the job of that name back from the scheduler (only for a task that
// stands for an existing job, one made by LoadScheduledTask).
//
// JobName is the job's file name, as the scheduler lists it
// ("BrenvikKestrune_Daily report.job"); the calls take it without ".job".
#pragma once

#include "framework/Collections.h"
#include "framework/String.h"

#include <windows.h>
#include <mstask.h>

#include <string>

class CScheduledTask
{
public:
    CScheduledTask();
    CScheduledTask(const CString& jobName, int valid);
    CScheduledTask(const CScheduledTask& other);
    CScheduledTask& operator=(const CScheduledTask& other);
    virtual ~CScheduledTask();

    // Every field back to its default, no triggers.
    void Reset();

    void SetApplicationName(const CString& name) { m_applicationName = name; }
    void SetParameters(const CString& parameters) { m_parameters = parameters; }
    void SetWorkingDirectory(const CString& folder) { m_workingDirectory = folder; }
    void SetAccountName(const CString& account) { m_accountName = account; }
    void SetPassword(const CString& password) { m_password = password; }
    void SetComment(const CString& comment) { m_comment = comment; }
    void SetFlags(DWORD flags) { m_flags = flags; }
    DWORD GetFlags() const { return m_flags; }
    void SetPriority(DWORD priority) { m_priority = priority; }
    void SetMaxRunTime(DWORD milliseconds) { m_maxRunTime = milliseconds; }
    void SetIdleWait(WORD idleMinutes, WORD deadlineMinutes)
    {
        m_idleMinutes = idleMinutes;
        m_deadlineMinutes = deadlineMinutes;
    }
    void AddTrigger(const TASK_TRIGGER& trigger) { m_triggers.AddTail(trigger); }

    int IsValid() const { return m_valid; }
    CString GetJobName() const { return m_jobName; }
    CString GetApplicationName() const { return m_applicationName; }
    CString GetParameters() const { return m_parameters; }
    CString GetWorkingDirectory() const { return m_workingDirectory; }
    CString GetAccountName() const { return m_accountName; }
    CString GetComment() const { return m_comment; }
    DWORD GetPriority() const { return m_priority; }
    DWORD GetMaxRunTime() const { return m_maxRunTime; }
    int GetTriggerCount() const { return static_cast<int>(m_triggers.GetCount()); }
    // The caller keeps the index below the count.
    TASK_TRIGGER GetTrigger(int index) const { return m_triggers.GetAt(m_triggers.FindIndex(index)); }

    // Saves the task as the job `name`: 0 on success, else the failing
    // call's HRESULT (E_FAIL without a name or a program). An existing job of
    // that name is replaced, or with `failIfExists` left alone (0x80070050).
    // Without an account name, the job runs as the current user while that
    // user is logged on, unless `useGivenAccount` asks for no account at all.
    HRESULT SaveTask(LPCSTR name, BOOL failIfExists, BOOL useGivenAccount);

    // The job's next and most recent run times; all zero when the task
    // stands for no job or the scheduler gives none.
    SYSTEMTIME TaskGetNextRunTime() const;
    SYSTEMTIME TaskGetLastRunTime() const;
    // The job's status (SCHED_S_TASK_READY, ...) into `status`; returns the
    // HRESULT of the query.
    HRESULT TaskGetStatus(HRESULT& status) const;
    // The scheduler's own description of a trigger; "" when there is none.
    CString GetTriggerString(int index) const;

private:
    friend CScheduledTask LoadScheduledTask(LPCWSTR jobName);

    enum RunTime { NextRun, LastRun };
    SYSTEMTIME TaskGetRunTime(RunTime which) const;
    HRESULT SaveTo(ITaskScheduler* scheduler, const std::wstring& item, BOOL failIfExists, BOOL useGivenAccount);
    HRESULT WriteSettings(ITask* task, BOOL useGivenAccount);
    HRESULT WriteTriggers(ITask* task) const;

    int m_valid = 0;
    CString m_jobName;
    CString m_applicationName;
    CString m_parameters;
    CString m_workingDirectory;
    CString m_accountName;
    CString m_password;
    CString m_comment;
    DWORD m_flags = 0;
    DWORD m_priority = 0;
    DWORD m_maxRunTime = 0;
    WORD m_idleMinutes = 0;
    WORD m_deadlineMinutes = 0;
    CList<TASK_TRIGGER> m_triggers;
    int m_isNT = 0;
};

// Operations on a job given by its file name.
// Opens the scheduler's own property sheet of the job.
HRESULT TaskEdit(LPCSTR jobName, HWND parent);
// Deletes the job: 0 on success, E_FAIL for an empty name.
HRESULT TaskDelete(LPCSTR jobName);
HRESULT DeleteTaskByName(const CString& jobName);
// The job read back from the scheduler; a field the scheduler cannot give
// stays at its default, and a job that cannot be opened gives a task with
// only its name (and Valid) set.
CScheduledTask LoadScheduledTask(LPCWSTR jobName);
CScheduledTask LoadScheduledTask(const CString& jobName);
