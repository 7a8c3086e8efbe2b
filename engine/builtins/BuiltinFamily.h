// The interface of a builtin family: a file (or a few) in engine/builtins/
// whose handlers are free functions, exported as one binding table of name
// and handler.
//
// Adding a family:
//  1. Write engine/builtins/<Family>Builtins.cpp. Its handlers are free
//     functions in an anonymous namespace with the BuiltinHandler signature:
//         int BuiltinWinExists(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
//     The result comes preset to 1 and @error to 0. Return 0 to go on, or 1
//     after context.ShowScriptError(...) has reported a script error.
//  2. End the file with its binding table, names upper case as in
//     BuiltinTable.cpp (order is free; a name may be bound only once):
//         const BuiltinBinding kBindings[] = {{"WINEXISTS", BuiltinWinExists}, ...};
//         extern const BuiltinFamily kWindowBuiltins = MakeBuiltinFamily("windows", kBindings);
//  3. Register it with two lines in engine/builtins/BuiltinFamilies.cpp (the
//     extern declaration and the entry of the list), add the file to
//     engine/CMakeLists.txt, and take the family's names off the pending list
//     of tests/engine/BuiltinBindingTest.cpp.
//  4. State and engine services come from the context (BuiltinContext.h):
//     @error, script errors, the run state and the wait loop (EnterWait), the
//     stop flag, the variables, user functions, the line store, the key
//     sender, the window search, the waits, the Adlib and hot-key settings,
//     the open files and the mouse and pixel options. State that only the
//     family itself needs is a class derived from BuiltinFamilyState, reached
//     with context.FamilyState<MyState>(): made on first use, destroyed with
//     the engine. Neither step touches engine/ScriptEngine.h.
// Shared helpers (arrays, coordinate origins, wide text) are in
// BuiltinSupport.h; Win32 routines of general use go to engine/support/.
#pragma once

#include "engine/BuiltinTable.h"
#include "engine/EngineVariant.h"
#include "engine/VariantList.h"
#include "engine/builtins/BuiltinContext.h"

struct BuiltinBinding
{
    const char* Name;          // upper case, as in the builtin table
    BuiltinHandler Handler;
};

struct BuiltinFamily
{
    const char* Name;          // for messages and tests: "maths", "strings", ...
    const BuiltinBinding* Bindings;
    int Count;
};

template <int N>
constexpr BuiltinFamily MakeBuiltinFamily(const char* name, const BuiltinBinding (&bindings)[N])
{
    return BuiltinFamily{name, bindings, N};
}

// Every registered family (BuiltinFamilies.cpp); `count` receives their number.
const BuiltinFamily* const* GetBuiltinFamilies(int& count);
