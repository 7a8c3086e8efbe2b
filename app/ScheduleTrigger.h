// The one trigger of a macro's job, built from what the schedule wizard's
// pages say: how often (the kind), the start date and time, the interval,
// the days of the week or the day of the month, and the months. The
// numbers come from free text and are checked before anything is built.
#pragma once

#include "framework/String.h"

#include <windows.h>
#include <mstask.h>

// The kinds of page 0, in its order.
enum ScheduleKind
{
    kScheduleDaily = 1,
    kScheduleWeekly,
    kScheduleMonthly,
    kScheduleOnce,
    kScheduleAtStartup,
    kScheduleAtLogon,
};

// Page 1's choice.
enum ScheduleDailyMode
{
    kEveryDay,
    kWeekdays,
    kEveryNDays,
};

// Page 3's choice.
enum ScheduleMonthlyMode
{
    kDayOfMonth,
    kWeekdayOfMonth,
};

struct ScheduleChoice
{
    int kind = kScheduleDaily;
    SYSTEMTIME startDate = {};     // the date picker (daily kinds, one time only)
    SYSTEMTIME startTime = {};     // the time picker: its hour and minute
    SYSTEMTIME now = {};           // local time: the begin of the other kinds
    int dailyMode = kEveryDay;
    CString number;                // the interval, or the day of the month, as typed
    WORD weekdays = 0;             // TASK_SUNDAY ... TASK_SATURDAY bits
    int monthlyMode = kDayOfMonth;
    int whichWeek = 0;             // 0 "first" ... 4 "last"
    int weekday = 0;               // 0 Monday ... 6 Sunday
    WORD months = 0;               // TASK_JANUARY ... TASK_DECEMBER bits
};

// The TASK_SUNDAY ... TASK_SATURDAY bit of a day counted from Monday (0).
WORD WeekdayBitFromMonday(int dayFromMonday);
// The TASK_JANUARY ... TASK_DECEMBER bit of a month counted from January (0).
WORD MonthBit(int monthFromJanuary);

// FALSE, with the message for the user, when the number the kind uses is
// not a whole number in its range (days 1-365, weeks 1-52, day of the month
// 1-31) or no day or month is chosen where one is needed.
BOOL CheckScheduleChoice(const ScheduleChoice& choice, CString& message);
// The trigger of the choice (CheckScheduleChoice first: FALSE with its message).
BOOL BuildScheduleTrigger(const ScheduleChoice& choice, TASK_TRIGGER& trigger, CString& message);
