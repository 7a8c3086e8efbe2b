// Programs and processes: Run through the search path and its errors,
// RunWait's exit codes, RunReadyInput's wait, the process look-ups by name and id, ending and
// re-prioritising a process, and Shutdown through its seam.
#include "tests/builtins/BuiltinTestSupport.h"
#include "tests/engine/ScriptTestSupport.h"
#include "tests/support/TestFiles.h"

#include "engine/automation/ProcessList.h"
#include "engine/support/Shutdown.h"

#include <gtest/gtest.h>

#include <vector>

using namespace builtins_test;
using script_host::Global;
using script_test::RunClean;

namespace {

std::string Helper(const char* arguments)
{
    return "'" + script_host::HostProgramPath("exit_helper.exe") + "' " + arguments;
}

// Ends what a test left running.
void EndProcess(DWORD processId)
{
    if (HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, processId)) {
        TerminateProcess(process, 0);
        WaitForSingleObject(process, 5000);
        CloseHandle(process);
    }
}

TEST(Programs, RunFindsNotepadOnTheSearchPathAndReturnsItsId)
{
    // No notepad.exe in the current folder: the name alone goes to the search path.
    const std::string program = "'C:\\no such folder\\notepad.exe'";
    Outcome outcome = Call("RUN", {Text(program.c_str())});
    ASSERT_EQ(outcome.error, 0);
    const DWORD processId = static_cast<DWORD>(outcome.result.GetInt());
    ASSERT_NE(processId, 0u);
    DWORD found = 0;
    bool exists = false;
    ASSERT_TRUE(FindProcess("NOTEPAD.EXE", found, exists));
    EXPECT_TRUE(exists);
    EXPECT_EQ(Call("PROCESSEXISTS", {Text(std::to_string(processId).c_str())}).result.GetInt(),
              static_cast<int>(processId));
    EXPECT_EQ(Call("PROCESSCLOSE", {Text(std::to_string(processId).c_str())}).result.GetInt(), 1);
    EXPECT_EQ(Call("PROCESSWAITCLOSE", {Text(std::to_string(processId).c_str()), Int(5)}).result.GetInt(), 1);
}

TEST(Programs, RunWaitGivesTheExitCodeAndTheParametersArriveUnchanged)
{
    OptionScope noDelay("WinWaitDelay", 0);
    for (const char* code : {"0", "7", "259", "4294967295"}) {
        const std::string program = Helper((std::string(code) + " 50").c_str());
        Outcome outcome = Call("RUNWAIT", {Text(program.c_str())});
        EXPECT_EQ(outcome.error, 0) << code;
        EXPECT_EQ(static_cast<unsigned>(outcome.result.GetInt()), strtoul(code, nullptr, 10)) << code;
    }
    // A failed start without RunErrorsFatal: 0 and @error 1.
    OptionScope notFatal("RunErrorsFatal", 0);
    Outcome outcome = Call("RUNWAIT", {Text("'kestrune-no-such-program.exe'")});
    EXPECT_EQ(outcome.result.GetInt(), 0);
    EXPECT_EQ(outcome.error, 1);
    EXPECT_EQ(outcome.returned, 0);
}

TEST(Programs, ADocumentStartsThroughTheShell)
{
    // A batch file is no ".exe": the shell runs it. Run gives 1, RunWait the
    // exit code of the program the shell started.
    testing_support::TempFolder folder;
    const std::string batch = folder / "exit seven.bat";
    testing_support::WriteFileBytes(batch, "@exit 7\r\n");
    const std::string program = "'" + batch + "'";
    EXPECT_EQ(Call("RUN", {Text(program.c_str())}).result.GetInt(), 1);
    Outcome outcome = Call("RUNWAIT", {Text(program.c_str())});
    EXPECT_EQ(outcome.error, 0);
    EXPECT_EQ(outcome.result.GetInt(), 7);
}

TEST(Programs, RunReadyInputWaitsUntilTheProgramTakesInputOrEnds)
{
    // A program with windows that never asks for input: the wait lasts
    // until it ends.
    const std::string busy = "'" + script_host::HostProgramPath("busy_helper.exe") + "' 0 400";
    DWORD start = GetTickCount();
    Outcome outcome = Call("RUNREADYINPUT", {Text(busy.c_str())});
    EXPECT_GE(GetTickCount() - start, 350u);
    EXPECT_EQ(outcome.error, 0);
    EXPECT_NE(outcome.result.GetInt(), 0);   // its process id
    // A console program takes no window input: there is nothing to wait for.
    start = GetTickCount();
    outcome = Call("RUNREADYINPUT", {Text(Helper("0 20000").c_str())});
    EXPECT_LT(GetTickCount() - start, 2000u);
    ASSERT_NE(outcome.result.GetInt(), 0);
    EndProcess(static_cast<DWORD>(outcome.result.GetInt()));
}

TEST(Programs, BadProgramTextsAreScriptErrors)
{
    struct Case
    {
        std::string line;
        std::string message;
    };
    const Case cases[] = {
        {"Run(\"notepad.exe\")", "Invalid program to launch"},
        {"Run(\"\")", "Invalid program to launch"},
        {"Run(\"''\")", "Empty program to launch"},
        {"Run(\"'notepad.exe\")", "Empty program to launch"},
        {"Run(\"'kestrune-no-such-program.exe'\")", "Unable to execute the external program."},
        {"RunAsSet(\"user\", \"domain\")", "Incorrect number of parameters in function call."},
    };
    for (const Case& c : cases) {
        script_test::Box box = script_test::RunExpectingError({c.line});
        EXPECT_NE(box.text.find(c.message), std::string::npos) << c.line << "\n" << box.text;
    }
}

TEST(Processes, NamesAndIdsFindTheirProcess)
{
    Outcome started = Call("RUN", {Text(Helper("0 20000").c_str())});
    const DWORD processId = static_cast<DWORD>(started.result.GetInt());
    ASSERT_NE(processId, 0u);
    const std::string id = std::to_string(processId);
    EXPECT_EQ(Call("PROCESSEXISTS", {Text("Exit_Helper.EXE")}).result.GetInt(), static_cast<int>(processId));
    EXPECT_EQ(Call("PROCESSEXISTS", {Text(id.c_str())}).result.GetInt(), static_cast<int>(processId));
    // A name that merely starts with the id's digits is a name.
    EXPECT_EQ(Call("PROCESSEXISTS", {Text((id + "zip.exe").c_str())}).result.GetInt(), 0);
    EXPECT_EQ(Call("PROCESSWAIT", {Text("exit_helper.exe"), Int(5)}).result.GetInt(), 1);

    // Priorities 0-5; anything else changes nothing and says so.
    EXPECT_EQ(Call("PROCESSSETPRIORITY", {Text(id.c_str()), Int(4)}).result.GetInt(), 1);
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, processId);
    EXPECT_EQ(GetPriorityClass(process), static_cast<DWORD>(HIGH_PRIORITY_CLASS));
    CloseHandle(process);
    for (int priority : {-1, 6}) {
        Outcome outcome = Call("PROCESSSETPRIORITY", {Text(id.c_str()), Int(priority)});
        EXPECT_EQ(outcome.result.GetInt(), 0) << priority;
        EXPECT_EQ(outcome.error, 1) << priority;
    }

    EXPECT_EQ(Call("PROCESSCLOSE", {Text("exit_helper.exe")}).result.GetInt(), 1);
    EXPECT_EQ(Call("PROCESSWAITCLOSE", {Text(id.c_str()), Int(5)}).result.GetInt(), 1);
    EndProcess(processId);
}

TEST(Processes, NothingDoneIsNoSuccess)
{
    struct Case
    {
        const char* builtin;
        std::vector<CEngineVariant> args;
    };
    const std::string self = std::to_string(GetCurrentProcessId());
    const Case cases[] = {
        {"PROCESSCLOSE", {Text("kestrune-none.exe")}},
        {"PROCESSCLOSE", {Text(self.c_str())}},   // never this program itself
        {"PROCESSCLOSE", {Text("0")}},
        {"PROCESSSETPRIORITY", {Text("kestrune-none.exe"), Int(2)}},
    };
    for (const Case& c : cases) {
        Outcome outcome = Call(c.builtin, c.args);
        EXPECT_EQ(outcome.result.GetInt(), 0) << c.builtin << " " << &c - cases;
        EXPECT_EQ(outcome.error, 1) << c.builtin;
    }
    EXPECT_EQ(Call("PROCESSEXISTS", {Text("kestrune-none.exe")}).result.GetInt(), 0);
}

TEST(Processes, AWaitForAProcessTimesOut)
{
    Outcome outcome = Call("PROCESSWAIT", {Text("kestrune-none.exe"), Int(1)});
    EXPECT_EQ(outcome.result.GetInt(), 0);
    outcome = Call("PROCESSWAITCLOSE", {Text(std::to_string(GetCurrentProcessId()).c_str()), Int(1)});
    EXPECT_EQ(outcome.result.GetInt(), 0);
}

std::vector<UINT> g_shutdownFlags;

BOOL WINAPI FakeExitWindows(UINT flags, DWORD)
{
    g_shutdownFlags.push_back(flags);
    return flags != 2;   // the "reboot" is refused
}

bool FakeCloseWindow(HWND)
{
    return true;
}

TEST(Shutdown, GoesThroughTheSessionSeam)
{
    const EngineSupport::ShutdownActions previous = EngineSupport::SetShutdownActions({FakeExitWindows, FakeCloseWindow});
    g_shutdownFlags.clear();
    const int logOff = Call("SHUTDOWN", {Int(0)}).result.GetInt();
    const int reboot = Call("SHUTDOWN", {Int(2)}).result.GetInt();
    EngineSupport::SetShutdownActions(previous);
    if (g_shutdownFlags.empty())
        GTEST_SKIP() << "the shut-down privilege cannot be enabled here";
    EXPECT_EQ(g_shutdownFlags, (std::vector<UINT>{0, 2}));
    EXPECT_EQ(logOff, 1);
    EXPECT_EQ(reboot, 0);
}

}  // namespace
