// The trigger of a schedule, built from the wizard's choice, as a table; the
// numbers typed that are refused, with their messages; and the job names,
// parameters, matching and run-time texts of a macro's job.
#include "app/ScheduleJob.h"
#include "app/ScheduleTrigger.h"

#include <gtest/gtest.h>

namespace {

const SYSTEMTIME kDate = { 2026, 4, 0, 20, 0, 0, 0, 0 };    // the date picker
const SYSTEMTIME kTime = { 2026, 1, 0, 1, 7, 45, 0, 0 };    // the time picker: 07:45
const SYSTEMTIME kNow = { 2026, 3, 1, 2, 10, 15, 30, 0 };   // Monday 2 March 2026, 10:15

ScheduleChoice Choice(int kind)
{
    ScheduleChoice choice;
    choice.kind = kind;
    choice.startDate = kDate;
    choice.startTime = kTime;
    choice.now = kNow;
    choice.number = "1";
    choice.months = 0xFFF;
    return choice;
}

TEST(ScheduleTrigger, EachKindBuildsItsTrigger)
{
    struct Case
    {
        const char* what;
        ScheduleChoice choice;
        TASK_TRIGGER_TYPE type;
        WORD beginMonth, beginDay, hour, minute;
        WORD interval;     // days or weeks
        WORD weekdays;
        DWORD days;        // of the month
        WORD months;
        WORD whichWeek;
    };
    auto with = [](int kind, auto change) {
        ScheduleChoice choice = Choice(kind);
        change(choice);
        return choice;
    };
    const auto same = [](ScheduleChoice&) {};
    const Case cases[] = {
        { "daily", Choice(kScheduleDaily), TASK_TIME_TRIGGER_DAILY, 4, 20, 7, 45, 1, 0, 0, 0, 0 },
        { "every 3 days", with(kScheduleDaily, [](ScheduleChoice& c) { c.dailyMode = kEveryNDays; c.number = " 3 "; }),
          TASK_TIME_TRIGGER_DAILY, 4, 20, 7, 45, 3, 0, 0, 0, 0 },
        { "every 365 days", with(kScheduleDaily, [](ScheduleChoice& c) { c.dailyMode = kEveryNDays; c.number = "365"; }),
          TASK_TIME_TRIGGER_DAILY, 4, 20, 7, 45, 365, 0, 0, 0, 0 },
        { "weekdays", with(kScheduleDaily, [](ScheduleChoice& c) { c.dailyMode = kWeekdays; c.number = "0"; }),
          TASK_TIME_TRIGGER_WEEKLY, 4, 20, 7, 45, 1, 0x3E, 0, 0, 0 },
        { "every 2 weeks on Monday and Sunday",
          with(kScheduleWeekly, [](ScheduleChoice& c) { c.number = "2"; c.weekdays = WeekdayBitFromMonday(0) | WeekdayBitFromMonday(6); }),
          TASK_TIME_TRIGGER_WEEKLY, 3, 2, 7, 45, 2, 0x03, 0, 0, 0 },
        { "weekly on Saturday", with(kScheduleWeekly, [](ScheduleChoice& c) { c.weekdays = WeekdayBitFromMonday(5); }),
          TASK_TIME_TRIGGER_WEEKLY, 3, 2, 7, 45, 1, 0x40, 0, 0, 0 },
        { "day 15 of every month", with(kScheduleMonthly, [](ScheduleChoice& c) { c.number = "15"; }),
          TASK_TIME_TRIGGER_MONTHLYDATE, 3, 2, 7, 45, 0, 0, 1u << 14, 0xFFF, 0 },
        { "day 31 of January and December",
          with(kScheduleMonthly, [](ScheduleChoice& c) { c.number = "31"; c.months = MonthBit(0) | MonthBit(11); }),
          TASK_TIME_TRIGGER_MONTHLYDATE, 3, 2, 7, 45, 0, 0, 1u << 30, 0x801, 0 },
        { "day 1 of July", with(kScheduleMonthly, [](ScheduleChoice& c) { c.months = MonthBit(6); }),
          TASK_TIME_TRIGGER_MONTHLYDATE, 3, 2, 7, 45, 0, 0, 1, 0x40, 0 },
        { "the last Friday of every month",
          with(kScheduleMonthly, [](ScheduleChoice& c) { c.monthlyMode = kWeekdayOfMonth; c.whichWeek = 4; c.weekday = 4; c.number = "x"; }),
          TASK_TIME_TRIGGER_MONTHLYDOW, 3, 2, 7, 45, 0, 0x20, 0, 0xFFF, 5 },
        { "the first Sunday of every month",
          with(kScheduleMonthly, [](ScheduleChoice& c) { c.monthlyMode = kWeekdayOfMonth; c.weekday = 6; }),
          TASK_TIME_TRIGGER_MONTHLYDOW, 3, 2, 7, 45, 0, 0x01, 0, 0xFFF, 1 },
        { "one time only", Choice(kScheduleOnce), TASK_TIME_TRIGGER_ONCE, 4, 20, 7, 45, 0, 0, 0, 0, 0 },
        { "at start-up", with(kScheduleAtStartup, same), TASK_EVENT_TRIGGER_AT_SYSTEMSTART, 3, 2, 10, 15, 0, 0, 0, 0, 0 },
        { "at log-on", with(kScheduleAtLogon, same), TASK_EVENT_TRIGGER_AT_LOGON, 3, 2, 10, 15, 0, 0, 0, 0, 0 },
    };
    for (const Case& c : cases) {
        TASK_TRIGGER trigger;
        CString message;
        ASSERT_TRUE(BuildScheduleTrigger(c.choice, trigger, message)) << c.what << ": " << message.str();
        EXPECT_EQ(trigger.cbTriggerSize, 48) << c.what;
        EXPECT_EQ(trigger.TriggerType, c.type) << c.what;
        EXPECT_EQ(trigger.wBeginYear, 2026) << c.what;
        EXPECT_EQ(trigger.wBeginMonth, c.beginMonth) << c.what;
        EXPECT_EQ(trigger.wBeginDay, c.beginDay) << c.what;
        EXPECT_EQ(trigger.wStartHour, c.hour) << c.what;
        EXPECT_EQ(trigger.wStartMinute, c.minute) << c.what;
        EXPECT_EQ(trigger.rgFlags, 0u) << c.what;
        switch (c.type) {
        case TASK_TIME_TRIGGER_DAILY:
            EXPECT_EQ(trigger.Type.Daily.DaysInterval, c.interval) << c.what;
            break;
        case TASK_TIME_TRIGGER_WEEKLY:
            EXPECT_EQ(trigger.Type.Weekly.WeeksInterval, c.interval) << c.what;
            EXPECT_EQ(trigger.Type.Weekly.rgfDaysOfTheWeek, c.weekdays) << c.what;
            break;
        case TASK_TIME_TRIGGER_MONTHLYDATE:
            EXPECT_EQ(trigger.Type.MonthlyDate.rgfDays, c.days) << c.what;
            EXPECT_EQ(trigger.Type.MonthlyDate.rgfMonths, c.months) << c.what;
            break;
        case TASK_TIME_TRIGGER_MONTHLYDOW:
            EXPECT_EQ(trigger.Type.MonthlyDOW.wWhichWeek, c.whichWeek) << c.what;
            EXPECT_EQ(trigger.Type.MonthlyDOW.rgfDaysOfTheWeek, c.weekdays) << c.what;
            EXPECT_EQ(trigger.Type.MonthlyDOW.rgfMonths, c.months) << c.what;
            break;
        default:
            EXPECT_EQ(trigger.Type.Daily.DaysInterval, 0) << c.what << ": no union fields";
            break;
        }
    }
}

TEST(ScheduleTrigger, NumbersOutOfRangeAreRefusedWithAMessage)
{
    const char kDays[] = "Please enter a number of days from 1 to 365.";
    const char kWeeks[] = "Please enter a number of weeks from 1 to 52.";
    const char kDay[] = "Please enter a day of the month from 1 to 31.";
    struct Case
    {
        int kind;
        const char* number;
        const char* message;
    };
    const Case cases[] = {
        { kScheduleDaily, "0", kDays }, { kScheduleDaily, "366", kDays }, { kScheduleDaily, "", kDays },
        { kScheduleDaily, "-1", kDays }, { kScheduleDaily, "2x", kDays }, { kScheduleDaily, "99999999999", kDays },
        { kScheduleWeekly, "0", kWeeks }, { kScheduleWeekly, "53", kWeeks }, { kScheduleWeekly, "1.5", kWeeks },
        { kScheduleMonthly, "0", kDay }, { kScheduleMonthly, "32", kDay }, { kScheduleMonthly, "33", kDay },
        { kScheduleMonthly, " ", kDay },
    };
    for (const Case& c : cases) {
        ScheduleChoice choice = Choice(c.kind);
        choice.dailyMode = kEveryNDays;
        choice.weekdays = 0x02;
        choice.number = c.number;
        TASK_TRIGGER trigger = {};
        CString message;
        EXPECT_FALSE(BuildScheduleTrigger(choice, trigger, message)) << c.kind << " '" << c.number << "'";
        EXPECT_EQ(message, c.message) << c.kind << " '" << c.number << "'";
        EXPECT_EQ(trigger.TriggerType, 0) << "nothing built";
    }

    CString message;
    ScheduleChoice noDay = Choice(kScheduleWeekly);
    EXPECT_FALSE(CheckScheduleChoice(noDay, message));
    EXPECT_EQ(message, "Please tick at least one day of the week.");
    ScheduleChoice noMonth = Choice(kScheduleMonthly);
    noMonth.months = 0;
    EXPECT_FALSE(CheckScheduleChoice(noMonth, message));
    EXPECT_EQ(message, "Please tick at least one month.");
}

TEST(ScheduleJob, NamesParametersAndMatching)
{
    EXPECT_EQ(ScheduleJobName("Daily report"), "BrenvikKestrune_Daily report.job");
    EXPECT_EQ(ScheduleJobName("v1.2 report"), "BrenvikKestrune_v1%2E2 report.job");
    EXPECT_EQ(ScheduleJobName("50% off."), "BrenvikKestrune_50%25 off%2E.job");
    EXPECT_NE(ScheduleJobName("a.b"), ScheduleJobName("a%2Eb")) << "the mapping keeps names apart";
    EXPECT_EQ(ScheduleParameters("Daily report"), "-a Daily report");

    EXPECT_TRUE(ParametersRunMacro("-a Daily report", "Daily report"));
    EXPECT_TRUE(ParametersRunMacro("-a DAILY Report", "daily report")) << "letter case aside";
    EXPECT_FALSE(ParametersRunMacro("-a Daily", "Daily report"));
    EXPECT_FALSE(ParametersRunMacro("", "x"));
    EXPECT_FALSE(ParametersRunMacro("-a", ""));
    EXPECT_TRUE(ParametersRunMacro("-a ", "")) << "three characters and an empty name";
}

TEST(ScheduleJob, RunTimeTexts)
{
    const SYSTEMTIME none = {};
    EXPECT_EQ(RunTimeText(none), "Never");
    const SYSTEMTIME early = { 1899, 12, 0, 31, 0, 0, 0, 0 };
    EXPECT_EQ(RunTimeText(early), "Never");
    const SYSTEMTIME morning = { 2026, 3, 0, 2, 9, 5, 7, 0 };   // the weekday as given is wrong
    EXPECT_EQ(RunTimeText(morning), "Monday, March 02, 2026  09:05:07");
    // An event job runs next at its event, whatever time the scheduler gives.
    EXPECT_EQ(NextRunText("Run at system startup", morning), "Next startup");
    EXPECT_EQ(NextRunText("run at USER logon", none), "Next logon");
    EXPECT_EQ(NextRunText("At 09:05 every day", morning), "Monday, March 02, 2026  09:05:07");
    EXPECT_EQ(NextRunText("", none), "Never");
    EXPECT_NE(ScheduleErrorText(E_ACCESSDENIED).str().find("Error code: 0x80070005\n\n"), std::string::npos);
    EXPECT_GT(ScheduleErrorText(E_ACCESSDENIED).GetLength(), 26) << "with the system's text";
}

}  // namespace
