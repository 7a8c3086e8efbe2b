// The state of the waits that builtins start and the run loop polls
// (WaitPolls.cpp): when a timed wait began and how long it may take, and
// the program that RunWait waits for.
#pragma once

#include <windows.h>

struct WaitState
{
    DWORD Start = 0;                 // timeGetTime() when the wait began
    DWORD Timeout = 0;               // ms; 0: none
    HANDLE RunWaitProcess = nullptr;
};
