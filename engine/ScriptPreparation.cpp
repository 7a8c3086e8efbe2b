// Readying a loaded script to run.
#include "engine/ScriptEngine.h"

#include "engine/Random.h"

#include <string.h>

int CPandrel_Script::PrepareScript(const char* fileName)
{
    // Nothing of a script prepared before may reach into this one: its
    // functions, tags, Adlib function and line cache all go.
    m_userFunctions.Clear();
    ++m_functionsGeneration;
    m_tags.clear();
    m_tagsScannedFrom = 0;
    m_context.Callbacks().Adlib.Enabled = 0;
    m_context.Callbacks().Adlib.Running = 0;
    m_bindingInProgress = 0;
    m_programLaunched = 0;
    ForgetLineCache();
    m_statistics = RunStatistics();

    if (RegisterFunctions() != 0)
        return 1;
    if (VerifyFunctionCalls() != 0)
        return 1;
    CompileLines();

    // The @macros of the script's name, full path and folder.
    char full[MAX_PATH];
    char* namePart = nullptr;
    DWORD length = GetFullPathNameA(fileName ? fileName : "", sizeof full, full, &namePart);
    if (length == 0 || length >= sizeof full) {
        full[0] = '\0';
        namePart = nullptr;
    }
    m_scriptFullPath.Assign(full);
    m_scriptName.Assign(namePart ? namePart : "");
    const char* lastSlash = strrchr(full, '\\');
    m_scriptDir.Assign(full, lastSlash ? static_cast<int>(lastSlash - full) : 0);

    SeedRandom();
    StopFlag = 0;
    return 0;
}

void CPandrel_Script::CompileLines()
{
    // Every line was read without error by the checks above, and every
    // function's parameters can be read from its Func line: each statement
    // is compiled now, calls planned, so that a run compiles nothing.
    for (POSITION position = m_userFunctions.GetHeadPosition(); position;)
        ParametersOf(m_userFunctions.GetNext(position));
    const int count = g_ScriptFile.GetLineCount();
    for (int line = 1; line <= count; ++line) {
        CachedLine* cached = CachedLineAt(line);
        if (!cached || !cached->Tokens)
            continue;
        CompileStatement(*cached->Tokens, 0, cached->Statement);
        cached->StatementReady = true;
    }
}
