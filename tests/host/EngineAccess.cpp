#include "tests/host/EngineAccess.h"

void CPandrel_ScriptTestAccess::ResetEngine()
{
    CPandrel_Script& engine = g_ScriptEngine;
    engine.m_variables.Clear();
    engine.m_runErrorsFatal = 1;
    engine.m_expandEnvStrings = 0;
    engine.m_mustDeclareVars = 0;
    engine.m_context.MouseAndPixel() = MouseAndPixelOptions();
    engine.m_context.WindowSearch().Options = WindowSearchOptions();
    engine.m_context.KeySender().Reset();
    engine.m_context.Callbacks().Adlib.Enabled = 0;
    engine.m_error = 0;
    engine.StopFlag = 0;
    engine.UseHalvane = 0;
    engine.UseSimilarWin = 0;
    engine.m_bindingRetries = WindowBindingRetries();
    g_ScriptExitCode = 0;
}

void CPandrel_ScriptTestAccess::SetWindowBindingRetries(const WindowBindingRetries& retries)
{
    g_ScriptEngine.m_bindingRetries = retries;
}

void CPandrel_ScriptTestAccess::SetHotKey(int id, const char* function)
{
    ScriptHotKeySlot& slot = g_ScriptEngine.m_context.Callbacks().HotKeys[id];
    slot.InUse = true;
    slot.FunctionName.Assign(function);
}

bool CPandrel_ScriptTestAccess::HotKeyInUse(int id)
{
    return g_ScriptEngine.m_context.Callbacks().HotKeys[id].InUse;
}

void CPandrel_ScriptTestAccess::EnableAdlib(const char* function, int intervalMs)
{
    CPandrel_Script& engine = g_ScriptEngine;
    AdlibSettings& adlib = engine.m_context.Callbacks().Adlib;
    adlib.Function.Assign(function);
    adlib.Interval = intervalMs;
    adlib.LastTick = timeGetTime();
    adlib.Enabled = 1;
}

int CPandrel_ScriptTestAccess::WaitForProcess(HANDLE process, int& error)
{
    ResetEngine();
    CPandrel_Script& engine = g_ScriptEngine;
    engine.m_result.SetInt(1);
    engine.m_context.Waits().RunWaitProcess = process;
    engine.m_runState = kRunStateRunWait;
    engine.Execute(0, 0);
    error = engine.m_error;
    return engine.m_result.GetInt();
}

int CPandrel_ScriptTestAccess::OpenBlockCount()
{
    const CPandrel_Script& engine = g_ScriptEngine;
    return engine.m_ifStack.GetCount() + engine.m_selectStack.GetCount() + engine.m_loopStack.GetCount();
}

void CPandrel_ScriptTestAccess::UseBuiltinTable(const BuiltinEntry* table)
{
    g_ScriptEngine.m_builtins = table;
}

void CPandrel_ScriptTestAccess::RestoreBuiltinTable()
{
    g_ScriptEngine.m_builtins = GetBuiltinTable();
}
