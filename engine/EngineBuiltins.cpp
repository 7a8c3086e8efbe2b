// The builtins that belong to the engine itself (Opt is in RunOptions.cpp),
// and the stand-in for the builtins of families not built yet.
#include "engine/ScriptEngine.h"

#include <mmsystem.h>

int CPandrel_Script::BuiltinDelay(CVariantList& args, CEngineVariant&)
{
    const int ms = args.GetItem(0).GetInt();
    if (ms <= 0) {
        Sleep(0);
        return 0;
    }
    // The wait loop pumps messages and polls until the time is up; the result stays 1.
    m_waitStart = timeGetTime();
    m_waitTimeout = static_cast<DWORD>(ms);
    m_runState = kRunStateDelay;
    return Execute(0, 0);
}

int CPandrel_Script::BuiltinSetError(CVariantList& args, CEngineVariant&)
{
    SetError(args.GetItem(0).GetInt());
    return 0;
}

int CPandrel_Script::BuiltinNotYetAvailable(CVariantList&, CEngineVariant& result)
{
    result.SetInt(0);
    SetError(1);
    return 0;
}
