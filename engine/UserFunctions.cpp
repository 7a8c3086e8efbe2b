// User functions: their table is filled before a script runs.
//
// For now scripts are prepared without it: the registration of Func
// declarations and the check of their calls come with the statement
// executor, which is what runs them.
#include "engine/ScriptEngine.h"

int CPandrel_Script::RegisterFunctions()
{
    return 0;
}

int CPandrel_Script::VerifyFunctionCalls()
{
    return 0;
}
