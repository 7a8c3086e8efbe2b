// What the test host and the tests may do to the engine beyond what the
// application does: start from a clean engine as a new process would, fill
// the hot-key and Adlib settings that builtins of their own set, and enter
// waits directly.
#pragma once

#include "engine/ScriptEngine.h"

class CPandrel_ScriptTestAccess
{
public:
    // No variables, run options and wait settings at their defaults, no exit
    // code, @error 0, stop flag clear, no hot key or Adlib function, the
    // window binding's own retries.
    static void ResetEngine();

    // Binds script hot-key slot `id` to `function` (the key itself is
    // registered by the caller with RegisterHotKey(NULL, id, ...)).
    static void SetHotKey(int id, const char* function);
    static bool HotKeyInUse(int id);
    static void EnableAdlib(const char* function, int intervalMs);
    // Shortens (or lengthens) the wait of window-bound lines; ResetEngine
    // brings back the program's own.
    static void SetWindowBindingRetries(const WindowBindingRetries& retries);

    // Enters RunWait's wait for `process` as the builtin does: the wait's
    // result, with @error in `error`.
    static int WaitForProcess(HANDLE process, int& error);

    // The records of blocks still open on the If, Select and loop stacks.
    static int OpenBlockCount();

    // Runs every builtin through `table` (same names and order as the real
    // one) until RestoreBuiltinTable.
    static void UseBuiltinTable(const BuiltinEntry* table);
    static void RestoreBuiltinTable();
};
