#include "tests/host/EngineAccess.h"

void CPandrel_ScriptTestAccess::ResetEngine()
{
    CPandrel_Script& engine = g_ScriptEngine;
    engine.m_variables.Clear();
    engine.m_mouseCoordMode = 1;
    engine.m_pixelCoordMode = 1;
    engine.m_caretCoordMode = 1;
    engine.m_runErrorsFatal = 1;
    engine.m_expandEnvStrings = 0;
    engine.m_mustDeclareVars = 0;
    engine.m_mouseClickDelay = 10;
    engine.m_mouseClickDownDelay = 10;
    engine.m_mouseClickDragDelay = 250;
    engine.m_colorMode = 0;
    engine.m_winTitleMatchMode = 1;
    engine.m_winTextMatchMode = 1;
    engine.m_winDetectHiddenText = 0;
    engine.m_winSearchChildren = 0;
    engine.m_winWaitDelay = 250;
    engine.m_keySender.Reset();
    engine.m_adlibEnabled = 0;
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
    ScriptHotKeySlot& slot = g_ScriptEngine.m_hotKeys[id];
    slot.InUse = true;
    slot.FunctionName.Assign(function);
}

bool CPandrel_ScriptTestAccess::HotKeyInUse(int id)
{
    return g_ScriptEngine.m_hotKeys[id].InUse;
}

void CPandrel_ScriptTestAccess::EnableAdlib(const char* function, int intervalMs)
{
    CPandrel_Script& engine = g_ScriptEngine;
    engine.m_adlibFunction.Assign(function);
    engine.m_adlibInterval = intervalMs;
    engine.m_adlibLastTick = timeGetTime();
    engine.m_adlibEnabled = 1;
}

int CPandrel_ScriptTestAccess::WaitForProcess(HANDLE process, int& error)
{
    ResetEngine();
    CPandrel_Script& engine = g_ScriptEngine;
    engine.m_result.SetInt(1);
    engine.m_runWaitProcess = process;
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
