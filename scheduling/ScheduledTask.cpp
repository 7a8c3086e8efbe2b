#include "scheduling/ScheduledTask.h"

#include "scheduling/ComSupport.h"
#include "scheduling/SchedulerObject.h"

namespace {

const DWORD kDefaultFlags = TASK_FLAG_DONT_START_IF_ON_BATTERIES | TASK_FLAG_KILL_IF_GOING_ON_BATTERIES;
const HRESULT kJobExists = HRESULT_FROM_WIN32(ERROR_FILE_EXISTS);   // 0x80070050

const char kActivateFailed[] = "Failed calling ITaskScheduler::Activate; error = 0x%x\n";

bool IsNTPlatform()
{
    return (::GetVersion() & 0x80000000u) == 0;
}

// COM for the calling thread, a new scheduler object and, when a job is
// named, that job opened on it: held together while the caller uses them and
// released in the reverse order. `Result` is the first failure, else success.
struct SchedulerSession
{
    explicit SchedulerSession(LPCSTR jobName = nullptr) : Result(Com.Result())
    {
        if (FAILED(Result))
            return;
        Result = CreateTaskSchedulerObject(Scheduler.Out());
        if (FAILED(Result) || !jobName)
            return;
        Result = Scheduler->Activate(ItemNameOf(jobName).c_str(), IID_ITask, Task.OutUnknown());
        if (FAILED(Result))
            ReportSchedulerFailure(kActivateFailed, Result);
    }
    bool Failed() const { return FAILED(Result); }

    CComInitializer Com;
    CComRef<ITaskScheduler> Scheduler;
    CComRef<ITask> Task;
    HRESULT Result;
};

}  // namespace

CScheduledTask::CScheduledTask()
{
    Reset();
}

CScheduledTask::CScheduledTask(const CString& jobName, int valid)
{
    Reset();
    m_jobName = jobName;
    m_valid = valid;
}

CScheduledTask::CScheduledTask(const CScheduledTask& other) = default;
CScheduledTask& CScheduledTask::operator=(const CScheduledTask& other) = default;
CScheduledTask::~CScheduledTask() = default;

void CScheduledTask::Reset()
{
    m_valid = 0;
    m_jobName.Empty();
    m_applicationName.Empty();
    m_parameters.Empty();
    m_workingDirectory.Empty();
    m_accountName.Empty();
    m_password.Empty();
    m_comment.Empty();
    m_flags = kDefaultFlags;
    m_priority = NORMAL_PRIORITY_CLASS;
    m_maxRunTime = 0;
    m_idleMinutes = 0;
    m_deadlineMinutes = 0;
    m_triggers.RemoveAll();
    m_isNT = IsNTPlatform() ? 1 : 0;
}

// ---------------------------------------------------------------- saving

HRESULT CScheduledTask::SaveTask(LPCSTR name, BOOL failIfExists, BOOL useGivenAccount)
{
    if (!name || !*name || m_applicationName.IsEmpty())
        return E_FAIL;
    SchedulerSession session;
    if (session.Failed())
        return session.Result;
    return SaveTo(session.Scheduler.Get(), ItemNameOf(name), failIfExists, useGivenAccount);
}

// Every interface is held until the job is stored and then released, so
// that the job's file is closed when SaveTask returns.
HRESULT CScheduledTask::SaveTo(ITaskScheduler* scheduler, const std::wstring& item, BOOL failIfExists,
                               BOOL useGivenAccount)
{
    {
        CComRef<ITask> existing;
        if (SUCCEEDED(scheduler->Activate(item.c_str(), IID_ITask, existing.OutUnknown()))) {
            existing.Release();
            if (failIfExists)
                return kJobExists;
            HRESULT deleted = scheduler->Delete(item.c_str());
            if (FAILED(deleted))
                return deleted;
        }
    }

    CComRef<IUnknown> created;
    HRESULT result = scheduler->NewWorkItem(item.c_str(), CLSID_CTask, IID_ITask, created.Out());
    if (FAILED(result))
        return result;
    CComRef<ITask> task;
    result = created->QueryInterface(IID_ITask, reinterpret_cast<void**>(task.Out()));
    if (FAILED(result))
        return result;

    result = WriteSettings(task.Get(), useGivenAccount);
    if (FAILED(result))
        return result;
    result = WriteTriggers(task.Get());
    if (FAILED(result))
        return result;

    CComRef<IPersistFile> file;
    result = task->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(file.Out()));
    if (FAILED(result))
        return result;
    return file->Save(nullptr, TRUE);
}

HRESULT CScheduledTask::WriteSettings(ITask* task, BOOL useGivenAccount)
{
    HRESULT result = task->SetApplicationName(ToWide(m_applicationName).c_str());
    if (SUCCEEDED(result) && !m_parameters.IsEmpty())
        result = task->SetParameters(ToWide(m_parameters).c_str());
    if (SUCCEEDED(result) && !m_workingDirectory.IsEmpty())
        result = task->SetWorkingDirectory(ToWide(m_workingDirectory).c_str());
    if (FAILED(result))
        return result;

    if (m_isNT) {
        if (!m_accountName.IsEmpty()) {
            result = task->SetAccountInformation(ToWide(m_accountName).c_str(),
                                                 m_password.IsEmpty() ? nullptr : ToWide(m_password).c_str());
        } else if (!useGivenAccount) {
            // The current user, without a password: such a job can run
            // only while that user is logged on.
            char user[260] = {};
            DWORD length = sizeof user;
            ::GetUserNameA(user, &length);
            result = task->SetAccountInformation(ToWide(user).c_str(), nullptr);
            m_flags = TASK_FLAG_RUN_ONLY_IF_LOGGED_ON;
        }
        if (FAILED(result))
            return result;
    }

    if (!m_comment.IsEmpty()) {
        result = task->SetComment(ToWide(m_comment).c_str());
        if (FAILED(result))
            return result;
    }
    result = task->SetFlags(m_flags | (IsNTPlatform() ? TASK_FLAG_INTERACTIVE : 0));
    if (FAILED(result))
        return result;

    // A scheduler that cannot set priorities runs the job at its own
    // default, which is the normal class this system asks for.
    result = task->SetPriority(m_priority);
    if (result == E_NOTIMPL)
        result = S_OK;
    if (SUCCEEDED(result) && m_maxRunTime != 0)
        result = task->SetMaxRunTime(m_maxRunTime);
    if (SUCCEEDED(result) && m_idleMinutes != 0)
        result = task->SetIdleWait(m_idleMinutes, m_deadlineMinutes);
    return result;
}

HRESULT CScheduledTask::WriteTriggers(ITask* task) const
{
    for (POSITION position = m_triggers.GetHeadPosition(); position;) {
        TASK_TRIGGER trigger = m_triggers.GetNext(position);
        WORD index = 0;
        CComRef<ITaskTrigger> created;
        HRESULT result = task->CreateTrigger(&index, created.Out());
        if (SUCCEEDED(result))
            result = created->SetTrigger(&trigger);
        if (FAILED(result))
            return result;
    }
    return S_OK;
}

// ---------------------------------------------------------------- queries

SYSTEMTIME CScheduledTask::TaskGetRunTime(RunTime which) const
{
    SYSTEMTIME none = {};
    if (!m_valid)
        return none;
    SchedulerSession session(m_jobName);
    if (session.Failed())
        return none;
    SYSTEMTIME time = {};
    ITask* task = session.Task.Get();
    HRESULT result = which == NextRun ? task->GetNextRunTime(&time) : task->GetMostRecentRunTime(&time);
    return SUCCEEDED(result) ? time : none;
}

SYSTEMTIME CScheduledTask::TaskGetNextRunTime() const
{
    return TaskGetRunTime(NextRun);
}

SYSTEMTIME CScheduledTask::TaskGetLastRunTime() const
{
    return TaskGetRunTime(LastRun);
}

HRESULT CScheduledTask::TaskGetStatus(HRESULT& status) const
{
    SchedulerSession session(m_jobName);
    if (session.Failed())
        return session.Result;
    return session.Task->GetStatus(&status);
}

CString CScheduledTask::GetTriggerString(int index) const
{
    if (!m_valid)
        return CString();
    SchedulerSession session(m_jobName);
    if (session.Failed())
        return CString();
    ITask* task = session.Task.Get();
    WORD count = 0;
    HRESULT result = task->GetTriggerCount(&count);
    if (FAILED(result)) {
        ReportSchedulerFailure("Failed calling ITask::GetTriggerCount; error = 0x%x\n", result);
        return CString();
    }
    if (index < 0 || index >= count)
        return CString();
    CComTaskString text;
    result = task->GetTriggerString(static_cast<WORD>(index), text.Out());
    if (FAILED(result)) {
        ReportSchedulerFailure("Failed calling ITask::GetTriggerString; error = 0x%x\n", result);
        return CString();
    }
    return FromWide(text.Get());
}

// ---------------------------------------------------------------- jobs by name

HRESULT TaskEdit(LPCSTR jobName, HWND parent)
{
    SchedulerSession session(jobName);
    if (session.Failed())
        return session.Result;
    return session.Task->EditWorkItem(parent, 0);
}

HRESULT TaskDelete(LPCSTR jobName)
{
    if (!jobName || !*jobName)
        return E_FAIL;
    SchedulerSession session;
    if (session.Failed())
        return session.Result;
    return session.Scheduler->Delete(ItemNameOf(jobName).c_str());
}

HRESULT DeleteTaskByName(const CString& jobName)
{
    return TaskDelete(jobName);
}

namespace {

// Reads one text of the job; a getter that fails leaves the field alone.
template <class Getter>
void ReadText(ITask* task, Getter getter, CString& field)
{
    CComTaskString text;
    if (SUCCEEDED((task->*getter)(text.Out())) && text.Get())
        field = FromWide(text.Get());
}

}  // namespace

CScheduledTask LoadScheduledTask(LPCWSTR jobName)
{
    CString name;
    name.Format("%s", static_cast<LPCSTR>(FromWide(jobName)));
    CScheduledTask loaded(name, 1);

    SchedulerSession session(name);
    if (session.Failed())
        return loaded;
    ITask* task = session.Task.Get();

    ReadText(task, &ITask::GetApplicationName, loaded.m_applicationName);
    ReadText(task, &ITask::GetComment, loaded.m_comment);
    ReadText(task, &ITask::GetAccountInformation, loaded.m_accountName);
    ReadText(task, &ITask::GetParameters, loaded.m_parameters);
    ReadText(task, &ITask::GetWorkingDirectory, loaded.m_workingDirectory);
    DWORD value = 0;
    if (SUCCEEDED(task->GetFlags(&value)))
        loaded.m_flags = value;
    value = 0;
    if (SUCCEEDED(task->GetPriority(&value)))
        loaded.m_priority = value;
    value = 0;
    if (SUCCEEDED(task->GetMaxRunTime(&value)))
        loaded.m_maxRunTime = value;
    WORD idle = 0, deadline = 0;
    if (SUCCEEDED(task->GetIdleWait(&idle, &deadline))) {
        loaded.m_idleMinutes = idle;
        loaded.m_deadlineMinutes = deadline;
    }

    WORD count = 0;
    HRESULT result = task->GetTriggerCount(&count);
    if (FAILED(result)) {
        ReportSchedulerFailure("Failed calling ITask::GetTriggerCount; error = 0x%x\n", result);
        return loaded;
    }
    for (WORD index = 0; index < count; ++index) {
        CComRef<ITaskTrigger> trigger;
        result = task->GetTrigger(index, trigger.Out());
        if (FAILED(result) || !trigger) {
            ReportSchedulerFailure("Failed calling ITask::GetTrigger; error = 0x%x\n", result);
            break;
        }
        TASK_TRIGGER record = {};
        record.cbTriggerSize = sizeof record;
        result = trigger->GetTrigger(&record);
        if (FAILED(result)) {
            ReportSchedulerFailure("Failed calling ITaskTrigger::GetTrigger; error = 0x%x\n", result);
            break;
        }
        loaded.AddTrigger(record);
    }
    return loaded;
}

CScheduledTask LoadScheduledTask(const CString& jobName)
{
    return LoadScheduledTask(ToWide(jobName).c_str());
}
