// The Schedule command end to end, through Wine's Task Scheduler: a job made
// with the wizard from the running program starts the program with
// "-a <name>", the macro's next Schedule shows it in the schedule list
// (whose Modify reports that Wine has no property sheet), and Delete there
// removes the job's file; then Schedule opens the wizard again.
#include "scheduling/ScheduledTask.h"
#include "tests/app/KestruneSession.h"
#include "tests/probe/KestruneProbe.h"
#include "tests/support/SchedulerService.h"
#include "tests/support/TestFiles.h"
#include "tests/support/WindowCapture.h"

#include <gtest/gtest.h>

#include <commctrl.h>

using namespace kestrune_e2e;
using namespace kestrune_probe;

namespace {

const int kScheduleButton = 999;
const int kNextButton = 1074;
const int kScheduleListControl = 1107;
const int kModifyButton = 1108;
const int kDeleteButton = 1109;

struct CaptionSearch
{
    DWORD processId;
    const char* caption;
    HWND found;
};

BOOL CALLBACK MatchCaption(HWND window, LPARAM param)
{
    CaptionSearch& search = *reinterpret_cast<CaptionSearch*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char caption[128] = {};
    GetWindowTextA(window, caption, sizeof caption);
    if (owner != search.processId || !IsWindowVisible(window) || strcmp(caption, search.caption) != 0)
        return TRUE;
    search.found = window;
    return FALSE;
}

// A visible top-level window of the process with this caption.
HWND WaitForCaption(DWORD processId, const char* caption, DWORD timeoutMs = 10000)
{
    CaptionSearch search = { processId, caption, nullptr };
    WaitUntil([&] {
        EnumWindows(MatchCaption, reinterpret_cast<LPARAM>(&search));
        return search.found != nullptr;
    }, timeoutMs);
    return search.found;
}

std::string ButtonText(HWND dialog, int id)
{
    char text[64] = {};
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

void SavePicture(HWND window, const char* name)
{
    RECT rect;
    GetWindowRect(window, &rect);
    testing_support::WindowCapture::OfScreen(rect).SavePng(name);
}

class Schedule : public testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(testing_support::StartTaskSchedulerService()); }
    void TearDown() override { TaskDelete(kJob); }

    std::string JobFile() const { return testing_support::TaskFolder() + "\\" + kJob; }

    static constexpr const char* kMacro = "Nightly backup";
    static constexpr const char* kJob = "BrenvikKestrune_Nightly backup.job";
    ScriptFolder m_scripts;
};

TEST_F(Schedule, AJobMadeWithTheWizardIsListedAndDeletedThere)
{
    m_scripts.Write({ kMacro, "None", "None", "Copies the notes" });
    KestruneProcess kestrune;
    HWND window = kestrune.WaitUntilReady();
    ASSERT_NE(window, nullptr);
    HWND list = MacroListOf(window);

    // Without a selected macro: the message, and nothing else.
    ClickButton(window, kScheduleButton);
    HWND box = WaitForDialog(kestrune.Id(), "No macro selected! Please select a macro from list above to run.", 10000);
    ASSERT_NE(box, nullptr);
    PressDialogButton(box, IDOK);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }, 5000));

    // The wizard, daily at the time it offers: Next, Next, Finish.
    ASSERT_TRUE(ClickRow(list, kMacro));
    ClickButton(window, kScheduleButton);
    HWND wizard = WaitForCaption(kestrune.Id(), "Schedule Macro");
    ASSERT_NE(wizard, nullptr);
    SavePicture(wizard, "schedule-wizard-from-the-program");
    PressDialogButton(wizard, kNextButton);
    PressDialogButton(wizard, kNextButton);
    ASSERT_TRUE(WaitUntil([&] { return ButtonText(wizard, kNextButton) == "Finish"; }, 5000));
    PressDialogButton(wizard, kNextButton);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(wizard); }, 10000));

    ASSERT_TRUE(testing_support::FileExists(JobFile()));
    CScheduledTask job = LoadScheduledTask(CString(kJob));
    EXPECT_EQ(job.GetParameters(), "-a Nightly backup");
    EXPECT_EQ(job.GetApplicationName().CompareNoCase(KestruneExePath().c_str()), 0) << job.GetApplicationName().str();
    ASSERT_EQ(job.GetTriggerCount(), 1);
    EXPECT_EQ(job.GetTrigger(0).TriggerType, TASK_TIME_TRIGGER_DAILY);

    // Schedule again: the job in the schedule list.
    ClickButton(window, kScheduleButton);
    HWND schedule = WaitForCaption(kestrune.Id(), "Scheduled Macro");
    ASSERT_NE(schedule, nullptr);
    HWND rows = GetDlgItem(schedule, kScheduleListControl);
    std::vector<ListRow> listed = ReadListRows(rows);
    ASSERT_EQ(listed.size(), 1u);
    ASSERT_EQ(listed[0].texts.size(), 3u);
    EXPECT_EQ(listed[0].texts[0], "") << "Wine's scheduler describes no trigger";
    EXPECT_NE(listed[0].texts[1], "Never") << "a daily job runs next at a time";
    EXPECT_NE(listed[0].texts[1].find(", 20"), std::string::npos) << listed[0].texts[1];
    EXPECT_EQ(listed[0].texts[2], "Never");
    SavePicture(schedule, "schedule-list");

    // Modify: Wine's scheduler has no property sheet, and the list says so.
    PressDialogButton(schedule, kModifyButton);
    HWND failed = WaitForDialog(kestrune.Id(), "Error code: 0x80004001", 10000);
    ASSERT_NE(failed, nullptr);
    PressDialogButton(failed, IDOK);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(failed); }, 5000));
    EXPECT_TRUE(testing_support::FileExists(JobFile()));

    // Delete there: the job's file goes, and its row; nothing is left to change.
    PressDialogButton(schedule, kDeleteButton);
    EXPECT_TRUE(WaitUntil([&] { return !testing_support::FileExists(JobFile()); }, 10000));
    EXPECT_TRUE(WaitUntil([&] { return SendMessageA(rows, LVM_GETITEMCOUNT, 0, 0) == 0; }, 5000));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(schedule, kModifyButton)));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(schedule, kDeleteButton)));
    PressDialogButton(schedule, IDOK);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(schedule); }, 5000));

    // With the job gone, Schedule offers the wizard again.
    ClickButton(window, kScheduleButton);
    wizard = WaitForCaption(kestrune.Id(), "Schedule Macro");
    ASSERT_NE(wizard, nullptr);
    PressDialogButton(wizard, 1103);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(wizard); }, 5000));
}

}  // namespace
