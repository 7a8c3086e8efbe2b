#include "app/ScheduleTrigger.h"

namespace {

const char kDaysMessage[] = "Please enter a number of days from 1 to 365.";
const char kWeeksMessage[] = "Please enter a number of weeks from 1 to 52.";
const char kDayOfMonthMessage[] = "Please enter a day of the month from 1 to 31.";
const char kNoWeekdayMessage[] = "Please tick at least one day of the week.";
const char kNoMonthMessage[] = "Please tick at least one month.";

// The number typed, when it is a whole decimal number from `low` to `high`
// (blanks around it aside); else 0.
int NumberInRange(const CString& text, int low, int high)
{
    CString trimmed = text;
    trimmed.Trim();
    if (trimmed.IsEmpty() || trimmed.GetLength() > 3)
        return 0;
    int value = 0;
    for (int i = 0; i < trimmed.GetLength(); ++i) {
        const char digit = trimmed[i];
        if (digit < '0' || digit > '9')
            return 0;
        value = value * 10 + (digit - '0');
    }
    return value >= low && value <= high ? value : 0;
}

struct NumberRule
{
    int low, high;
    const char* message;
};

// The range of the number the choice uses; false when it uses none.
bool RuleOf(const ScheduleChoice& choice, NumberRule& rule)
{
    switch (choice.kind) {
    case kScheduleDaily:
        rule = { 1, 365, kDaysMessage };
        return choice.dailyMode == kEveryNDays;
    case kScheduleWeekly:
        rule = { 1, 52, kWeeksMessage };
        return true;
    case kScheduleMonthly:
        rule = { 1, 31, kDayOfMonthMessage };
        return choice.monthlyMode == kDayOfMonth;
    default:
        return false;
    }
}

void SetBegin(TASK_TRIGGER& trigger, const SYSTEMTIME& date, const SYSTEMTIME& time)
{
    trigger.wBeginYear = date.wYear;
    trigger.wBeginMonth = date.wMonth;
    trigger.wBeginDay = date.wDay;
    trigger.wStartHour = time.wHour;
    trigger.wStartMinute = time.wMinute;
}

}  // namespace

WORD WeekdayBitFromMonday(int dayFromMonday)
{
    // Sunday is bit 0, Monday bit 1, ... Saturday bit 6.
    return static_cast<WORD>(1u << ((dayFromMonday + 1) % 7));
}

WORD MonthBit(int monthFromJanuary)
{
    return static_cast<WORD>(1u << monthFromJanuary);
}

BOOL CheckScheduleChoice(const ScheduleChoice& choice, CString& message)
{
    NumberRule rule;
    if (RuleOf(choice, rule) && !NumberInRange(choice.number, rule.low, rule.high)) {
        message = rule.message;
        return FALSE;
    }
    if (choice.kind == kScheduleWeekly && (choice.weekdays & 0x7F) == 0) {
        message = kNoWeekdayMessage;
        return FALSE;
    }
    if (choice.kind == kScheduleMonthly && (choice.months & 0xFFF) == 0) {
        message = kNoMonthMessage;
        return FALSE;
    }
    if (choice.kind == kScheduleMonthly && choice.monthlyMode == kWeekdayOfMonth &&
        (choice.whichWeek < 0 || choice.whichWeek > 4 || choice.weekday < 0 || choice.weekday > 6)) {
        message = kNoWeekdayMessage;
        return FALSE;
    }
    return TRUE;
}

BOOL BuildScheduleTrigger(const ScheduleChoice& choice, TASK_TRIGGER& trigger, CString& message)
{
    if (!CheckScheduleChoice(choice, message))
        return FALSE;
    trigger = TASK_TRIGGER();
    trigger.cbTriggerSize = sizeof trigger;
    NumberRule rule;
    const int number = RuleOf(choice, rule) ? NumberInRange(choice.number, rule.low, rule.high) : 0;

    switch (choice.kind) {
    case kScheduleDaily:
        SetBegin(trigger, choice.startDate, choice.startTime);
        if (choice.dailyMode == kWeekdays) {
            trigger.TriggerType = TASK_TIME_TRIGGER_WEEKLY;
            trigger.Type.Weekly.WeeksInterval = 1;
            trigger.Type.Weekly.rgfDaysOfTheWeek = TASK_MONDAY | TASK_TUESDAY | TASK_WEDNESDAY | TASK_THURSDAY | TASK_FRIDAY;
        } else {
            trigger.TriggerType = TASK_TIME_TRIGGER_DAILY;
            trigger.Type.Daily.DaysInterval = static_cast<WORD>(choice.dailyMode == kEveryNDays ? number : 1);
        }
        break;
    case kScheduleWeekly:
        SetBegin(trigger, choice.now, choice.startTime);
        trigger.TriggerType = TASK_TIME_TRIGGER_WEEKLY;
        trigger.Type.Weekly.WeeksInterval = static_cast<WORD>(number);
        trigger.Type.Weekly.rgfDaysOfTheWeek = static_cast<WORD>(choice.weekdays & 0x7F);
        break;
    case kScheduleMonthly:
        SetBegin(trigger, choice.now, choice.startTime);
        if (choice.monthlyMode == kDayOfMonth) {
            trigger.TriggerType = TASK_TIME_TRIGGER_MONTHLYDATE;
            trigger.Type.MonthlyDate.rgfDays = 1ul << (number - 1);
            trigger.Type.MonthlyDate.rgfMonths = static_cast<WORD>(choice.months & 0xFFF);
        } else {
            trigger.TriggerType = TASK_TIME_TRIGGER_MONTHLYDOW;
            trigger.Type.MonthlyDOW.wWhichWeek = static_cast<WORD>(choice.whichWeek + 1);
            trigger.Type.MonthlyDOW.rgfDaysOfTheWeek = WeekdayBitFromMonday(choice.weekday);
            trigger.Type.MonthlyDOW.rgfMonths = static_cast<WORD>(choice.months & 0xFFF);
        }
        break;
    case kScheduleOnce:
        SetBegin(trigger, choice.startDate, choice.startTime);
        trigger.TriggerType = TASK_TIME_TRIGGER_ONCE;
        break;
    case kScheduleAtStartup:
    case kScheduleAtLogon:
        SetBegin(trigger, choice.now, choice.now);
        trigger.TriggerType = choice.kind == kScheduleAtStartup ? TASK_EVENT_TRIGGER_AT_SYSTEMSTART
                                                                 : TASK_EVENT_TRIGGER_AT_LOGON;
        break;
    default:
        message = "Please choose when the macro runs.";
        return FALSE;
    }
    return TRUE;
}
