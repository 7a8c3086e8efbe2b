// The run loop. For now it serves the waits of the blocking builtins
// (Execute(0, 0)): it pumps the thread's messages and polls the wait state
// each turn. Running script lines comes with the statement executor; until
// then a turn that would run a line ends the level.
#include "engine/ScriptEngine.h"

#include <mmsystem.h>

int CPandrel_Script::Execute(int startLine, int topLevel)
{
    if (startLine != 0)
        m_runState = kRunStateRunning;   // a wait keeps the state its builtin set
    if (!topLevel) {
        if (m_nestingDepth >= kMaxNestingDepth) {
            ShowScriptError("Recursion level has been exceeded - Brenvik Kestrune will quit to prevent stack overflow.", -1);
            return 1;
        }
        ++m_nestingDepth;
    }
    m_returnFlag = 0;
    while (!m_returnFlag) {
        PumpMessages();
        if (m_runState == kRunStateStop)
            break;
        if (PollWaitState())
            continue;
        m_runState = kRunStateStop;
    }
    m_returnFlag = 0;
    if (!topLevel)
        --m_nestingDepth;
    return 0;
}

void CPandrel_Script::PumpMessages()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // The run ends; the quit goes back for the application's own loop.
            PostQuitMessage(static_cast<int>(message.wParam));
            m_runState = kRunStateStop;
            return;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

bool CPandrel_Script::PollWaitState()
{
    if (StopFlag)
        return false;
    if (m_runState == kRunStateDelay) {
        Sleep(10);
        // Unsigned, so the time survives the counter's wrap.
        if (timeGetTime() - m_waitStart >= m_waitTimeout) {
            m_runState = kRunStateRunning;
            m_returnFlag = 1;
        }
        return true;
    }
    return false;
}
