// The Task Scheduler's service of the test prefix, which Wine does not start
// by itself: started on first need and left running for the session.
#pragma once

#include <windows.h>

#include <string>

namespace testing_support {

// Starts the service (if it is not running yet) and waits for it; true
// once it runs.
bool StartTaskSchedulerService(DWORD timeoutMs = 60000);

// The folder of the scheduler's job files, "C:\windows\Tasks".
std::string TaskFolder();

}  // namespace testing_support
