// The state of the waits that builtins start and the run loop polls
// (WaitPolls.cpp): when a timed wait began and how long it may take, and
// the program that RunWait waits for, the process that the process waits
// look for.
#pragma once

#include "engine/EngineString.h"

#include <windows.h>

// What the run loop is doing; the waits are states that each turn polls.
enum RunState
{
    kRunStateRunning = 0,
    kRunStateStop = 1,
    kRunStateDelay = 2,
    kRunStateWinWait = 3,
    kRunStateWinWaitClose = 4,
    kRunStateWinWaitActive = 5,
    kRunStateWinWaitNotActive = 6,
    kRunStateRunWait = 7,
    kRunStateWindowBound = 8,     // waiting for a line's recorded window
    kRunStateProcessWait = 9,
    kRunStateProcessWaitClose = 10
};

struct WaitState
{
    DWORD Start = 0;                 // timeGetTime() when the wait began
    DWORD Timeout = 0;               // ms; 0: none
    HANDLE RunWaitProcess = nullptr;
    CEngineString ProcessName;       // ProcessWait, ProcessWaitClose
};
