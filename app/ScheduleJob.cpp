#include "app/ScheduleJob.h"

#include <time.h>

namespace {

const char kJobNameFormat[] = "BrenvikKestrune_%s.job";

// The scheduler's own descriptions of the event triggers.
const char kStartupDescription[] = "Run at system startup";
const char kLogonDescription[] = "Run at user logon";

// The description of an HRESULT: from the system's table, else from the
// scheduler's own (its SCHED_E_ codes), without the trailing line break.
CString DescriptionOf(HRESULT result)
{
    char text[512] = {};
    const DWORD flags = FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_MAX_WIDTH_MASK;
    DWORD length = ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | flags, nullptr, static_cast<DWORD>(result), 0, text,
                                    sizeof text, nullptr);
    if (length == 0) {
        HMODULE scheduler = ::GetModuleHandleA("mstask.dll");
        if (scheduler)
            length = ::FormatMessageA(FORMAT_MESSAGE_FROM_HMODULE | flags, scheduler, static_cast<DWORD>(result), 0,
                                      text, sizeof text, nullptr);
    }
    CString description = length ? CString(text) : CString("Unknown error.");
    description.TrimRight();
    return description;
}

}  // namespace

CString ScheduleJobName(const CString& macroName)
{
    CString escaped;
    for (int i = 0; i < macroName.GetLength(); ++i) {
        const char c = macroName[i];
        if (c == '%')
            escaped += "%25";
        else if (c == '.')
            escaped += "%2E";
        else
            escaped += c;
    }
    CString name;
    name.Format(kJobNameFormat, static_cast<LPCSTR>(escaped));
    return name;
}

CString ScheduleParameters(const CString& macroName)
{
    CString parameters;
    parameters.Format("-a %s", static_cast<LPCSTR>(macroName));
    return parameters;
}

BOOL ParametersRunMacro(const CString& parameters, const CString& macroName)
{
    if (parameters.GetLength() <= 2)
        return FALSE;
    return parameters.Mid(3).CompareNoCase(macroName) == 0;
}

CString RunTimeText(const SYSTEMTIME& time)
{
    if (time.wYear < 1900)
        return "Never";
    struct tm local = {};
    local.tm_year = time.wYear - 1900;
    local.tm_mon = time.wMonth - 1;
    local.tm_mday = time.wDay;
    local.tm_hour = time.wHour;
    local.tm_min = time.wMinute;
    local.tm_sec = time.wSecond;
    local.tm_wday = time.wDayOfWeek;
    local.tm_isdst = -1;
    // The weekday from the date itself, whatever the scheduler filled in.
    struct tm normalised = local;
    if (mktime(&normalised) != static_cast<time_t>(-1))
        local.tm_wday = normalised.tm_wday;
    char text[128] = {};
    if (strftime(text, sizeof text, "%A, %B %d, %Y  %H:%M:%S", &local) == 0)
        return "";
    return text;
}

CString NextRunText(const CString& triggerDescription, const SYSTEMTIME& nextRun)
{
    if (triggerDescription.CompareNoCase(kStartupDescription) == 0)
        return "Next startup";
    if (triggerDescription.CompareNoCase(kLogonDescription) == 0)
        return "Next logon";
    return RunTimeText(nextRun);
}

CString ScheduleErrorText(HRESULT result)
{
    CString text;
    text.Format("Error code: 0x%08lX\n\n%s", static_cast<unsigned long>(result),
                static_cast<LPCSTR>(DescriptionOf(result)));
    return text;
}
