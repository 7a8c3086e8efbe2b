#include "engine/builtins/BuiltinContext.h"

#include "engine/ScriptEngine.h"
#include "engine/ScriptFile.h"
#include "engine/support/PreciseSleep.h"

#include <mmsystem.h>

namespace {

// On the multimedia timer's thread: only the flag is touched; the run loop
// sees it clear and ends the timer on the engine's thread.
void CALLBACK LongWaitElapsed(UINT, UINT, DWORD_PTR, DWORD_PTR, DWORD_PTR)
{
    g_LongWaitActive = 0;
}

}  // namespace

BuiltinContext::BuiltinContext(CPandrel_Script& engine) : m_engine(engine)
{
    m_keySender.SetGoOn([this] { return RunGoesOn(); });
}

void BuiltinContext::SetError(int code)
{
    m_engine.SetError(code);
}

int BuiltinContext::GetError() const
{
    return m_engine.GetError();
}

void BuiltinContext::ShowScriptError(const CString& message, int column)
{
    m_engine.ShowScriptError(message, column);
}

void BuiltinContext::ShowScriptErrorPlain(const CString& message, const char* detail)
{
    m_engine.ShowScriptErrorPlain(message, detail);
}

bool BuiltinContext::RunErrorsFatal() const
{
    return m_engine.m_runErrorsFatal != 0;
}

int BuiltinContext::GetRunState() const
{
    return m_engine.GetRunState();
}

void BuiltinContext::SetRunState(int state)
{
    m_engine.SetRunState(state);
}

bool BuiltinContext::StopRequested() const
{
    return m_engine.StopFlag != 0;
}

int BuiltinContext::EnterWait(int runState)
{
    m_engine.SetRunState(runState);
    return m_engine.Execute(0, 0);
}

CEngineVariant& BuiltinContext::WaitResult()
{
    return m_engine.m_result;
}

int BuiltinContext::TimedWait(int runState, int timeoutSeconds, CEngineVariant& result)
{
    WaitState& waits = Waits();
    waits.Timeout = static_cast<DWORD>(timeoutSeconds) * 1000u;
    waits.Start = timeGetTime();
    WaitResult().SetInt(1);
    const int status = EnterWait(runState);
    result = WaitResult();
    return status;
}

bool BuiltinContext::PauseInWaitLoop(DWORD ms)
{
    WaitState& waits = m_engine.m_context.Waits();
    waits.Start = timeGetTime();
    waits.Timeout = ms ? ms : 1;
    EnterWait(kRunStateDelay);
    return m_engine.GetRunState() != kRunStateStop && !m_engine.StopFlag;
}

bool BuiltinContext::RunGoesOn()
{
    m_engine.PumpIfDue(false);
    return !m_engine.StopFlag && m_engine.GetRunState() != kRunStateStop;
}

bool BuiltinContext::PauseBetweenSteps(int ms)
{
    return EngineSupport::PreciseSleepWhile(ms, [this] { return RunGoesOn(); });
}

void BuiltinContext::NoteMouseButton(EngineSupport::MouseButton button, bool down)
{
    m_buttonsHeld[button] = down;
}

void BuiltinContext::ReleaseHeldInput()
{
    m_keySender.ReleaseHeldKeys();
    for (int button = EngineSupport::kLeftButton; button <= EngineSupport::kMiddleButton; ++button) {
        if (m_buttonsHeld[button]) {
            EngineSupport::MouseButtonUp(static_cast<EngineSupport::MouseButton>(button));
            m_buttonsHeld[button] = false;
        }
    }
}

bool BuiltinContext::StartLongWait(DWORD ms)
{
    m_engine.CancelLongWait();   // one long wait at a time
    TIMECAPS caps;
    if (timeGetDevCaps(&caps, sizeof caps) != TIMERR_NOERROR)
        return false;
    UINT period = caps.wPeriodMin;
    if (period > caps.wPeriodMax)
        period = caps.wPeriodMax;
    // Everything the run loop needs is in place before the timer can fire.
    m_engine.m_longWaitPeriod = period;
    g_LongWaitActive = 1;
    timeBeginPeriod(period);
    const MMRESULT event = timeSetEvent(ms ? ms : 1, period, LongWaitElapsed, 0, TIME_ONESHOT);
    if (!event) {
        g_LongWaitActive = 0;
        timeEndPeriod(period);
        return false;
    }
    InterlockedExchange(&m_engine.m_longWaitEvent, static_cast<LONG>(event));
    return true;
}

void BuiltinContext::NoteProgramLaunched()
{
    m_engine.m_programLaunched = 1;
}

HWND& BuiltinContext::ToolTipWindow()
{
    return m_engine.m_toolTip;
}

int BuiltinContext::GetCurrentLine() const
{
    return m_engine.GetCurrentLine();
}

const CEngineString& BuiltinContext::GetScriptName() const
{
    return m_engine.GetScriptName();
}

const CEngineString& BuiltinContext::GetScriptFullPath() const
{
    return m_engine.GetScriptFullPath();
}

const CEngineString& BuiltinContext::GetScriptDir() const
{
    return m_engine.GetScriptDir();
}

VariableScopes& BuiltinContext::Variables()
{
    return m_engine.GetVariables();
}

CPandrel_ScriptFile& BuiltinContext::Lines()
{
    return g_ScriptFile;
}

bool BuiltinContext::LookupUserFunction(const char* name, int& firstLine, int& parameterCount, int& lastLine) const
{
    return m_engine.LookupUserFunction(name, firstLine, parameterCount, lastLine);
}

bool BuiltinContext::CallUserFunction(const char* name)
{
    return m_engine.RunCallback(name);
}
