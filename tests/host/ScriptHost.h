// The test host: loads a macro file or a plain script file into the line
// store, prepares it and runs it with the real engine on the calling (UI)
// thread, as the application runs a macro, and reports what happened. The
// tests call it directly; script_host.exe wraps it for the command line.
#pragma once

#include "engine/ScriptEngine.h"
#include "tests/support/DialogAnswerer.h"

#include <functional>
#include <string>
#include <vector>

namespace script_host {

// While it lives, every builtin does nothing but fail in the ordinary way
// (result 0, @error 1): names and argument counts stay, so calls are read
// and checked as ever, but no input is sent, no program started, nothing
// shut down. Runs then show what the engine itself does. The builtins named
// in `keep` (upper case) keep their real handlers.
class InertBuiltins
{
public:
    explicit InertBuiltins(const std::vector<std::string>& keep = {});
    ~InertBuiltins();
    InertBuiltins(const InertBuiltins&) = delete;
    InertBuiltins& operator=(const InertBuiltins&) = delete;

private:
    BuiltinEntry m_table[kBuiltinCount];
};

struct RunSettings
{
    int SpeedMode = 0;           // the macro's speed code (1: drop the faster-speed lines)
    int UseHalvane = 0;          // bound lines wait for their recorded windows
    int UseSimilarWin = 0;
    // A watcher presses OK on every message box and dialog of the run and
    // records it; without it the boxes wait for a user.
    bool AnswerBoxes = true;
    // Called after a successful preparation, right before the run.
    std::function<void()> BeforeRun;
};

struct RunReport
{
    bool Loaded = false;         // the file could be read
    bool Prepared = false;       // its functions and calls checked out; it ran
    int ExitCode = 0;            // what Exit gave, 0 otherwise
    double Seconds = 0.0;        // of the run itself
    CPandrel_Script::RunStatistics Statistics;
    std::vector<testing_support::DialogAnswerer::Seen> Boxes;
};

// Puts the lines into the line store: from a plain script file (each text
// line one statement, the file's name in error reports), from a macro file
// (its "[Script]" lines and window records), or from memory (no file name).
bool LoadScriptFile(const std::string& path);
bool LoadMacroFile(const std::string& path, int speedMode);
void LoadLines(const std::vector<std::string>& lines);
// Whether a file is a macro file rather than a plain script: it starts
// with the "[General]" block.
bool IsMacroFile(const std::string& path);

// Prepares and runs what is loaded, as the application does (load, prepare,
// Execute(1, 1), clear the line store), from a clean engine.
RunReport RunLoaded(const RunSettings& settings, const std::string& scriptPath = std::string());
RunReport RunLines(const std::vector<std::string>& lines, const RunSettings& settings = RunSettings());
RunReport RunFile(const std::string& path, const RunSettings& settings = RunSettings());

// A global variable's value as text after a run; "<undeclared>" when there
// is none, "<array>" for an array.
std::string Global(const char* name);

// The Windows path of a program built beside the host (window_helper.exe).
std::string HostProgramPath(const char* name);
// Starts such a program with `arguments`: its process handle, or null.
HANDLE StartHostProgram(const char* name, const std::string& arguments);

}  // namespace script_host
