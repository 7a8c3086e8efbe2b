#include "scheduling/SchedulerObject.h"

#include <stdio.h>

namespace {

HRESULT CreateSystemScheduler(ITaskScheduler** scheduler)
{
    return ::CoCreateInstance(CLSID_CTaskScheduler, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskScheduler,
                              reinterpret_cast<void**>(scheduler));
}

TaskSchedulerFactory g_factory = &CreateSystemScheduler;

const char kJobExtension[] = ".job";

}  // namespace

HRESULT CreateTaskSchedulerObject(ITaskScheduler** scheduler)
{
    *scheduler = nullptr;
    return g_factory(scheduler);
}

TaskSchedulerFactory SetTaskSchedulerFactory(TaskSchedulerFactory factory)
{
    TaskSchedulerFactory previous = g_factory;
    g_factory = factory ? factory : &CreateSystemScheduler;
    return previous;
}

std::wstring ToWide(LPCSTR text)
{
    if (!text || !*text)
        return std::wstring();
    int length = ::MultiByteToWideChar(CP_THREAD_ACP, 0, text, -1, nullptr, 0);
    if (length <= 0)
        return std::wstring();
    std::wstring wide(static_cast<size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_THREAD_ACP, 0, text, -1, &wide[0], length);
    wide.resize(static_cast<size_t>(length - 1));
    return wide;
}

CString FromWide(LPCWSTR text)
{
    if (!text || !*text)
        return CString();
    int length = ::WideCharToMultiByte(CP_THREAD_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (length <= 0)
        return CString();
    std::string narrow(static_cast<size_t>(length), '\0');
    ::WideCharToMultiByte(CP_THREAD_ACP, 0, text, -1, &narrow[0], length, nullptr, nullptr);
    return CString(narrow.c_str());
}

std::wstring ItemNameOf(LPCSTR jobName)
{
    CString name(jobName ? jobName : "");
    const int extension = static_cast<int>(sizeof kJobExtension - 1);
    if (name.GetLength() > extension && name.Right(extension).CompareNoCase(kJobExtension) == 0)
        name = name.Left(name.GetLength() - extension);
    return ToWide(name);
}

void ReportSchedulerFailure(LPCSTR format, HRESULT result)
{
    char line[256];
    _snprintf(line, sizeof line - 1, format, static_cast<unsigned>(result));
    line[sizeof line - 1] = '\0';
    HANDLE output = ::GetStdHandle(STD_OUTPUT_HANDLE);
    if (output && output != INVALID_HANDLE_VALUE) {
        fputs(line, stdout);
        fflush(stdout);
    } else {
        ::OutputDebugStringA(line);
    }
}
