// The run loop: runs script lines one turn at a time, keeps the UI thread's
// messages flowing between them, and serves as the wait loop of the
// blocking builtins (Execute(0, 0)).
#include "engine/InlineEvaluation.h"
#include "engine/ScriptEngine.h"
#include "engine/ScriptFile.h"

#include <mmsystem.h>

namespace {

// While lines run, the queue is emptied every few milliseconds: often
// enough that a waiting message is handled at once as the user sees it,
// rarely enough that the pump costs little (one PeekMessageA under Wine is
// a round trip to the server, as long as hundreds of lines). The clock is
// read once per batch of turns, since even the performance counter costs as
// much as several lines: a batch is kTurnsPerClockRead turns, doubled (up to
// kMostTurnsPerClockRead) while batches take less than a sixteenth of the
// interval and halved again when one takes more than an eighth, so that the
// pump is never late by more than a fraction of the interval. The tick
// count, which is nearly free, catches lines that take long themselves.
const double kPumpIntervalSeconds = 0.004;
const int kTurnsPerClockRead = 32;
const int kMostTurnsPerClockRead = 256;
// The processor's unit of fetching memory.
const size_t kCacheLineBytes = 64;

LONGLONG CounterFrequency()
{
    static const LONGLONG frequency = [] {
        LARGE_INTEGER f;
        return QueryPerformanceFrequency(&f) && f.QuadPart ? f.QuadPart : 1000;
    }();
    return frequency;
}

LONGLONG CounterNow()
{
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

// Has the processor fetch `bytes` from `start` into its cache meanwhile.
void FetchAhead(const void* start, size_t bytes)
{
    const char* first = static_cast<const char*>(start);
    for (size_t offset = 0; offset < bytes; offset += kCacheLineBytes)
        __builtin_prefetch(first + offset);
}

}  // namespace

int CPandrel_Script::Execute(int startLine, int topLevel)
{
    const bool waitLoop = startLine == 0;
    if (!topLevel && !waitLoop)
        return RunNestedLevel(startLine);
    if (!waitLoop)
        m_runState = kRunStateRunning;   // a wait keeps the state its builtin set
    if (!topLevel) {
        if (!EnterNestedLevel())
            return 1;
    } else if (m_nestingDepth == 0) {
        StartTopLevelRun();
    }
    m_returnFlag = 0;
    if (!TagsHold(startLine))
        RegisterTags(startLine);
    if (!RunLines(startLine, waitLoop))
        m_returnFlag = 0;
    if (!topLevel)
        --m_nestingDepth;
    else if (m_nestingDepth == 0)
        EndTopLevelRun();
    if (m_quitPending)
        PassQuitOn();
    return 0;
}

bool CPandrel_Script::RefuseNesting()
{
    ShowScriptError("Recursion level has been exceeded - Brenvik Kestrune will quit to prevent stack overflow.", -1);
    return false;
}

void CPandrel_Script::StartTopLevelRun()
{
    // A run starts with no block open and no window check pending, even
    // when the run before it ended inside a loop.
    m_ifStack.Clear();
    m_selectStack.Clear();
    m_loopStack.Clear();
    m_bindingInProgress = 0;
    // The queue was emptied just before the run began (the run starts
    // from a message): the first pump is due a pump interval from now.
    m_lastPumpTick = GetTickCount();
    m_lastPumpCounter = CounterNow();
    m_turnsSinceClockRead = 0;
}

void CPandrel_Script::PassQuitOn()
{
    // Each level that ends passes the quit on: the level above takes it
    // again at its next turn and ends too, and the last one leaves it in
    // the queue for the application's own message loop.
    m_quitPending = 0;
    PostQuitMessage(m_quitCode);
}

bool CPandrel_Script::Turn(int& line, bool waitLoop, bool pumpChecked)
{
    // A stopped run ends without emptying the queue once more: the
    // application's own loop takes the messages from here.
    if (m_runState != kRunStateStop && !pumpChecked) {
        const bool waiting = waitLoop || m_runState != kRunStateRunning;
        if (waiting || !TurnIsQuiet())
            PumpUnlessEarly(waiting);
    }
    if (m_runState == kRunStateStop)
        return false;
    if (!NothingToPoll() && PollWaitState())
        return true;
    if (UseHalvane && !StopFlag) {
        if (!m_bindingInProgress) {
            m_bindingInProgress = 1;
            if (!BindLineWindow(line))
                return true;
        }
        m_bindingInProgress = 0;
    }

    m_currentLine = line;
    // The cache has an entry for each line of the store, none beyond.
    CachedLine* cached = CachedLineAt(line);
    ++line;
    if (!cached || StopFlag) {
        CancelLongWait();
        m_runState = kRunStateStop;
        return true;
    }
    if (RunsAsCompiled(*cached))
        RunReadyLine(*cached, line);
    else
        RunLineFromTokens(*cached, line);
    return true;
}

void CPandrel_Script::RunReadyLine(CachedLine& ready, int& nextLine)
{
    ++m_statistics.LinesRun;
    if (!ready.Ran)
        FetchNextLineAhead(ready, nextLine);
    RunCompiledStatement(ready.Statement, *ready.Tokens, nextLine);
}

void CPandrel_Script::RunLineFromTokens(CachedLine& cached, int& nextLine)
{
    // The first run of a line compiles its statement from the cached
    // tokens; a line read afresh (its strings expand environment variables)
    // runs from those.
    std::unique_ptr<TokenList> fresh;
    TokenList* tokens = TokensForRun(m_currentLine, cached, fresh);
    if (!tokens)
        return;   // the lexer reported the error and stopped the run
    if (tokens == cached.Tokens.get()) {
        if (!cached.StatementReady) {
            CompileStatement(*tokens, 0, cached.Statement);
            cached.StatementReady = true;
        }
        RunReadyLine(cached, nextLine);
        return;
    }
    ++m_statistics.LinesRun;
    ExecuteStatement(*tokens, 0, nextLine);
}

void CPandrel_Script::FetchNextLineAhead(CachedLine& current, int nextLine)
{
    // A line that runs for the first time (a recorded macro runs most of its
    // lines once) has what it reads come from memory, which takes longer
    // than running it: what the next lines read is fetched meanwhile, so
    // that it is at hand when they run. A call's plan points at its
    // arguments, which point at their texts, so each is fetched a line
    // after what points at it has arrived: the plan three lines ahead, its
    // arguments two lines ahead, their texts one line ahead (a line without
    // a plan has its tokens fetched). Lines that run again, in loops, are at
    // hand already and fetch nothing.
    current.Ran = true;
    const CachedLine* next = m_lineCache.At(nextLine);
    if (!next)
        return;
    if (const CallPlan* plan = next->Statement.Call) {
        for (const CallPlan::Argument& argument : plan->Arguments)
            if (argument.IsLiteral && argument.Literal.TextBlock())
                __builtin_prefetch(argument.Literal.TextBlock());
    } else if (next->Tokens) {
        FetchAhead(next->Tokens->Data(), static_cast<size_t>(next->Tokens->GetCount()) * sizeof(ScriptToken));
    }
    if (const CachedLine* second = m_lineCache.At(nextLine + 1))
        if (const CallPlan* plan = second->Statement.Call)
            FetchAhead(plan->Arguments.data(), plan->Arguments.size() * sizeof(CallPlan::Argument));
    if (const CachedLine* third = m_lineCache.At(nextLine + 2))
        if (const CallPlan* plan = third->Statement.Call)
            FetchAhead(plan, sizeof *plan);
}

int CPandrel_Script::CallFunction(int line, bool keepScope, bool restoreError, CEngineVariant* returned,
                                  int initialReturn)
{
    CEngineVariant unused;   // the level's Return value when the caller wants none
    if (keepScope)
        m_variables.PushScope();
    const int status = RunLevel(line, restoreError, returned ? *returned : unused, initialReturn);
    if (keepScope)
        m_variables.PopScope();
    return status;
}

int CPandrel_Script::RunUserFunction(const UserFunctionEntry& function, int argumentsBase, CEngineVariant& result)
{
    return EnterUserFunction(function, argumentsBase, result);
}

void CPandrel_Script::PumpIfDue(bool waiting)
{
    if (waiting || !TurnIsQuiet())
        PumpUnlessEarly(waiting);
}

void CPandrel_Script::PumpUnlessEarly(bool waiting)
{
    if (!waiting && GetTickCount() - m_lastPumpTick < kPumpIntervalTicks) {
        // The batch of turns is over: the clock decides.
        m_turnsSinceClockRead = 0;
        static const LONGLONG interval =
            static_cast<LONGLONG>(kPumpIntervalSeconds * static_cast<double>(CounterFrequency()));
        const LONGLONG now = CounterNow();
        const LONGLONG batch = now - m_lastClockRead;
        m_lastClockRead = now;
        if (batch < interval / 16 && m_turnsPerClockRead < kMostTurnsPerClockRead)
            m_turnsPerClockRead *= 2;
        else if (batch > interval / 8 && m_turnsPerClockRead > kTurnsPerClockRead)
            m_turnsPerClockRead /= 2;
        if (now - m_lastPumpCounter < interval)
            return;
    }
    const LONGLONG start = CounterNow();
    PumpMessages();
    m_lastPumpCounter = CounterNow();
    m_lastClockRead = m_lastPumpCounter;
    m_lastPumpTick = GetTickCount();
    m_turnsSinceClockRead = 0;
    ++m_statistics.Pumps;
    m_statistics.PumpSeconds += static_cast<double>(m_lastPumpCounter - start) / static_cast<double>(CounterFrequency());
}

void CPandrel_Script::PumpMessages()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // The application is quitting: this run ends, and so do the runs
            // it would repeat, which test the stop flag. The quit goes back
            // to the queue as the levels end (Execute).
            m_quitPending = 1;
            m_quitCode = static_cast<int>(message.wParam);
            StopFlag = 1;
            m_runState = kRunStateStop;
            return;
        }
        if (RouteScriptHotKey(message))
            continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

bool CPandrel_Script::RouteScriptHotKey(const MSG& message)
{
    // Script hot keys are registered for the thread, with no window, under
    // their slot number; a press waits in the ring for the run loop.
    if (message.message != WM_HOTKEY || message.hwnd || message.wParam >= kScriptHotKeySlots)
        return false;
    const int next = (g_HotKeyRingWritePosition + 1) % kHotKeyRingSize;
    if (next != m_hotKeyReadPosition) {   // a full ring drops the press rather than all of them
        g_HotKeyRing[g_HotKeyRingWritePosition] = static_cast<int>(message.wParam);
        g_HotKeyRingWritePosition = next;
    }
    return true;
}

void CPandrel_Script::EndTopLevelRun()
{
    ScriptHotKeySlot* hotKeys = m_context.Callbacks().HotKeys;
    for (int id = 0; id < kScriptHotKeySlots; ++id) {
        if (hotKeys[id].InUse) {
            UnregisterHotKey(nullptr, id);
            hotKeys[id].InUse = false;
            hotKeys[id].KeyWord = 0;
            hotKeys[id].FunctionName.Truncate(0);
        }
    }
    // Presses of the keys just freed must not reach a later run's keys.
    m_hotKeyReadPosition = g_HotKeyRingWritePosition;
    // A run stopped before its {CTRLUP} or MOUSEUP leaves nothing down.
    if (StopFlag)
        m_context.ReleaseHeldInput();
}

void CPandrel_Script::CancelLongWait()
{
    g_LongWaitActive = 0;
    EndLongWaitTimer();
}

void CPandrel_Script::EndLongWaitTimer()
{
    // Only the engine's thread ends the timer and its period, once: the
    // timer's callback only clears the long-wait flag.
    const LONG event = InterlockedExchange(&m_longWaitEvent, 0);
    if (event) {
        timeKillEvent(static_cast<UINT>(event));
        timeEndPeriod(m_longWaitPeriod);
    }
}
