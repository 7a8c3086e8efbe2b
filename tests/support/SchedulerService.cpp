#include "tests/support/SchedulerService.h"

namespace testing_support {

bool StartTaskSchedulerService(DWORD timeoutMs)
{
    SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CONNECT);
    if (!manager)
        return false;
    SC_HANDLE service = OpenServiceA(manager, "Schedule", SERVICE_START | SERVICE_QUERY_STATUS);
    bool running = false;
    const DWORD start = GetTickCount();
    while (service && GetTickCount() - start < timeoutMs) {
        SERVICE_STATUS status = {};
        if (!QueryServiceStatus(service, &status))
            break;
        if (status.dwCurrentState == SERVICE_RUNNING) {
            running = true;
            break;
        }
        // Another test may be starting it, or the service manager may still
        // be starting the prefix's own services: ask again until it runs.
        if (status.dwCurrentState == SERVICE_STOPPED)
            StartServiceA(service, 0, nullptr);
        Sleep(100);
    }
    if (service)
        CloseServiceHandle(service);
    CloseServiceHandle(manager);
    return running;
}

std::string TaskFolder()
{
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    return std::string(windows) + "\\Tasks";
}

}  // namespace testing_support
