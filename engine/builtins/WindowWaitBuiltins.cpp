// The waits for windows (WinWait and its sisters) and the plain pauses WAIT
// and WAITLONG. Every wait runs in the engine's wait loop, which pumps the
// messages and polls its condition (WaitPolls.cpp), so that the end key
// stops it within a turn.
#include "engine/builtins/BuiltinFamily.h"

#include "engine/ScriptFile.h"
#include "engine/builtins/WindowBuiltinSupport.h"
#include "engine/support/PreciseSleep.h"

#include <mmsystem.h>

namespace {

// Pauses of the faster speed mode up to this length are dropped.
const int kFasterSpeedDroppedPause = 200;
// The last part of a WAIT, spent in the precise sleep so that the pause
// keeps its length to the millisecond; what comes before it is pumped.
const DWORD kPreciseTail = 20;

int WaitForWindow(BuiltinContext& context, CVariantList& args, CEngineVariant& result, int runState)
{
    SetWindowSearch(context, args);
    return context.TimedWait(runState, args.GetCount() == 3 ? args.GetItem(2).GetInt() : 0, result);
}

int BuiltinWinWait(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    return WaitForWindow(context, args, result, kRunStateWinWait);
}

int BuiltinWinWaitClose(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    return WaitForWindow(context, args, result, kRunStateWinWaitClose);
}

int BuiltinWinWaitActive(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    return WaitForWindow(context, args, result, kRunStateWinWaitActive);
}

int BuiltinWinWaitNotActive(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    return WaitForWindow(context, args, result, kRunStateWinWaitNotActive);
}

// A pause of `ms` that the end key can cut short.
void Pause(BuiltinContext& context, int ms)
{
    if (ms <= 0)
        return;
    const DWORD start = timeGetTime();
    if (static_cast<DWORD>(ms) > kPreciseTail && !context.PauseInWaitLoop(static_cast<DWORD>(ms) - kPreciseTail))
        return;
    const DWORD elapsed = timeGetTime() - start;
    if (elapsed < static_cast<DWORD>(ms))
        EngineSupport::PreciseSleep(static_cast<int>(static_cast<DWORD>(ms) - elapsed));
}

bool DroppedAtFasterSpeed(BuiltinContext& context, int ms)
{
    return context.Lines().SpeedMode != 0 && ms <= kFasterSpeedDroppedPause;
}

int BuiltinWait(BuiltinContext& context, CVariantList& args, CEngineVariant&)
{
    const int ms = args.GetItem(0).GetInt();
    if (!DroppedAtFasterSpeed(context, ms))
        Pause(context, ms);
    return 0;
}

int BuiltinWaitLong(BuiltinContext& context, CVariantList& args, CEngineVariant&)
{
    // The next line runs once the timer has fired; without a timer the
    // pause is an ordinary WAIT.
    const int ms = args.GetItem(0).GetInt();
    if (ms > 0 && context.StartLongWait(static_cast<DWORD>(ms)))
        return 0;
    if (!DroppedAtFasterSpeed(context, ms))
        Pause(context, ms);
    return 0;
}

const BuiltinBinding kBindings[] = {
    {"WINWAIT", BuiltinWinWait},
    {"WINWAITCLOSE", BuiltinWinWaitClose},
    {"WINWAITACTIVE", BuiltinWinWaitActive},
    {"WINWAITNOTACTIVE", BuiltinWinWaitNotActive},
    {"WAIT", BuiltinWait},
    {"WAITLONG", BuiltinWaitLong},
};

}  // namespace

extern const BuiltinFamily kWindowWaitBuiltins = MakeBuiltinFamily("window waits", kBindings);
