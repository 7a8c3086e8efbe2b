// Jobs saved, listed, read back and deleted through Wine's own Task
// Scheduler, whose service runs in the test prefix: what the program
// stores is what the scheduler keeps, in its job file.
#include "scheduling/ScheduledTask.h"
#include "scheduling/TaskScheduler.h"
#include "tests/support/SchedulerService.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

using namespace testing_support;

namespace {

std::string ProgramPath()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return path;
}

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return static_cast<char>(tolower(c)); });
    return text;
}

TASK_TRIGGER TriggerOf(TASK_TRIGGER_TYPE type)
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    TASK_TRIGGER trigger = {};
    trigger.cbTriggerSize = sizeof trigger;
    trigger.wBeginYear = now.wYear;
    trigger.wBeginMonth = now.wMonth;
    trigger.wBeginDay = now.wDay;
    trigger.wStartHour = 23;
    trigger.wStartMinute = 59;
    trigger.TriggerType = type;
    if (type == TASK_TIME_TRIGGER_DAILY)
        trigger.Type.Daily.DaysInterval = 2;
    return trigger;
}

class RoundTrip : public testing::Test
{
protected:
    // Each test has jobs of its own, as the tests run side by side.
    void SetUp() override
    {
        ASSERT_TRUE(StartTaskSchedulerService()) << "the Task Scheduler service runs";
        const std::string test = testing::UnitTest::GetInstance()->current_test_info()->name();
        m_job = "BrenvikKestrune_" + test + ".job";
        m_startupJob = "BrenvikKestrune_" + test + " at start.job";
        kJob = m_job.c_str();
        kStartupJob = m_startupJob.c_str();
    }
    void TearDown() override
    {
        for (const char* name : { kJob, kStartupJob })
            TaskDelete(name);
    }

    // A job of this test program (so that enumeration by program finds it).
    CScheduledTask Job(TASK_TRIGGER_TYPE type, const char* parameters) const
    {
        CScheduledTask task;
        task.SetApplicationName(ProgramPath().c_str());
        task.SetParameters(parameters);
        task.SetWorkingDirectory("C:\\windows");
        task.AddTrigger(TriggerOf(type));
        return task;
    }
    // The tasks the scheduler lists for this program, by job name.
    std::vector<CScheduledTask> Listed(const std::string& program) const
    {
        CTaskScheduler scheduler;
        scheduler.EnumerateTasks(program.c_str());
        std::vector<CScheduledTask> tasks;
        for (int i = 0; i < scheduler.GetTaskCount(); ++i)
            tasks.push_back(scheduler.GetTask(i));
        return tasks;
    }
    bool JobFileExists(const char* name) { return FileExists(TaskFolder() + "\\" + name); }

    std::string m_job, m_startupJob;
    const char* kJob = nullptr;   // m_job's text
    const char* kStartupJob = nullptr;
};

TEST_F(RoundTrip, ASavedJobIsListedReadBackAndDeleted)
{
    CScheduledTask task = Job(TASK_TIME_TRIGGER_DAILY, "-a Round trip");
    ASSERT_EQ(task.SaveTask(kJob, FALSE, FALSE), S_OK);
    EXPECT_TRUE(JobFileExists(kJob));

    // Listed by its program, whatever the letter case of the path.
    std::vector<CScheduledTask> listed = Listed(Lower(ProgramPath()));
    auto found = std::find_if(listed.begin(), listed.end(),
                              [this](const CScheduledTask& t) { return t.GetJobName() == kJob; });
    ASSERT_NE(found, listed.end());
    EXPECT_TRUE(Listed("C:\\windows\\notepad.exe").empty()) << "another program's jobs only";

    const CScheduledTask& loaded = *found;
    EXPECT_EQ(loaded.GetApplicationName().CompareNoCase(ProgramPath().c_str()), 0);
    EXPECT_EQ(loaded.GetParameters(), "-a Round trip");
    EXPECT_EQ(loaded.GetWorkingDirectory(), "C:\\windows");
    EXPECT_EQ(loaded.GetFlags(), 0x2001u) << "run only if logged on, interactive";
    ASSERT_EQ(loaded.GetTriggerCount(), 1);
    const TASK_TRIGGER trigger = loaded.GetTrigger(0);
    EXPECT_EQ(trigger.TriggerType, TASK_TIME_TRIGGER_DAILY);
    EXPECT_EQ(trigger.Type.Daily.DaysInterval, 2);
    EXPECT_EQ(trigger.wStartHour, 23);
    EXPECT_EQ(trigger.wStartMinute, 59);

    const SYSTEMTIME next = loaded.TaskGetNextRunTime();
    EXPECT_GE(next.wYear, 2000);
    EXPECT_EQ(next.wHour, 23);
    EXPECT_EQ(next.wMinute, 59);
    EXPECT_LT(loaded.TaskGetLastRunTime().wYear, 1900) << "it never ran";

    EXPECT_EQ(TaskDelete(kJob), S_OK);
    EXPECT_FALSE(JobFileExists(kJob));
    EXPECT_NE(TaskDelete(kJob), S_OK) << "nothing left to delete";
    listed = Listed(ProgramPath());
    EXPECT_TRUE(std::none_of(listed.begin(), listed.end(),
                             [this](const CScheduledTask& t) { return t.GetJobName() == kJob; }));
}

TEST_F(RoundTrip, SavingOverAJobReplacesItUnlessAskedNotTo)
{
    ASSERT_EQ(Job(TASK_TIME_TRIGGER_DAILY, "-a First").SaveTask(kJob, FALSE, FALSE), S_OK);
    EXPECT_EQ(Job(TASK_TIME_TRIGGER_ONCE, "-a Second").SaveTask(kJob, TRUE, FALSE),
              static_cast<HRESULT>(0x80070050));
    EXPECT_EQ(LoadScheduledTask(CString(kJob)).GetParameters(), "-a First");

    ASSERT_EQ(Job(TASK_TIME_TRIGGER_ONCE, "-a Second").SaveTask(kJob, FALSE, FALSE), S_OK);
    CScheduledTask loaded = LoadScheduledTask(CString(kJob));
    EXPECT_EQ(loaded.GetParameters(), "-a Second");
    ASSERT_EQ(loaded.GetTriggerCount(), 1);
    EXPECT_EQ(loaded.GetTrigger(0).TriggerType, TASK_TIME_TRIGGER_ONCE);
}

TEST_F(RoundTrip, AnEventJobHasNoNextRunTime)
{
    ASSERT_EQ(Job(TASK_EVENT_TRIGGER_AT_SYSTEMSTART, "-a At start").SaveTask(kStartupJob, FALSE, FALSE), S_OK);
    CScheduledTask loaded = LoadScheduledTask(CString(kStartupJob));
    ASSERT_EQ(loaded.GetTriggerCount(), 1);
    EXPECT_EQ(loaded.GetTrigger(0).TriggerType, TASK_EVENT_TRIGGER_AT_SYSTEMSTART);
    EXPECT_LT(loaded.TaskGetNextRunTime().wYear, 1900);
    // Wine's scheduler has no trigger texts: the description stays empty.
    EXPECT_EQ(loaded.GetTriggerString(0), "");
    EXPECT_EQ(loaded.GetTriggerString(1), "");
}

TEST_F(RoundTrip, JobsNamedWithoutTheSchedulersRefusedDotsAreKept)
{
    // The scheduler refuses names with a dot; a macro name's dots are
    // written %2E in its job's name.
    const char* name = "BrenvikKestrune_v1%2E2 report.job";
    ASSERT_EQ(Job(TASK_TIME_TRIGGER_DAILY, "-a v1.2 report").SaveTask(name, FALSE, FALSE), S_OK);
    EXPECT_TRUE(JobFileExists(name));
    EXPECT_EQ(LoadScheduledTask(CString(name)).GetParameters(), "-a v1.2 report");
    EXPECT_EQ(TaskDelete(name), S_OK);
    EXPECT_FALSE(JobFileExists(name));
}

}  // namespace
