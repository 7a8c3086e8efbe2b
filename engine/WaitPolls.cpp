// What a turn of the run loop does before it may run a line: a script hot
// key or the Adlib function may run, and a pending wait is polled. While a
// wait goes on, each turn sleeps in its poll and runs no line; the wait's
// completion sets the return flag, which ends the wait loop.
#include "engine/ScriptEngine.h"
#include "engine/automation/ProcessList.h"

#include <mmsystem.h>

bool CPandrel_Script::PollWaitState()
{
    if (StopFlag)
        return false;   // the loop ends the run
    if (PollHotKeyRing())
        return true;
    if (g_LongWaitActive) {
        Sleep(10);
        return true;
    }
    if (m_longWaitEvent)
        EndLongWaitTimer();   // the timer has fired
    if (PollAdlib())
        return true;
    switch (m_runState) {
    case kRunStateRunning:
        return false;
    case kRunStateWindowBound:
        return PollRecordedWindowWait();
    case kRunStateRunWait:
        return PollRunWait();
    default:
        return PollProcessWait() || PollWindowWait();
    }
}

bool CPandrel_Script::RunCallback(const char* functionName)
{
    int firstLine, parameterCount, lastLine;
    if (!LookupUserFunction(functionName, firstLine, parameterCount, lastLine))
        return false;
    CallFunction(firstLine + 1, true, true);
    return true;
}

bool CPandrel_Script::PollHotKeyRing()
{
    if (m_hotKeyReadPosition == g_HotKeyRingWritePosition)
        return false;
    const int id = g_HotKeyRing[m_hotKeyReadPosition];
    m_hotKeyReadPosition = (m_hotKeyReadPosition + 1) % kHotKeyRingSize;
    const ScriptHotKeySlot* hotKeys = m_context.Callbacks().HotKeys;
    if (id < 0 || id >= kScriptHotKeySlots || !hotKeys[id].InUse)
        return false;
    const int state = m_runState;
    m_runState = kRunStateRunning;
    // A copy: the function may set the key again, which rewrites the slot.
    const CEngineString function(hotKeys[id].FunctionName);
    if (!RunCallback(function)) {
        m_runState = state;
        return false;
    }
    if (m_runState != kRunStateStop)
        m_runState = state;
    return true;
}

bool CPandrel_Script::PollAdlib()
{
    AdlibSettings& adlib = m_context.Callbacks().Adlib;
    if (!adlib.Enabled || adlib.Running)
        return false;
    const DWORD now = timeGetTime();
    const DWORD elapsed = now >= adlib.LastTick ? now - adlib.LastTick : now - adlib.LastTick - 1;
    if (elapsed < static_cast<DWORD>(adlib.Interval))
        return false;
    adlib.LastTick = now;
    const int state = m_runState;
    m_runState = kRunStateRunning;
    adlib.Running = 1;
    const CEngineString function(adlib.Function);
    RunCallback(function);
    adlib.Running = 0;
    if (m_runState == kRunStateStop)
        return true;
    m_runState = state;
    return false;
}

bool CPandrel_Script::PollRunWait()
{
    // The handle's own state says whether the program still runs: its exit
    // code may be 259 (STILL_ACTIVE) too.
    HANDLE& process = m_context.Waits().RunWaitProcess;
    const DWORD wait = WaitForSingleObject(process, 0);
    if (wait == WAIT_TIMEOUT) {
        Sleep(10);
        return true;
    }
    DWORD exitCode = 0;
    if (wait == WAIT_OBJECT_0 && GetExitCodeProcess(process, &exitCode)) {
        m_result.SetInt(static_cast<int>(exitCode));
    } else {
        m_result.SetInt(0);
        SetError(1);
    }
    if (wait == WAIT_OBJECT_0)
        CloseHandle(process);
    process = nullptr;
    m_returnFlag = 1;
    m_runState = kRunStateRunning;
    return true;
}

bool CPandrel_Script::PollWindowWait()
{
    if (m_runState < kRunStateDelay || m_runState > kRunStateWinWaitNotActive)
        return false;
    Sleep(10);
    // Unsigned, so the time survives the counter's wrap; the time is tested
    // first, so a window that turns up in the last turn is too late.
    const WaitState& waits = m_context.Waits();
    if (waits.Timeout != 0 && timeGetTime() - waits.Start >= waits.Timeout) {
        if (m_runState != kRunStateDelay)
            m_result.SetInt(0);
        m_runState = kRunStateRunning;
        m_returnFlag = 1;
        return true;
    }
    CWindowSearch& search = m_context.WindowSearch();
    bool done = false;
    switch (m_runState) {
    case kRunStateWinWait: done = search.FindWindowByTitle(); break;
    case kRunStateWinWaitClose: done = !search.FindWindowByTitle(); break;
    case kRunStateWinWaitActive: done = search.IsMatchActive(); break;
    case kRunStateWinWaitNotActive: done = !search.IsMatchActive(); break;
    default: break;   // DELAY ends only by its time
    }
    if (done) {
        m_runState = kRunStateRunning;
        m_returnFlag = 1;
        m_context.PauseBetweenSteps(search.Options.WaitDelay);
    }
    return true;
}

bool CPandrel_Script::PollProcessWait()
{
    if (m_runState != kRunStateProcessWait && m_runState != kRunStateProcessWaitClose)
        return false;
    Sleep(10);
    const WaitState& waits = m_context.Waits();
    if (waits.Timeout != 0 && timeGetTime() - waits.Start >= waits.Timeout) {
        m_result.SetInt(0);
        m_runState = kRunStateRunning;
        m_returnFlag = 1;
        return true;
    }
    DWORD id = 0;
    bool found = false;
    if (!FindProcess(waits.ProcessName, id, found)) {
        ShowScriptError(kNoProcessListMessage, -1);
        return true;
    }
    if (found == (m_runState == kRunStateProcessWait)) {
        m_runState = kRunStateRunning;
        m_returnFlag = 1;
        m_context.PauseBetweenSteps(m_context.WindowSearch().Options.WaitDelay);
    }
    return true;
}
