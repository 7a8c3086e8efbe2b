// A Task Scheduler of the test's own, put in place of the system's through
// SetTaskSchedulerFactory: it keeps its jobs in memory, logs every call in
// order, gives the texts and property sheet that Wine's lacks, can fail any
// call by name, and counts its live objects, so that a test sees what the
// wrapper asked for, in which order, and that it released everything.
#pragma once

#include <windows.h>
#include <mstask.h>

#include <map>
#include <set>
#include <string>
#include <vector>

namespace fake_scheduler {

struct Job
{
    std::wstring application, parameters, folder, comment, account, password;
    DWORD flags = 0;
    DWORD priority = NORMAL_PRIORITY_CLASS;
    DWORD maxRunTime = 0;
    WORD idleMinutes = 0, deadlineMinutes = 0;
    std::vector<TASK_TRIGGER> triggers;
    std::vector<std::wstring> triggerTexts;   // GetTriggerString, by index
    SYSTEMTIME nextRun = {}, lastRun = {};
};

struct State
{
    std::map<std::wstring, Job> jobs;     // by item name
    std::vector<std::string> calls;       // "Activate Plain", "SetFlags 0x2001", ...
    std::set<std::string> failing;        // method names that fail with `failure`
    HRESULT failure = E_FAIL;
    long liveObjects = 0;
    HWND editParent = nullptr;
    bool comWasInitialisedAtDelete = false;
};

State& Fake();

// The fake in place of the system's scheduler, empty, for the object's life.
class Scope
{
public:
    Scope();
    ~Scope();
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;
};

}  // namespace fake_scheduler
