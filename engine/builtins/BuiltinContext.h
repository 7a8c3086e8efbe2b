// BuiltinContext: what a builtin's handler may reach of the engine. The
// engine owns one context; the context holds the state objects that the
// families share with each other and with the run loop, and passes the
// engine's services on. Families use nothing else of the engine, so that a
// new family never changes engine/ScriptEngine.h: a new engine service is a
// member here, state of one family only is a BuiltinFamilyState.
#pragma once

#include "engine/EngineString.h"
#include "engine/ScriptCallbacks.h"
#include "engine/WaitState.h"
#include "engine/automation/KeySender.h"
#include "engine/automation/WindowSearch.h"
#include "engine/builtins/MouseAndPixelOptions.h"
#include "engine/builtins/OpenFileTable.h"
#include "engine/support/MouseInput.h"
#include "framework/String.h"

#include <map>
#include <memory>

class CPandrel_Script;
class CEngineVariant;
class CPandrel_ScriptFile;
class VariableScopes;

// The base of a family's own state (BuiltinContext::FamilyState).
class BuiltinFamilyState
{
public:
    virtual ~BuiltinFamilyState() = default;
};

class BuiltinContext
{
public:
    explicit BuiltinContext(CPandrel_Script& engine);
    BuiltinContext(const BuiltinContext&) = delete;
    BuiltinContext& operator=(const BuiltinContext&) = delete;

    // ---- Results and errors ----
    void SetError(int code);
    int GetError() const;
    // Reports a script error in the current line and stops the run; the
    // handler then returns 1. `column` -1: no caret line.
    void ShowScriptError(const CString& message, int column = -1);
    // The same report with a second text (a system error text) in place of
    // the caret line.
    void ShowScriptErrorPlain(const CString& message, const char* detail);
    // Opt("RunErrorsFatal"): whether a failed Run is a script error.
    bool RunErrorsFatal() const;

    // ---- The run ----
    int GetRunState() const;
    void SetRunState(int state);
    // The end key was pressed: the run is being stopped.
    bool StopRequested() const;
    // Enters the wait loop in `runState` (a RunState): it pumps messages and
    // polls (WaitPolls.cpp) until the wait's poll ends it or the run stops.
    // The handler returns what this returns.
    int EnterWait(int runState);
    // The result that a wait's poll sets (RunWait's exit code, a window wait's 0).
    CEngineVariant& WaitResult();
    // A wait for a window or a process, with its conditions already set:
    // starts its clock with `timeoutSeconds` (0: none) and a result of 1,
    // waits in `runState`, and hands the poll's result to `result`.
    int TimedWait(int runState, int timeoutSeconds, CEngineVariant& result);
    // Pauses `ms` milliseconds in the wait loop, so that messages are pumped
    // and the end key is heard meanwhile: false when the run stops.
    bool PauseInWaitLoop(DWORD ms);
    // Asked between the steps of a builtin that may run long (the keys of a
    // send, clicks, wheel steps, the steps of a move): the run loop's pump
    // runs when its time slice is up, so that the end key is heard, and the
    // answer is false once the run is stopping. The builtin then lets go of
    // what it pressed and returns.
    bool RunGoesOn();
    // A pause between such steps, RunGoesOn asked at least every 10 ms:
    // false, at once, when the run is stopping.
    bool PauseBetweenSteps(int ms);
    // MOUSEDOWN and MOUSEUP: a button that the script holds down.
    void NoteMouseButton(EngineSupport::MouseButton button, bool down);
    // Lets go of the keys ({CTRLDOWN} and the like) and the buttons
    // (MOUSEDOWN) that the script holds: a stopped run leaves nothing down.
    void ReleaseHeldInput();
    // WAITLONG: lines stop running until a one-shot timer of `ms` fires; the
    // run loop waits for it and ends the timer. False when no timer could
    // be set (nothing is left waiting then).
    bool StartLongWait(DWORD ms);
    // A program was started: the next line bound to a recorded window may
    // wait longer for it.
    void NoteProgramLaunched();
    // The ToolTip builtin's window (null until the first tip), destroyed
    // with the engine.
    HWND& ToolTipWindow();
    int GetCurrentLine() const;
    const CEngineString& GetScriptName() const;
    const CEngineString& GetScriptFullPath() const;
    const CEngineString& GetScriptDir() const;

    // ---- The script ----
    VariableScopes& Variables();
    CPandrel_ScriptFile& Lines();
    // The user function of that name (without regard to case): its Func
    // line, parameter count and EndFunc line. False when there is none.
    bool LookupUserFunction(const char* name, int& firstLine, int& parameterCount, int& lastLine) const;
    // Calls the user function `name` with no arguments, as hot keys and
    // Adlib do (@error comes back as it was); false when there is none.
    bool CallUserFunction(const char* name);

    // ---- State shared with the run loop and between families ----
    CKeySender& KeySender() { return m_keySender; }
    CWindowSearch& WindowSearch() { return m_windowSearch; }
    WaitState& Waits() { return m_waits; }
    ScriptCallbacks& Callbacks() { return m_callbacks; }
    OpenFileTable& OpenFiles() { return m_openFiles; }
    MouseAndPixelOptions& MouseAndPixel() { return m_mouseAndPixel; }

    // The state of one family, made on first use and destroyed with the
    // engine: `State` derives from BuiltinFamilyState.
    template <class State>
    State& FamilyState()
    {
        static const char key = 0;   // one per State type
        std::unique_ptr<BuiltinFamilyState>& slot = m_familyStates[&key];
        if (!slot)
            slot.reset(new State());
        return static_cast<State&>(*slot);
    }

    // The engine itself, for the engine's own builtins (Opt, Delay, SetError).
    CPandrel_Script& Engine() { return m_engine; }

private:
    CPandrel_Script& m_engine;
    CKeySender m_keySender;
    CWindowSearch m_windowSearch;
    WaitState m_waits;
    ScriptCallbacks m_callbacks;
    OpenFileTable m_openFiles;
    MouseAndPixelOptions m_mouseAndPixel;
    bool m_buttonsHeld[3] = {};   // by EngineSupport::MouseButton
    std::map<const void*, std::unique_ptr<BuiltinFamilyState>> m_familyStates;
};
