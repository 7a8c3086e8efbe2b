// Starting programs: Run, RunWait (which waits for the program's exit code)
// and RunReadyInput (which waits until the program takes input), directly or
// through the shell for documents, optionally as another user (RunAsSet).
// The waits run in the engine's wait loop, so the end key stops them.
#include "engine/builtins/BuiltinFamily.h"

#include "base/OsVersion.h"
#include "engine/SystemErrorText.h"
#include "engine/builtins/BuiltinSupport.h"
#include "engine/support/LibraryFunction.h"

#include <shellapi.h>

#include <string.h>

#include <string>

namespace {

enum ProgramKind
{
    kRun,
    kRunWait,
    kRunReadyInput
};

const size_t kCommandLineLimit = 4095;   // characters
const size_t kRunAsTextLimit = 256;
const DWORD kInputIdleSliceMs = 10;      // WaitForInputIdle between turns of the wait loop

// RunAsSet's account, used by the direct starts that follow.
struct RunAsState : BuiltinFamilyState
{
    bool Enabled = false;
    DWORD LogonFlags = LOGON_WITH_PROFILE;
    std::wstring User, Domain, Password;
};

// The program and its parameters, read from "'program' parameters".
struct ProgramText
{
    std::string Program;
    std::string Parameters;
};

// Splits the first argument: false after a script error was reported.
bool ReadProgramText(BuiltinContext& context, const char* text, ProgramText& parts)
{
    if (text[0] != '\'') {
        context.ShowScriptError("Invalid program to launch");
        return false;
    }
    const char* close = strrchr(text, '\'');
    if (close == text || close == text + 1) {
        context.ShowScriptError("Empty program to launch");
        return false;
    }
    parts.Program.assign(text + 1, close);
    parts.Parameters = close + 1;
    // A program that is not there as written is looked for on the search path.
    if (GetFileAttributesA(parts.Program.c_str()) == INVALID_FILE_ATTRIBUTES) {
        const size_t slash = parts.Program.rfind('\\');
        if (slash != std::string::npos)
            parts.Program.erase(0, slash + 1);
    }
    return true;
}

bool StartsDirectly(const std::string& program)
{
    const size_t dot = program.rfind('.');
    return dot == std::string::npos || _stricmp(program.c_str() + dot, ".exe") == 0;
}

// Waits in the engine's wait loop until `process` takes input, has ended or
// is no program with windows; false when the run stops meanwhile.
bool WaitForInputIdleInRun(BuiltinContext& context, HANDLE process)
{
    while (WaitForInputIdle(process, 0) == WAIT_TIMEOUT) {
        if (!context.PauseInWaitLoop(kInputIdleSliceMs))
            return false;
    }
    return true;
}

// A direct start: true with the process information, false with the error code.
bool CreateDirect(BuiltinContext& context, const std::string& commandLine, const std::string& directory, int show,
                  PROCESS_INFORMATION& info, DWORD& error, bool& runAsMissing)
{
    RunAsState& runAs = context.FamilyState<RunAsState>();
    runAsMissing = false;
    if (!runAs.Enabled) {
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = static_cast<WORD>(show);
        std::string line = commandLine;   // CreateProcessA may write to it
        if (CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, directory.c_str(), &startup,
                           &info))
            return true;
        error = GetLastError();
        return false;
    }
    typedef BOOL(WINAPI * LogonFunction)(LPCWSTR, LPCWSTR, LPCWSTR, DWORD, LPCWSTR, LPWSTR, DWORD, LPVOID, LPCWSTR,
                                         LPSTARTUPINFOW, LPPROCESS_INFORMATION);
    HMODULE advapi = LoadLibraryA("advapi32.dll");
    const LogonFunction logon = EngineSupport::LibraryFunction<LogonFunction>(advapi, "CreateProcessWithLogonW");
    if (!logon) {
        if (advapi)
            FreeLibrary(advapi);
        runAsMissing = true;
        return false;
    }
    std::wstring line = BuiltinSupport::ToWide(commandLine.c_str());
    const std::wstring wideDirectory = BuiltinSupport::ToWide(directory.c_str());
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(show);
    const BOOL started = logon(runAs.User.c_str(), runAs.Domain.c_str(), runAs.Password.c_str(), runAs.LogonFlags,
                               nullptr, &line[0], 0, nullptr, wideDirectory.c_str(), &startup, &info);
    error = started ? 0 : GetLastError();
    FreeLibrary(advapi);
    return started != FALSE;
}

void ReportStartFailure(BuiltinContext& context, DWORD error)
{
    context.ShowScriptErrorPlain("Unable to execute the external program.",
                                 GetSystemErrorText(static_cast<int>(error)));
}

// Starts the program of the arguments. Returns 1 after a script error; for
// RunWait a started program's handle is left in the waits (null when the
// shell gave none).
int RunProgram(BuiltinContext& context, ProgramKind kind, CVariantList& args, CEngineVariant& result)
{
    ProgramText parts;
    if (!ReadProgramText(context, args.GetItem(0).GetString(), parts))
        return 1;
    std::string directory = args.GetCount() >= 2 ? args.GetItem(1).GetString() : "";
    if (directory.empty()) {
        char current[MAX_PATH] = "";
        GetCurrentDirectoryA(sizeof current, current);
        directory = current;
    }
    const int show = args.GetCount() == 3 ? args.GetItem(2).GetInt() : SW_SHOWNORMAL;
    context.Waits().RunWaitProcess = nullptr;

    if (StartsDirectly(parts.Program)) {
        const std::string commandLine = "\"" + parts.Program + "\"" + parts.Parameters;
        PROCESS_INFORMATION info = {};
        DWORD error = ERROR_FILENAME_EXCED_RANGE;
        bool runAsMissing = false;
        const bool started = commandLine.size() <= kCommandLineLimit &&
                             CreateDirect(context, commandLine, directory, show, info, error, runAsMissing);
        if (runAsMissing) {
            context.ShowScriptError("Unable to access RunAs API.");
            return 1;
        }
        if (!started) {
            if (context.RunErrorsFatal()) {
                ReportStartFailure(context, error);
                return 1;
            }
            context.SetError(1);
            result.SetInt(0);
            context.NoteProgramLaunched();
            return 0;
        }
        CloseHandle(info.hThread);
        context.NoteProgramLaunched();
        result.SetInt(static_cast<int>(info.dwProcessId));
        if (kind == kRunWait) {
            context.Waits().RunWaitProcess = info.hProcess;
            return 0;
        }
        if (kind == kRunReadyInput)
            WaitForInputIdleInRun(context, info.hProcess);
        CloseHandle(info.hProcess);
        return 0;
    }

    SHELLEXECUTEINFOA shell = {};
    shell.cbSize = sizeof shell;
    shell.fMask = SEE_MASK_NOCLOSEPROCESS;
    shell.lpFile = parts.Program.c_str();
    shell.lpParameters = parts.Parameters.c_str();
    shell.lpDirectory = directory.c_str();
    shell.nShow = show;
    if (!ShellExecuteExA(&shell)) {
        ReportStartFailure(context, GetLastError());
        return 1;
    }
    context.NoteProgramLaunched();
    if (kind == kRunWait) {
        context.Waits().RunWaitProcess = shell.hProcess;
        return 0;
    }
    if (shell.hProcess) {
        if (kind == kRunReadyInput)
            WaitForInputIdleInRun(context, shell.hProcess);
        CloseHandle(shell.hProcess);
    }
    return 0;
}

int BuiltinRun(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    return RunProgram(context, kRun, args, result);
}

int BuiltinRunReadyInput(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    return RunProgram(context, kRunReadyInput, args, result);
}

int BuiltinRunWait(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    if (RunProgram(context, kRunWait, args, result))
        return 1;
    if (context.GetError())
        return 0;
    HANDLE& process = context.Waits().RunWaitProcess;
    if (!process) {
        // The shell handed the document to a program already running: there
        // is nothing to wait for and no exit code.
        result.SetInt(0);
        return 0;
    }
    context.WaitResult().SetInt(1);
    const int status = context.EnterWait(kRunStateRunWait);
    if (process) {
        // The run stopped before the program ended.
        CloseHandle(process);
        process = nullptr;
    }
    result = context.WaitResult();
    return status;
}

std::wstring WideAccountText(CVariantList& args, int index)
{
    std::string text = args.GetItem(index).GetString();
    if (text.size() > kRunAsTextLimit)
        text.resize(kRunAsTextLimit);
    return BuiltinSupport::ToWide(text.c_str());
}

int BuiltinRunAsSet(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    if (!g_OsVersion.Is2000OrLater) {
        result.SetInt(0);
        return 0;
    }
    RunAsState& runAs = context.FamilyState<RunAsState>();
    const int count = args.GetCount();
    if (count == 0) {
        runAs.Enabled = false;
        return 0;
    }
    if (count < 3) {
        context.ShowScriptError("Incorrect number of parameters in function call.");
        return 1;
    }
    runAs.User = WideAccountText(args, 0);
    runAs.Domain = WideAccountText(args, 1);
    runAs.Password = WideAccountText(args, 2);
    runAs.LogonFlags = LOGON_WITH_PROFILE;
    if (count == 4) {
        const int option = args.GetItem(3).GetInt();
        if (option == 0)
            runAs.LogonFlags = 0;
        else if (option == 2)
            runAs.LogonFlags = LOGON_NETCREDENTIALS_ONLY;
    }
    runAs.Enabled = true;
    return 0;
}

const BuiltinBinding kBindings[] = {
    {"RUN", BuiltinRun},
    {"RUNWAIT", BuiltinRunWait},
    {"RUNREADYINPUT", BuiltinRunReadyInput},
    {"RUNASSET", BuiltinRunAsSet},
};

}  // namespace

extern const BuiltinFamily kProgramBuiltins = MakeBuiltinFamily("programs", kBindings);
