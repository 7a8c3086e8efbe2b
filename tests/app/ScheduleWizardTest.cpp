// The schedule wizard driven as a user drives it, with real clicks: Next
// and Back through the pages, Next held back while the weekly page has no
// day ticked and the monthly page no month, the messages for numbers out
// of range, Finish saving the macro's job (into a fake scheduler, which
// shows what was saved), and the error box with the scheduler's HRESULT
// when saving fails. Each page is pictured in the screenshots folder.
#include "app/ScheduleRobotDlg.h"
#include "tests/scheduling/FakeTaskScheduler.h"
#include "tests/support/DialogAnswerer.h"
#include "tests/support/Input.h"
#include "tests/support/UiPump.h"
#include "tests/support/WindowCapture.h"

#include <gtest/gtest.h>

using namespace testing_support;
using fake_scheduler::Fake;

namespace {

std::string TextOf(HWND window)
{
    char text[256] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::string ProgramPath()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return path;
}

class Wizard : public testing::Test
{
protected:
    void SetUp() override
    {
        MoveMouseTo(POINT{ GetSystemMetrics(SM_CXSCREEN) - 5, GetSystemMetrics(SM_CYSCREEN) - 5 });
        m_wizard.m_strMacroName = "Daily report";
        ASSERT_TRUE(m_wizard.Create(IDD_SCHEDULE_ROBOT));
        m_wizard.ShowWindow(SW_SHOW);
        m_wizard.SetForegroundWindow();
        PumpMessages(200);
    }
    void TearDown() override
    {
        if (m_wizard.m_hWnd)
            m_wizard.DestroyWindow();
    }

    HWND Page(int index) { return m_wizard.GetPage(index)->m_hWnd; }
    HWND Item(int page, int id) { return GetDlgItem(Page(page), id); }
    HWND Button(int id) { return GetDlgItem(m_wizard.m_hWnd, id); }
    void Click(HWND control)
    {
        ClickAt(CentreOf(control));
        PumpMessages(150);
    }
    void ClickOnPage(int page, int id) { Click(Item(page, id)); }
    void Next() { Click(Button(IDC_SCHED_NEXT)); }
    void Back() { Click(Button(IDC_SCHED_BACK)); }
    bool OnPage(int page)
    {
        return PumpUntil([&] { return m_wizard.GetCurrentPage() == page && IsWindowVisible(Page(page)); }, 3000);
    }
    void Picture(const char* name) { WindowCapture::OfWindow(m_wizard.m_hWnd).SavePng(name); }

    fake_scheduler::Scope m_fake;
    CScheduleRobotDlg m_wizard;
};

TEST_F(Wizard, NextAndBackWalkThePages)
{
    ASSERT_TRUE(OnPage(CScheduleRobotDlg::kKindPage));
    EXPECT_FALSE(IsWindowEnabled(Button(IDC_SCHED_BACK)));
    EXPECT_EQ(IsDlgButtonChecked(Page(0), IDC_SCHED_KIND_DAILY), BST_CHECKED);
    Picture("schedule-wizard-0-kind");

    Next();
    ASSERT_TRUE(OnPage(CScheduleRobotDlg::kDailyPage));
    EXPECT_TRUE(IsWindowEnabled(Button(IDC_SCHED_BACK)));
    EXPECT_EQ(TextOf(Item(1, IDC_SCHED_NUMBER)), "1");
    EXPECT_FALSE(IsWindowEnabled(Item(1, IDC_SCHED_NUMBER))) << "only for Every n days";
    ClickOnPage(1, IDC_SCHED_DAILY_EVERY_N);
    EXPECT_TRUE(PumpUntil([&] { return IsWindowEnabled(Item(1, IDC_SCHED_NUMBER)) != FALSE; }));
    Picture("schedule-wizard-1-daily");
    Back();
    ASSERT_TRUE(OnPage(CScheduleRobotDlg::kKindPage));

    // Weekly: Next waits for a day.
    ClickOnPage(0, IDC_SCHED_KIND_WEEKLY);
    Next();
    ASSERT_TRUE(OnPage(CScheduleRobotDlg::kWeeklyPage));
    EXPECT_FALSE(IsWindowEnabled(Button(IDC_SCHED_NEXT))) << "no day ticked";
    Next();
    EXPECT_EQ(m_wizard.GetCurrentPage(), CScheduleRobotDlg::kWeeklyPage);
    ClickOnPage(2, IDC_SCHED_MONDAY);
    EXPECT_TRUE(PumpUntil([&] { return IsWindowEnabled(Button(IDC_SCHED_NEXT)) != FALSE; }));
    Picture("schedule-wizard-2-weekly");
    ClickOnPage(2, IDC_SCHED_MONDAY);
    EXPECT_TRUE(PumpUntil([&] { return !IsWindowEnabled(Button(IDC_SCHED_NEXT)); })) << "untick: held back again";
    ClickOnPage(2, IDC_SCHED_SUNDAY);
    ASSERT_TRUE(PumpUntil([&] { return IsWindowEnabled(Button(IDC_SCHED_NEXT)) != FALSE; }));
    Next();
    ASSERT_TRUE(OnPage(CScheduleRobotDlg::kAccountPage));
    EXPECT_EQ(TextOf(Button(IDC_SCHED_NEXT)), "Finish");
    EXPECT_FALSE(IsWindowEnabled(Item(5, IDC_SCHED_USER_NAME)));
    ClickOnPage(5, IDC_SCHED_OTHER_ACCOUNT);
    EXPECT_TRUE(PumpUntil([&] { return IsWindowEnabled(Item(5, IDC_SCHED_USER_NAME)) != FALSE; }));
    Picture("schedule-wizard-5-account");
    Back();
    ASSERT_TRUE(OnPage(CScheduleRobotDlg::kWeeklyPage)) << "back to the kind's page";
    EXPECT_EQ(TextOf(Button(IDC_SCHED_NEXT)), "Next >");
    Back();

    // Monthly and one time only, then the event kinds go straight to the account.
    ClickOnPage(0, IDC_SCHED_KIND_MONTHLY);
    Next();
    ASSERT_TRUE(OnPage(CScheduleRobotDlg::kMonthlyPage));
    EXPECT_FALSE(IsWindowEnabled(Item(3, IDC_SCHED_WHICH_WEEK)));
    Picture("schedule-wizard-3-monthly");
    // Next waits for a month, as the weekly page waits for a day.
    for (int id = IDC_SCHED_JAN; id <= IDC_SCHED_JAN + 7; ++id)
        SendMessageA(Item(3, id), BM_SETCHECK, BST_UNCHECKED, 0);
    for (int id = IDC_SCHED_SEP; id <= IDC_SCHED_DEC; ++id)
        SendMessageA(Item(3, id), BM_SETCHECK, BST_UNCHECKED, 0);
    EXPECT_TRUE(PumpUntil([&] { return !IsWindowEnabled(Button(IDC_SCHED_NEXT)); })) << "no month ticked";
    ClickOnPage(3, IDC_SCHED_DEC);
    EXPECT_TRUE(PumpUntil([&] { return IsWindowEnabled(Button(IDC_SCHED_NEXT)) != FALSE; }));
    Back();
    ClickOnPage(0, IDC_SCHED_KIND_ONCE);
    Next();
    ASSERT_TRUE(OnPage(CScheduleRobotDlg::kOncePage));
    Picture("schedule-wizard-4-once");
    Back();
    ClickOnPage(0, IDC_SCHED_KIND_STARTUP);
    Next();
    ASSERT_TRUE(OnPage(CScheduleRobotDlg::kAccountPage));
    Back();
    ASSERT_TRUE(OnPage(CScheduleRobotDlg::kKindPage));
    EXPECT_TRUE(Fake().jobs.empty()) << "nothing saved before Finish";
}

// The pages are parts of the wizard's keyboard interface: Enter in a page
// is the wizard's Next and Escape its Cancel; a page never closes itself,
// not even at its own OK or Cancel.
TEST_F(Wizard, EnterInAPageIsNextAndEscapeCancelsTheWizard)
{
    Next();
    ASSERT_TRUE(OnPage(CScheduleRobotDlg::kDailyPage));
    ClickOnPage(1, IDC_SCHED_DAILY_EVERY_N);
    ASSERT_TRUE(PumpUntil([&] { return IsWindowEnabled(Item(1, IDC_SCHED_NUMBER)) != FALSE; }));
    ClickOnPage(1, IDC_SCHED_NUMBER);
    ASSERT_EQ(GetFocus(), Item(1, IDC_SCHED_NUMBER));
    PressKey(VK_RETURN);
    ASSERT_TRUE(OnPage(CScheduleRobotDlg::kAccountPage));
    EXPECT_TRUE(IsWindow(Page(1))) << "the page left is hidden, not closed";

    // Its own OK and Cancel, whoever sends them, leave the page as it is.
    for (int command : { IDOK, IDCANCEL }) {
        SendMessageA(Page(5), WM_COMMAND, MAKEWPARAM(command, BN_CLICKED), 0);
        PumpMessages(50);
        EXPECT_TRUE(IsWindowVisible(Page(5))) << command;
    }

    ClickOnPage(5, IDC_SCHED_CURRENT_ACCOUNT);
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(PumpUntil([&] { return !m_wizard.IsWindowVisible(); }));
    EXPECT_TRUE(IsWindow(Page(5)));
    EXPECT_TRUE(Fake().jobs.empty()) << "nothing saved";
}

TEST_F(Wizard, FinishSavesTheMacrosJob)
{
    ClickOnPage(0, IDC_SCHED_KIND_MONTHLY);
    Next();
    ASSERT_TRUE(OnPage(CScheduleRobotDlg::kMonthlyPage));
    SetWindowTextA(Item(3, IDC_SCHED_NUMBER), "15");
    ClickOnPage(3, IDC_SCHED_JAN);   // all months start ticked: January off
    Next();
    ASSERT_TRUE(OnPage(CScheduleRobotDlg::kAccountPage));
    Next();
    ASSERT_TRUE(PumpUntil([&] { return m_wizard.GetCurrentPage() == CScheduleRobotDlg::kFinished; }));
    EXPECT_FALSE(m_wizard.IsWindowVisible()) << "the wizard ended";

    ASSERT_EQ(Fake().jobs.count(L"BrenvikKestrune_Daily report"), 1u) << "saved under its name without .job";
    const fake_scheduler::Job& job = Fake().jobs.at(L"BrenvikKestrune_Daily report");
    EXPECT_EQ(job.parameters, L"-a Daily report");
    const std::string program = ProgramPath();
    EXPECT_EQ(_wcsicmp(job.application.c_str(), std::wstring(program.begin(), program.end()).c_str()), 0);
    EXPECT_FALSE(job.folder.empty());
    EXPECT_EQ(job.flags, 0x2001u);
    ASSERT_EQ(job.triggers.size(), 1u);
    EXPECT_EQ(job.triggers[0].TriggerType, TASK_TIME_TRIGGER_MONTHLYDATE);
    EXPECT_EQ(job.triggers[0].Type.MonthlyDate.rgfDays, 1u << 14);
    EXPECT_EQ(job.triggers[0].Type.MonthlyDate.rgfMonths, 0xFFE);
}

TEST_F(Wizard, NumbersOutOfRangeAreToldAndKeepThePage)
{
    DialogAnswerer answerer(IDOK, 100, { m_wizard.m_hWnd });
    Next();
    ASSERT_TRUE(OnPage(CScheduleRobotDlg::kDailyPage));
    ClickOnPage(1, IDC_SCHED_DAILY_EVERY_N);
    SetWindowTextA(Item(1, IDC_SCHED_NUMBER), "0");
    Next();
    ASSERT_TRUE(answerer.WaitFor(1));
    EXPECT_EQ(answerer.Dialogs()[0].text, "Please enter a number of days from 1 to 365.");
    EXPECT_EQ(m_wizard.GetCurrentPage(), CScheduleRobotDlg::kDailyPage);

    Back();
    ClickOnPage(0, IDC_SCHED_KIND_MONTHLY);
    Next();
    ASSERT_TRUE(OnPage(CScheduleRobotDlg::kMonthlyPage));
    SetWindowTextA(Item(3, IDC_SCHED_NUMBER), "33");
    Next();
    ASSERT_TRUE(answerer.WaitFor(2));
    EXPECT_EQ(answerer.Dialogs()[1].text, "Please enter a day of the month from 1 to 31.");
    EXPECT_EQ(m_wizard.GetCurrentPage(), CScheduleRobotDlg::kMonthlyPage);
    EXPECT_TRUE(Fake().jobs.empty());
}

TEST_F(Wizard, AFailedSaveShowsTheSchedulersErrorAndStays)
{
    Fake().failing = { "Save" };
    Fake().failure = E_ACCESSDENIED;
    DialogAnswerer answerer(IDOK, 100, { m_wizard.m_hWnd });
    ClickOnPage(0, IDC_SCHED_KIND_LOGON);
    Next();
    ASSERT_TRUE(OnPage(CScheduleRobotDlg::kAccountPage));
    Next();
    ASSERT_TRUE(answerer.WaitFor(1));
    const std::string text = answerer.Dialogs()[0].text;
    EXPECT_EQ(text.find("Error code: 0x80070005\n\n"), 0u) << text;
    EXPECT_GT(text.size(), std::string("Error code: 0x80070005\n\n").size()) << "with the error's text";
    EXPECT_TRUE(PumpUntil([&] { return m_wizard.GetCurrentPage() == CScheduleRobotDlg::kAccountPage; }));
    EXPECT_TRUE(m_wizard.IsWindowVisible());

    // Another account whose confirmation differs is told before saving.
    ClickOnPage(5, IDC_SCHED_OTHER_ACCOUNT);
    SetWindowTextA(Item(5, IDC_SCHED_USER_NAME), "worker");
    SetWindowTextA(Item(5, IDC_SCHED_PASSWORD), "one");
    SetWindowTextA(Item(5, IDC_SCHED_CONFIRM), "two");
    Fake().calls.clear();
    Next();
    ASSERT_TRUE(answerer.WaitFor(2));
    EXPECT_EQ(answerer.Dialogs()[1].text, "The password and its confirmation differ. Please enter the password again.");
    EXPECT_TRUE(Fake().calls.empty());
}

}  // namespace
