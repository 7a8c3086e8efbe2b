// The way to the Task Scheduler: its object, the names it knows jobs by,
// the conversions of text for its wide-string calls, and where its failures
// are reported.
#pragma once

#include "framework/String.h"

#include <windows.h>
#include <mstask.h>

#include <string>

// Makes the scheduler object (CoCreateInstance of CLSID_CTaskScheduler, in
// process). A test puts a factory of its own in place of the system's;
// null puts the system's back. Returns the factory it replaced.
typedef HRESULT (*TaskSchedulerFactory)(ITaskScheduler** scheduler);
HRESULT CreateTaskSchedulerObject(ITaskScheduler** scheduler);
TaskSchedulerFactory SetTaskSchedulerFactory(TaskSchedulerFactory factory);

// Multi-byte text (the thread's ANSI code page) to and from wide text.
std::wstring ToWide(LPCSTR text);
CString FromWide(LPCWSTR text);

// A job's file name ("Daily report.job") as the scheduler's calls take it:
// without the extension, as they refuse names that contain a dot.
std::wstring ItemNameOf(LPCSTR jobName);

// Writes a diagnostic line with the HRESULT in place of its %x: to the
// standard output when the process has one, else to the debugger.
void ReportSchedulerFailure(LPCSTR format, HRESULT result);
