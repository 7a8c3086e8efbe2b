#include "engine/builtins/BuiltinContext.h"

#include "engine/ScriptEngine.h"
#include "engine/ScriptFile.h"

void BuiltinContext::SetError(int code)
{
    m_engine.SetError(code);
}

int BuiltinContext::GetError() const
{
    return m_engine.GetError();
}

void BuiltinContext::ShowScriptError(const CString& message, int column)
{
    m_engine.ShowScriptError(message, column);
}

void BuiltinContext::ShowScriptErrorPlain(const CString& message, const char* detail)
{
    m_engine.ShowScriptErrorPlain(message, detail);
}

bool BuiltinContext::RunErrorsFatal() const
{
    return m_engine.m_runErrorsFatal != 0;
}

int BuiltinContext::GetRunState() const
{
    return m_engine.GetRunState();
}

void BuiltinContext::SetRunState(int state)
{
    m_engine.SetRunState(state);
}

bool BuiltinContext::StopRequested() const
{
    return m_engine.StopFlag != 0;
}

int BuiltinContext::EnterWait(int runState)
{
    m_engine.SetRunState(runState);
    return m_engine.Execute(0, 0);
}

CEngineVariant& BuiltinContext::WaitResult()
{
    return m_engine.m_result;
}

int BuiltinContext::GetCurrentLine() const
{
    return m_engine.GetCurrentLine();
}

const CEngineString& BuiltinContext::GetScriptName() const
{
    return m_engine.GetScriptName();
}

const CEngineString& BuiltinContext::GetScriptFullPath() const
{
    return m_engine.GetScriptFullPath();
}

const CEngineString& BuiltinContext::GetScriptDir() const
{
    return m_engine.GetScriptDir();
}

VariableScopes& BuiltinContext::Variables()
{
    return m_engine.GetVariables();
}

CPandrel_ScriptFile& BuiltinContext::Lines()
{
    return g_ScriptFile;
}

bool BuiltinContext::LookupUserFunction(const char* name, int& firstLine, int& parameterCount, int& lastLine) const
{
    return m_engine.LookupUserFunction(name, firstLine, parameterCount, lastLine);
}

bool BuiltinContext::CallUserFunction(const char* name)
{
    return m_engine.RunCallback(name);
}
