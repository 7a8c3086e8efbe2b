// The wrapper's conversation with the scheduler, seen through the fake: the
// calls and their order when a job is saved, the failures it passes on, the
// fields it reads back (and those it skips when a getter fails), the trigger
// texts and property sheet Wine lacks, and COM and every interface released.
#include "scheduling/ScheduledTask.h"
#include "scheduling/TaskScheduler.h"
#include "tests/scheduling/FakeTaskScheduler.h"

#include <gtest/gtest.h>

#include <algorithm>

using fake_scheduler::Fake;

namespace {

const char kProgram[] = "C:\\Program Files\\Kestrune\\Kestrune.exe";

TASK_TRIGGER DailyAt(WORD hour, WORD minute)
{
    TASK_TRIGGER trigger = {};
    trigger.cbTriggerSize = sizeof trigger;
    trigger.wBeginYear = 2026;
    trigger.wBeginMonth = 3;
    trigger.wBeginDay = 2;
    trigger.wStartHour = hour;
    trigger.wStartMinute = minute;
    trigger.TriggerType = TASK_TIME_TRIGGER_DAILY;
    trigger.Type.Daily.DaysInterval = 1;
    return trigger;
}

CScheduledTask MacroTask()
{
    CScheduledTask task;
    task.SetApplicationName(kProgram);
    task.SetParameters("-a Daily report");
    task.SetWorkingDirectory("C:\\Work");
    task.AddTrigger(DailyAt(9, 30));
    return task;
}

std::string CurrentUser()
{
    char user[260] = {};
    DWORD length = sizeof user;
    GetUserNameA(user, &length);
    return user;
}

bool Called(const std::string& call)
{
    const auto& calls = Fake().calls;
    return std::find(calls.begin(), calls.end(), call) != calls.end();
}

class Wrapper : public testing::Test
{
protected:
    void TearDown() override { EXPECT_EQ(Fake().liveObjects, 0) << "every interface is released"; }

    fake_scheduler::Scope m_fake;
};

TEST_F(Wrapper, SavingANewJobCallsTheSchedulerInOrder)
{
    CScheduledTask task = MacroTask();
    ASSERT_EQ(task.SaveTask("BrenvikKestrune_Daily report.job", FALSE, FALSE), S_OK);

    const std::vector<std::string> expected = {
        "CoCreateInstance",
        "Activate BrenvikKestrune_Daily report",   // without ".job", which the scheduler refuses
        "NewWorkItem BrenvikKestrune_Daily report",
        "SetApplicationName C:\\Program Files\\Kestrune\\Kestrune.exe",
        "SetParameters -a Daily report",
        "SetWorkingDirectory C:\\Work",
        "SetAccountInformation " + CurrentUser() + " (null)",
        "SetFlags 0x2001",   // run only if logged on, interactive: the default flags replaced
        "SetPriority 0x20",
        "CreateTrigger",
        "SetTrigger 1",
        "Save null TRUE",
    };
    EXPECT_EQ(Fake().calls, expected);
    const fake_scheduler::Job& job = Fake().jobs.at(L"BrenvikKestrune_Daily report");
    ASSERT_EQ(job.triggers.size(), 1u);
    EXPECT_EQ(job.triggers[0].wStartHour, 9);
    EXPECT_EQ(job.triggers[0].wStartMinute, 30);
    EXPECT_EQ(job.triggers[0].Type.Daily.DaysInterval, 1);
}

TEST_F(Wrapper, SavingWithAnAccountKeepsTheFlagsAndSendsOptionalFields)
{
    CScheduledTask task = MacroTask();
    task.SetAccountName("worker");
    task.SetPassword("secret");
    task.SetComment("nightly");
    task.SetFlags(0x403);
    task.SetMaxRunTime(60000);
    ASSERT_EQ(task.SaveTask("Job", FALSE, FALSE), S_OK);
    EXPECT_TRUE(Called("SetAccountInformation worker secret"));
    EXPECT_TRUE(Called("SetComment nightly"));
    EXPECT_TRUE(Called("SetFlags 0x403"));
    EXPECT_TRUE(Called("SetMaxRunTime 60000"));

    // The given account switch with no name: no account at all.
    Fake().calls.clear();
    CScheduledTask unattended = MacroTask();
    ASSERT_EQ(unattended.SaveTask("Other", FALSE, TRUE), S_OK);
    for (const std::string& call : Fake().calls)
        EXPECT_EQ(call.find("SetAccountInformation"), std::string::npos) << call;
    EXPECT_TRUE(Called("SetFlags 0xc1"));
}

TEST_F(Wrapper, AnExistingJobIsReplacedOrLeftAlone)
{
    fake_scheduler::Job old;
    old.parameters = L"-a Old";
    Fake().jobs[L"Job"] = old;

    CScheduledTask task = MacroTask();
    EXPECT_EQ(task.SaveTask("Job.job", TRUE, FALSE), static_cast<HRESULT>(0x80070050));
    EXPECT_EQ(Fake().jobs.at(L"Job").parameters, L"-a Old");
    EXPECT_FALSE(Called("NewWorkItem Job"));

    ASSERT_EQ(task.SaveTask("Job.job", FALSE, FALSE), S_OK);
    EXPECT_TRUE(Called("Delete Job"));
    EXPECT_EQ(Fake().jobs.at(L"Job").parameters, L"-a Daily report");
}

TEST_F(Wrapper, AFailingStepEndsTheSaveWithItsResult)
{
    struct Case
    {
        const char* failing;
        HRESULT failure;
        HRESULT expected;   // S_OK: the job is saved all the same
    };
    const Case cases[] = {
        { "CoCreateInstance", static_cast<HRESULT>(0x80041315), static_cast<HRESULT>(0x80041315) },
        { "NewWorkItem", E_ACCESSDENIED, E_ACCESSDENIED },
        { "SetParameters", E_OUTOFMEMORY, E_OUTOFMEMORY },
        { "SetAccountInformation", E_ACCESSDENIED, E_ACCESSDENIED },
        { "SetTrigger", E_INVALIDARG, E_INVALIDARG },
        { "Save", HRESULT_FROM_WIN32(ERROR_SHARING_VIOLATION), HRESULT_FROM_WIN32(ERROR_SHARING_VIOLATION) },
        // A scheduler without priorities (Wine's) runs the job at its default.
        { "SetPriority", E_NOTIMPL, S_OK },
        { "SetPriority", E_FAIL, E_FAIL },
    };
    for (const Case& c : cases) {
        Fake().jobs.clear();
        Fake().calls.clear();
        Fake().failing = { c.failing };
        Fake().failure = c.failure;
        CScheduledTask task = MacroTask();
        EXPECT_EQ(task.SaveTask("Job", FALSE, FALSE), c.expected) << c.failing;
        EXPECT_EQ(Fake().jobs.count(L"Job"), c.expected == S_OK ? 1u : 0u) << c.failing;
        if (c.expected != S_OK && std::string(c.failing) != "Save") {
            EXPECT_FALSE(Called("Save null TRUE")) << "nothing after " << c.failing;
        }
        EXPECT_EQ(Fake().liveObjects, 0) << c.failing;
    }
}

TEST_F(Wrapper, NoNameOrProgramSavesNothing)
{
    CScheduledTask task = MacroTask();
    EXPECT_EQ(task.SaveTask("", FALSE, FALSE), E_FAIL);
    EXPECT_EQ(task.SaveTask(nullptr, FALSE, FALSE), E_FAIL);
    CScheduledTask noProgram;
    EXPECT_EQ(noProgram.SaveTask("Job", FALSE, FALSE), E_FAIL);
    EXPECT_TRUE(Fake().calls.empty());
}

TEST_F(Wrapper, LoadingSkipsTheFieldsWhoseGettersFail)
{
    fake_scheduler::Job job;
    job.application = L"C:\\Kestrune.exe";
    job.parameters = L"-a Report";
    job.folder = L"C:\\Work";
    job.comment = L"note";
    job.account = L"worker";
    job.flags = 0x2001;
    job.priority = HIGH_PRIORITY_CLASS;
    job.maxRunTime = 5000;
    job.triggers = { DailyAt(7, 0), DailyAt(8, 0), DailyAt(9, 0) };
    Fake().jobs[L"Job"] = job;

    CScheduledTask all = LoadScheduledTask(CString("Job.job"));
    EXPECT_TRUE(all.IsValid());
    EXPECT_EQ(all.GetJobName(), "Job.job");
    EXPECT_EQ(all.GetApplicationName(), "C:\\Kestrune.exe");
    EXPECT_EQ(all.GetParameters(), "-a Report");
    EXPECT_EQ(all.GetWorkingDirectory(), "C:\\Work");
    EXPECT_EQ(all.GetComment(), "note");
    EXPECT_EQ(all.GetAccountName(), "worker");
    EXPECT_EQ(all.GetFlags(), 0x2001u);
    EXPECT_EQ(all.GetPriority(), static_cast<DWORD>(HIGH_PRIORITY_CLASS));
    EXPECT_EQ(all.GetMaxRunTime(), 5000u);
    ASSERT_EQ(all.GetTriggerCount(), 3);
    EXPECT_EQ(all.GetTrigger(2).wStartHour, 9);

    // Failing getters leave their fields at the defaults; a failing trigger
    // ends the reading with what was read.
    Fake().failing = { "GetAccountInformation", "GetComment", "GetFlags", "GetPriority", "GetTrigger" };
    CScheduledTask some = LoadScheduledTask(CString("Job.job"));
    EXPECT_EQ(some.GetApplicationName(), "C:\\Kestrune.exe");
    EXPECT_EQ(some.GetParameters(), "-a Report");
    EXPECT_EQ(some.GetAccountName(), "");
    EXPECT_EQ(some.GetComment(), "");
    EXPECT_EQ(some.GetFlags(), 0xC0u);
    EXPECT_EQ(some.GetPriority(), static_cast<DWORD>(NORMAL_PRIORITY_CLASS));
    EXPECT_EQ(some.GetTriggerCount(), 0);

    // A job that cannot be opened: only its name.
    Fake().failing.clear();
    CScheduledTask missing = LoadScheduledTask(CString("Gone.job"));
    EXPECT_TRUE(missing.IsValid());
    EXPECT_EQ(missing.GetJobName(), "Gone.job");
    EXPECT_EQ(missing.GetApplicationName(), "");
}

TEST_F(Wrapper, TriggerTextsAndRunTimesComeFromTheJob)
{
    fake_scheduler::Job job;
    job.triggers = { DailyAt(9, 30) };
    job.triggerTexts = { L"At 09:30 every day, starting 02/03/2026" };
    job.nextRun = { 2026, 3, 1, 3, 9, 30, 0, 0 };
    Fake().jobs[L"Job"] = job;

    CScheduledTask task = LoadScheduledTask(CString("Job.job"));
    EXPECT_EQ(task.GetTriggerString(0), "At 09:30 every day, starting 02/03/2026");
    EXPECT_EQ(task.GetTriggerString(1), "") << "the index equal to the count";
    EXPECT_EQ(task.GetTriggerString(-1), "");
    EXPECT_EQ(task.TaskGetNextRunTime().wHour, 9);
    EXPECT_EQ(task.TaskGetLastRunTime().wYear, 0);
    HRESULT status = 0;
    EXPECT_EQ(task.TaskGetStatus(status), S_OK);
    EXPECT_EQ(status, SCHED_S_TASK_READY);

    Fake().failing = { "GetTriggerString", "GetNextRunTime" };
    EXPECT_EQ(task.GetTriggerString(0), "");
    EXPECT_EQ(task.TaskGetNextRunTime().wYear, 0);

    // A task that stands for no job asks the scheduler nothing.
    Fake().calls.clear();
    CScheduledTask unsaved = MacroTask();
    EXPECT_EQ(unsaved.GetTriggerString(0), "");
    EXPECT_EQ(unsaved.TaskGetNextRunTime().wYear, 0);
    EXPECT_TRUE(Fake().calls.empty());
}

TEST_F(Wrapper, EditAndDeleteOpenTheJobByItsName)
{
    Fake().jobs[L"Job"] = fake_scheduler::Job();
    HWND parent = GetDesktopWindow();
    EXPECT_EQ(TaskEdit("Job.job", parent), S_OK);
    EXPECT_TRUE(Called("EditWorkItem 0x0"));
    EXPECT_EQ(Fake().editParent, parent);
    EXPECT_EQ(TaskEdit("Gone.job", parent), HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND));

    Fake().calls.clear();
    EXPECT_EQ(TaskDelete(""), E_FAIL);
    EXPECT_EQ(TaskDelete(nullptr), E_FAIL);
    EXPECT_TRUE(Fake().calls.empty());

    EXPECT_EQ(DeleteTaskByName("Job.job"), S_OK);
    EXPECT_TRUE(Called("Delete Job"));
    EXPECT_TRUE(Fake().comWasInitialisedAtDelete) << "the deletion initialises COM itself";
    EXPECT_EQ(Fake().jobs.count(L"Job"), 0u);
    EXPECT_EQ(TaskDelete("Job.job"), HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND));

    // And releases it: the thread's first initialisation is still to come.
    HRESULT first = CoInitialize(nullptr);
    EXPECT_EQ(first, S_OK);
    if (SUCCEEDED(first))
        CoUninitialize();
}

TEST_F(Wrapper, EnumerationKeepsTheProgramsJobsBatchByBatch)
{
    // Seven jobs: a batch of five and one of two, each handled last first.
    const wchar_t* names[] = { L"A", L"B", L"C", L"D", L"E", L"F", L"G" };
    for (const wchar_t* name : names) {
        fake_scheduler::Job job;
        job.application = wcscmp(name, L"C") == 0 ? L"C:\\Other.exe"
                          : wcscmp(name, L"F") == 0 ? L"c:\\program files\\kestrune\\KESTRUNE.EXE"
                                                    : L"C:\\Program Files\\Kestrune\\Kestrune.exe";
        Fake().jobs[name] = job;
    }
    CTaskScheduler scheduler;
    EXPECT_EQ(scheduler.EnumerateTasks(kProgram), 1);
    std::vector<std::string> listed;
    for (int i = 0; i < scheduler.GetTaskCount(); ++i)
        listed.push_back(scheduler.GetTask(i).GetJobName().str());
    const std::vector<std::string> expected = { "E.job", "D.job", "B.job", "A.job", "G.job", "F.job" };
    EXPECT_EQ(listed, expected);
    EXPECT_TRUE(Called("Next 5"));

    Fake().jobs.clear();
    EXPECT_EQ(scheduler.EnumerateTasks(kProgram), 0);
    EXPECT_EQ(scheduler.GetTaskCount(), 0) << "the list is refilled";

    Fake().failing = { "Enum" };
    EXPECT_EQ(scheduler.EnumerateTasks(kProgram), 0);
}

}  // namespace
