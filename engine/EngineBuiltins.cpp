// The builtins that belong to the engine itself (Opt is in RunOptions.cpp),
// and their binding table.
#include "engine/ScriptEngine.h"
#include "engine/builtins/BuiltinFamily.h"

#include <mmsystem.h>

int CPandrel_Script::BuiltinDelay(CVariantList& args, CEngineVariant&)
{
    const int ms = args.GetItem(0).GetInt();
    if (ms <= 0) {
        Sleep(0);
        return 0;
    }
    // The wait loop pumps messages and polls until the time is up; the result stays 1.
    m_context.Waits().Start = timeGetTime();
    m_context.Waits().Timeout = static_cast<DWORD>(ms);
    return m_context.EnterWait(kRunStateDelay);
}

int CPandrel_Script::BuiltinSetError(CVariantList& args, CEngineVariant&)
{
    SetError(args.GetItem(0).GetInt());
    return 0;
}

namespace {

int BuiltinOpt(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    return context.Engine().BuiltinOpt(args, result);
}

int BuiltinDelay(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    return context.Engine().BuiltinDelay(args, result);
}

int BuiltinSetError(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    return context.Engine().BuiltinSetError(args, result);
}

const BuiltinBinding kBindings[] = {
    {"OPT", BuiltinOpt},
    {"ORVEXSETOPTION", BuiltinOpt},
    {"DELAY", BuiltinDelay},
    {"SETERROR", BuiltinSetError},
};

}  // namespace

extern const BuiltinFamily kEngineBuiltins = MakeBuiltinFamily("engine", kBindings);
