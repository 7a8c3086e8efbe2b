#include "tests/scheduling/FakeTaskScheduler.h"

#include "scheduling/SchedulerObject.h"

#include <stdio.h>

namespace fake_scheduler {

namespace {

State g_state;

std::string Narrow(LPCWSTR text)
{
    return text ? FromWide(text).str() : std::string("(null)");
}

// Logs the call; true when the test wants it to fail.
bool Fails(const std::string& method, const std::string& detail = std::string())
{
    g_state.calls.push_back(detail.empty() ? method : method + " " + detail);
    return g_state.failing.count(method) != 0;
}

std::string Hex(DWORD value)
{
    char text[16];
    sprintf(text, "0x%lx", static_cast<unsigned long>(value));
    return text;
}

LPWSTR Allocated(const std::wstring& text)
{
    const size_t bytes = (text.size() + 1) * sizeof(WCHAR);
    LPWSTR copy = static_cast<LPWSTR>(CoTaskMemAlloc(bytes));
    memcpy(copy, text.c_str(), bytes);
    return copy;
}

// Reference counting and the object count of every fake object.
template <class Base>
class Counted : public Base
{
public:
    Counted() { ++g_state.liveObjects; }
    virtual ~Counted() { --g_state.liveObjects; }
    ULONG WINAPI AddRef() override { return ++m_references; }
    ULONG WINAPI Release() override
    {
        ULONG left = --m_references;
        if (left == 0)
            delete this;
        return left;
    }

private:
    ULONG m_references = 1;
};

class FakeTrigger : public Counted<ITaskTrigger>
{
public:
    FakeTrigger(std::vector<TASK_TRIGGER>& triggers, size_t index) : m_triggers(triggers), m_index(index) {}

    HRESULT WINAPI QueryInterface(REFIID riid, void** object) override
    {
        *object = nullptr;
        if (riid != IID_IUnknown && riid != IID_ITaskTrigger)
            return E_NOINTERFACE;
        AddRef();
        *object = this;
        return S_OK;
    }
    HRESULT WINAPI SetTrigger(const PTASK_TRIGGER trigger) override
    {
        if (Fails("SetTrigger", std::to_string(trigger->TriggerType)))
            return g_state.failure;
        m_triggers[m_index] = *trigger;
        return S_OK;
    }
    HRESULT WINAPI GetTrigger(PTASK_TRIGGER trigger) override
    {
        if (Fails("ITaskTrigger::GetTrigger"))
            return g_state.failure;
        *trigger = m_triggers[m_index];
        return S_OK;
    }
    HRESULT WINAPI GetTriggerString(LPWSTR*) override { return E_NOTIMPL; }

private:
    std::vector<TASK_TRIGGER>& m_triggers;
    size_t m_index;
};

// A job: a new one (kept in the object until IPersistFile::Save stores it
// under its name) or an existing one (changed in place).
class FakeTask : public Counted<ITask>, public IPersistFile
{
public:
    FakeTask(const std::wstring& name, Job* existing) : m_name(name), m_job(existing ? existing : &m_new) {}

    HRESULT WINAPI QueryInterface(REFIID riid, void** object) override
    {
        *object = nullptr;
        if (riid == IID_IUnknown || riid == IID_ITask || riid == IID_IScheduledWorkItem)
            *object = static_cast<ITask*>(this);
        else if (riid == IID_IPersistFile || riid == IID_IPersist)
            *object = static_cast<IPersistFile*>(this);
        else
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG WINAPI AddRef() override { return Counted<ITask>::AddRef(); }
    ULONG WINAPI Release() override { return Counted<ITask>::Release(); }

    // IScheduledWorkItem
    HRESULT WINAPI CreateTrigger(WORD* index, ITaskTrigger** trigger) override
    {
        *trigger = nullptr;
        if (Fails("CreateTrigger"))
            return g_state.failure;
        m_job->triggers.push_back(TASK_TRIGGER());
        *index = static_cast<WORD>(m_job->triggers.size() - 1);
        *trigger = new FakeTrigger(m_job->triggers, *index);
        return S_OK;
    }
    HRESULT WINAPI DeleteTrigger(WORD) override { return E_NOTIMPL; }
    HRESULT WINAPI GetTriggerCount(WORD* count) override
    {
        if (Fails("GetTriggerCount"))
            return g_state.failure;
        *count = static_cast<WORD>(m_job->triggers.size());
        return S_OK;
    }
    HRESULT WINAPI GetTrigger(WORD index, ITaskTrigger** trigger) override
    {
        if (Fails("GetTrigger", std::to_string(index)))
            return g_state.failure;
        *trigger = new FakeTrigger(m_job->triggers, index);
        return S_OK;
    }
    HRESULT WINAPI GetTriggerString(WORD index, LPWSTR* text) override
    {
        if (Fails("GetTriggerString", std::to_string(index)))
            return g_state.failure;
        *text = Allocated(index < m_job->triggerTexts.size() ? m_job->triggerTexts[index] : L"");
        return S_OK;
    }
    HRESULT WINAPI GetRunTimes(const LPSYSTEMTIME, const LPSYSTEMTIME, WORD*, LPSYSTEMTIME*) override { return E_NOTIMPL; }
    HRESULT WINAPI GetNextRunTime(SYSTEMTIME* time) override
    {
        if (Fails("GetNextRunTime"))
            return g_state.failure;
        *time = m_job->nextRun;
        return S_OK;
    }
    HRESULT WINAPI SetIdleWait(WORD idle, WORD deadline) override
    {
        if (Fails("SetIdleWait"))
            return g_state.failure;
        m_job->idleMinutes = idle;
        m_job->deadlineMinutes = deadline;
        return S_OK;
    }
    HRESULT WINAPI GetIdleWait(WORD* idle, WORD* deadline) override
    {
        if (Fails("GetIdleWait"))
            return g_state.failure;
        *idle = m_job->idleMinutes;
        *deadline = m_job->deadlineMinutes;
        return S_OK;
    }
    HRESULT WINAPI Run() override { return E_NOTIMPL; }
    HRESULT WINAPI Terminate() override { return E_NOTIMPL; }
    HRESULT WINAPI EditWorkItem(HWND parent, DWORD reserved) override
    {
        if (Fails("EditWorkItem", Hex(reserved)))
            return g_state.failure;
        g_state.editParent = parent;
        return S_OK;
    }
    HRESULT WINAPI GetMostRecentRunTime(SYSTEMTIME* time) override
    {
        if (Fails("GetMostRecentRunTime"))
            return g_state.failure;
        *time = m_job->lastRun;
        return S_OK;
    }
    HRESULT WINAPI GetStatus(HRESULT* status) override
    {
        if (Fails("GetStatus"))
            return g_state.failure;
        *status = SCHED_S_TASK_READY;
        return S_OK;
    }
    HRESULT WINAPI GetExitCode(DWORD*) override { return E_NOTIMPL; }
    HRESULT WINAPI SetComment(LPCWSTR text) override { return Set("SetComment", text, m_job->comment); }
    HRESULT WINAPI GetComment(LPWSTR* text) override { return Get("GetComment", m_job->comment, text); }
    HRESULT WINAPI SetCreator(LPCWSTR) override { return E_NOTIMPL; }
    HRESULT WINAPI GetCreator(LPWSTR*) override { return E_NOTIMPL; }
    HRESULT WINAPI SetWorkItemData(WORD, BYTE[]) override { return E_NOTIMPL; }
    HRESULT WINAPI GetWorkItemData(WORD*, BYTE**) override { return E_NOTIMPL; }
    HRESULT WINAPI SetErrorRetryCount(WORD) override { return E_NOTIMPL; }
    HRESULT WINAPI GetErrorRetryCount(WORD*) override { return E_NOTIMPL; }
    HRESULT WINAPI SetErrorRetryInterval(WORD) override { return E_NOTIMPL; }
    HRESULT WINAPI GetErrorRetryInterval(WORD*) override { return E_NOTIMPL; }
    HRESULT WINAPI SetFlags(DWORD flags) override
    {
        if (Fails("SetFlags", Hex(flags)))
            return g_state.failure;
        m_job->flags = flags;
        return S_OK;
    }
    HRESULT WINAPI GetFlags(DWORD* flags) override { return GetNumber("GetFlags", m_job->flags, flags); }
    HRESULT WINAPI SetAccountInformation(LPCWSTR account, LPCWSTR password) override
    {
        if (Fails("SetAccountInformation", Narrow(account) + " " + Narrow(password)))
            return g_state.failure;
        m_job->account = account ? account : L"";
        m_job->password = password ? password : L"";
        return S_OK;
    }
    HRESULT WINAPI GetAccountInformation(LPWSTR* account) override
    {
        return Get("GetAccountInformation", m_job->account, account);
    }

    // ITask
    HRESULT WINAPI SetApplicationName(LPCWSTR text) override { return Set("SetApplicationName", text, m_job->application); }
    HRESULT WINAPI GetApplicationName(LPWSTR* text) override { return Get("GetApplicationName", m_job->application, text); }
    HRESULT WINAPI SetParameters(LPCWSTR text) override { return Set("SetParameters", text, m_job->parameters); }
    HRESULT WINAPI GetParameters(LPWSTR* text) override { return Get("GetParameters", m_job->parameters, text); }
    HRESULT WINAPI SetWorkingDirectory(LPCWSTR text) override { return Set("SetWorkingDirectory", text, m_job->folder); }
    HRESULT WINAPI GetWorkingDirectory(LPWSTR* text) override { return Get("GetWorkingDirectory", m_job->folder, text); }
    HRESULT WINAPI SetPriority(DWORD priority) override
    {
        if (Fails("SetPriority", Hex(priority)))
            return g_state.failure;
        m_job->priority = priority;
        return S_OK;
    }
    HRESULT WINAPI GetPriority(DWORD* priority) override { return GetNumber("GetPriority", m_job->priority, priority); }
    HRESULT WINAPI SetTaskFlags(DWORD) override { return E_NOTIMPL; }
    HRESULT WINAPI GetTaskFlags(DWORD*) override { return E_NOTIMPL; }
    HRESULT WINAPI SetMaxRunTime(DWORD time) override
    {
        if (Fails("SetMaxRunTime", std::to_string(time)))
            return g_state.failure;
        m_job->maxRunTime = time;
        return S_OK;
    }
    HRESULT WINAPI GetMaxRunTime(DWORD* time) override { return GetNumber("GetMaxRunTime", m_job->maxRunTime, time); }

    // IPersistFile
    HRESULT WINAPI GetClassID(CLSID* id) override
    {
        *id = CLSID_CTask;
        return S_OK;
    }
    HRESULT WINAPI IsDirty() override { return S_OK; }
    HRESULT WINAPI Load(LPCOLESTR, DWORD) override { return E_NOTIMPL; }
    HRESULT WINAPI Save(LPCOLESTR file, BOOL remember) override
    {
        if (Fails("Save", std::string(file ? "file" : "null") + (remember ? " TRUE" : " FALSE")))
            return g_state.failure;
        if (m_job == &m_new)
            g_state.jobs[m_name] = m_new;
        return S_OK;
    }
    HRESULT WINAPI SaveCompleted(LPCOLESTR) override { return S_OK; }
    HRESULT WINAPI GetCurFile(LPOLESTR*) override { return E_NOTIMPL; }

private:
    HRESULT Set(const char* method, LPCWSTR text, std::wstring& field)
    {
        if (Fails(method, Narrow(text)))
            return g_state.failure;
        field = text ? text : L"";
        return S_OK;
    }
    HRESULT Get(const char* method, const std::wstring& field, LPWSTR* text)
    {
        if (Fails(method))
            return g_state.failure;   // as a real getter, it leaves *text alone
        *text = Allocated(field);
        return S_OK;
    }
    HRESULT GetNumber(const char* method, DWORD field, DWORD* value)
    {
        if (Fails(method))
            return g_state.failure;
        *value = field;
        return S_OK;
    }

    std::wstring m_name;
    Job m_new;
    Job* m_job;
};

class FakeEnum : public Counted<IEnumWorkItems>
{
public:
    FakeEnum()
    {
        for (const auto& job : g_state.jobs)
            m_names.push_back(job.first + L".job");
    }
    HRESULT WINAPI QueryInterface(REFIID riid, void** object) override
    {
        *object = nullptr;
        AddRef();   // the enumerator is asked for by Enum only
        *object = this;
        return S_OK;
    }
    HRESULT WINAPI Next(ULONG wanted, LPWSTR** names, ULONG* fetched) override
    {
        *names = nullptr;
        *fetched = 0;
        if (Fails("Next", std::to_string(wanted)))
            return g_state.failure;
        if (m_next >= m_names.size())
            return S_FALSE;
        const ULONG count = static_cast<ULONG>(std::min<size_t>(wanted, m_names.size() - m_next));
        *names = static_cast<LPWSTR*>(CoTaskMemAlloc(count * sizeof(LPWSTR)));
        for (ULONG i = 0; i < count; ++i)
            (*names)[i] = Allocated(m_names[m_next++]);
        *fetched = count;
        return count == wanted ? S_OK : S_FALSE;
    }
    HRESULT WINAPI Skip(ULONG) override { return E_NOTIMPL; }
    HRESULT WINAPI Reset() override { return E_NOTIMPL; }
    HRESULT WINAPI Clone(IEnumWorkItems**) override { return E_NOTIMPL; }

private:
    std::vector<std::wstring> m_names;
    size_t m_next = 0;
};

class FakeScheduler : public Counted<ITaskScheduler>
{
public:
    HRESULT WINAPI QueryInterface(REFIID riid, void** object) override
    {
        *object = nullptr;
        if (riid != IID_IUnknown && riid != IID_ITaskScheduler)
            return E_NOINTERFACE;
        AddRef();
        *object = this;
        return S_OK;
    }
    HRESULT WINAPI SetTargetComputer(LPCWSTR) override { return E_NOTIMPL; }
    HRESULT WINAPI GetTargetComputer(LPWSTR*) override { return E_NOTIMPL; }
    HRESULT WINAPI Enum(IEnumWorkItems** items) override
    {
        *items = nullptr;
        if (Fails("Enum"))
            return g_state.failure;
        *items = new FakeEnum();
        return S_OK;
    }
    HRESULT WINAPI Activate(LPCWSTR name, REFIID riid, IUnknown** object) override
    {
        *object = nullptr;
        if (Fails("Activate", Narrow(name)))
            return g_state.failure;
        if (riid != IID_ITask)
            return E_NOINTERFACE;
        if (wcschr(name, L'.'))
            return E_INVALIDARG;   // as the real one
        auto found = g_state.jobs.find(name);
        if (found == g_state.jobs.end())
            return HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);
        *object = static_cast<ITask*>(new FakeTask(name, &found->second));
        return S_OK;
    }
    HRESULT WINAPI Delete(LPCWSTR name) override
    {
        // COM must be ready on the thread: a second initialisation says so.
        HRESULT again = CoInitialize(nullptr);
        g_state.comWasInitialisedAtDelete = again == S_FALSE;
        if (SUCCEEDED(again))
            CoUninitialize();
        if (Fails("Delete", Narrow(name)))
            return g_state.failure;
        return g_state.jobs.erase(name) ? S_OK : HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);
    }
    HRESULT WINAPI NewWorkItem(LPCWSTR name, REFCLSID, REFIID, IUnknown** object) override
    {
        *object = nullptr;
        if (Fails("NewWorkItem", Narrow(name)))
            return g_state.failure;
        if (wcschr(name, L'.'))
            return E_INVALIDARG;
        *object = static_cast<ITask*>(new FakeTask(name, nullptr));
        return S_OK;
    }
    HRESULT WINAPI AddWorkItem(LPCWSTR, IScheduledWorkItem*) override { return E_NOTIMPL; }
    HRESULT WINAPI IsOfType(LPCWSTR, REFIID) override { return E_NOTIMPL; }
};

HRESULT CreateFake(ITaskScheduler** scheduler)
{
    if (Fails("CoCreateInstance"))
        return g_state.failure;
    *scheduler = new FakeScheduler();
    return S_OK;
}

}  // namespace

State& Fake()
{
    return g_state;
}

Scope::Scope()
{
    g_state = State();
    SetTaskSchedulerFactory(&CreateFake);
}

Scope::~Scope()
{
    SetTaskSchedulerFactory(nullptr);
}

}  // namespace fake_scheduler
