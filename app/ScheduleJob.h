// A macro's Task Scheduler job as this program names and shows it: the
// job's file name, the parameters that run the macro, which job belongs to
// which macro, the run times and the scheduler's error texts.
#pragma once

#include "framework/String.h"

#include <windows.h>

// "BrenvikKestrune_<name>.job". The scheduler refuses item names that hold
// a dot, so a macro name's "." is written "%2E" (and "%" "%25", which keeps
// the mapping reversible).
CString ScheduleJobName(const CString& macroName);
// "-a <name>": the program's switch that runs the macro.
CString ScheduleParameters(const CString& macroName);
// Whether a job with these parameters runs the macro: "-a " (or any three
// characters) and then the macro's name, letter case aside.
BOOL ParametersRunMacro(const CString& parameters, const CString& macroName);
// A run time as the schedule list shows it: "Never" when the scheduler gave
// none (a year before 1900), else "Monday, March 02, 2026  09:30:00".
CString RunTimeText(const SYSTEMTIME& time);
// The next run as the schedule list shows it: "Next startup" or "Next
// logon" for a job whose trigger the scheduler describes as "Run at system
// startup" or "Run at user logon" (letter case aside), whose next run comes
// with that event; otherwise RunTimeText of the next run time.
CString NextRunText(const CString& triggerDescription, const SYSTEMTIME& nextRun);
// "Error code: 0x80070005\n\n<the system's text for it>".
CString ScheduleErrorText(HRESULT result);
