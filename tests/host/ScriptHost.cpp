#include "tests/host/ScriptHost.h"

#include "engine/ScriptFile.h"
#include "tests/host/EngineAccess.h"

#include <stdio.h>
#include <string.h>

#include <algorithm>
#include <memory>

namespace script_host {

namespace {

double Now()
{
    static const double frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart);
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) / frequency;
}

}  // namespace

InertBuiltins::InertBuiltins(const std::vector<std::string>& keep)
{
    const BuiltinEntry* real = GetBuiltinTable();
    for (int i = 0; i < kBuiltinCount; ++i) {
        m_table[i] = real[i];
        if (std::find(keep.begin(), keep.end(), real[i].Name) == keep.end())
            m_table[i].Handler = BuiltinNotYetAvailable;
    }
    CPandrel_ScriptTestAccess::UseBuiltinTable(m_table);
}

InertBuiltins::~InertBuiltins()
{
    CPandrel_ScriptTestAccess::RestoreBuiltinTable();
}

bool LoadScriptFile(const std::string& path)
{
    g_ScriptFile.Clear();
    FILE* file = fopen(path.c_str(), "rb");
    if (!file)
        return false;
    const int fileIndex = g_ScriptFile.AddFileName(path.c_str());
    std::string line;
    int number = 0;
    for (int ch = fgetc(file);; ch = fgetc(file)) {
        if (ch == EOF || ch == '\n') {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            if (ch != EOF || !line.empty())
                g_ScriptFile.AddLine(++number, line.c_str(), fileIndex);
            line.clear();
            if (ch == EOF)
                break;
        } else {
            line += static_cast<char>(ch);
        }
    }
    fclose(file);
    g_ScriptFile.BuildIndex();
    return true;
}

bool LoadMacroFile(const std::string& path, int speedMode)
{
    g_ScriptFile.Clear();
    g_ScriptFile.SpeedMode = speedMode;
    if (!g_ScriptFile.LoadMacroFile(CString(path.c_str()), 0))
        return false;
    g_ScriptFile.BuildIndex();
    return true;
}

void LoadLines(const std::vector<std::string>& lines)
{
    g_ScriptFile.Clear();
    int number = 0;
    for (const std::string& line : lines)
        g_ScriptFile.AddLine(++number, line.c_str(), 0);
    g_ScriptFile.BuildIndex();
}

bool IsMacroFile(const std::string& path)
{
    FILE* file = fopen(path.c_str(), "rb");
    if (!file)
        return false;
    char head[10] = {};
    const size_t read = fread(head, 1, 9, file);
    fclose(file);
    return read == 9 && strcmp(head, "[General]") == 0;
}

RunReport RunLoaded(const RunSettings& settings, const std::string& scriptPath)
{
    RunReport report;
    report.Loaded = true;
    CPandrel_ScriptTestAccess::ResetEngine();
    std::unique_ptr<testing_support::DialogAnswerer> answerer;
    if (settings.AnswerBoxes)
        answerer = std::make_unique<testing_support::DialogAnswerer>(IDOK);

    if (g_ScriptEngine.PrepareScript(scriptPath.c_str()) == 0) {
        report.Prepared = true;
        g_ScriptEngine.UseHalvane = settings.UseHalvane;
        g_ScriptEngine.UseSimilarWin = settings.UseSimilarWin;
        if (settings.BeforeRun)
            settings.BeforeRun();
        const double start = Now();
        g_ScriptEngine.Execute(1, 1);
        report.Seconds = Now() - start;
        report.ExitCode = g_ScriptExitCode;
        report.Statistics = g_ScriptEngine.GetRunStatistics();
    }
    g_ScriptFile.Clear();
    if (answerer)
        report.Boxes = answerer->Dialogs();
    return report;
}

RunReport RunLines(const std::vector<std::string>& lines, const RunSettings& settings)
{
    LoadLines(lines);
    return RunLoaded(settings);
}

RunReport RunFile(const std::string& path, const RunSettings& settings)
{
    const bool loaded = IsMacroFile(path) ? LoadMacroFile(path, settings.SpeedMode) : LoadScriptFile(path);
    if (!loaded)
        return RunReport();
    return RunLoaded(settings, path);
}

std::string Global(const char* name)
{
    CEngineVariant* value = g_ScriptEngine.GetVariables().Lookup(name, kScopeGlobal);
    if (!value)
        return "<undeclared>";
    if (value->IsArray())
        return "<array>";
    return value->GetString();
}

std::string HostProgramPath(const char* name)
{
    return std::string(KESTRUNE_HOST_DIR) + "\\" + name;
}

HANDLE StartHostProgram(const char* name, const std::string& arguments)
{
    std::string commandLine = "\"" + HostProgramPath(name) + "\" " + arguments;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return nullptr;
    CloseHandle(process.hThread);
    return process.hProcess;
}

}  // namespace script_host
