// What the builtin benchmarks share: a millisecond clock and calling a
// builtin by name through the builtin table, as the interpreter does.
#pragma once

#include "engine/ScriptEngine.h"

#include <windows.h>

#include <string.h>

#include <initializer_list>

namespace builtin_bench {

inline double NowMs()
{
    LARGE_INTEGER frequency, counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

inline CEngineVariant Text(const char* text)
{
    CEngineVariant value;
    value.SetString(text);
    return value;
}

inline CEngineVariant Int(int number)
{
    CEngineVariant value;
    value.SetInt(number);
    return value;
}

// Calls the builtin `name`; returns @error.
inline int Call(const char* name, std::initializer_list<CEngineVariant> values, CEngineVariant& result)
{
    int index = 0;
    while (index < g_ScriptEngine.GetBuiltinCount() && strcmp(g_ScriptEngine.GetBuiltin(index).Name, name) != 0)
        ++index;
    CVariantList args;
    for (const CEngineVariant& value : values)
        args.Append(value);
    g_ScriptEngine.CallBuiltinByIndex(index, args, result);
    return g_ScriptEngine.GetError();
}

}  // namespace builtin_bench
