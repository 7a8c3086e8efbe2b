// script_host.exe, the test host on the command line: what it prints and
// the exit code it ends with, for scripts, macro files and failures.
#include "tests/host/ScriptHost.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace {

struct ProgramRun
{
    DWORD exitCode = 0;
    std::string output;
};

ProgramRun RunHost(const std::string& arguments)
{
    ProgramRun run;
    SECURITY_ATTRIBUTES security = {sizeof security, nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &security, 0))
        return run;
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    startup.hStdError = writeEnd;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    std::string commandLine = "\"" + script_host::HostProgramPath("script_host.exe") + "\" " + arguments;
    PROCESS_INFORMATION process = {};
    const BOOL started = CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                                        &startup, &process);
    CloseHandle(writeEnd);
    if (started) {
        char buffer[4096];
        DWORD read;
        while (ReadFile(readEnd, buffer, sizeof buffer, &read, nullptr) && read > 0)
            run.output.append(buffer, read);
        WaitForSingleObject(process.hProcess, 60000);
        GetExitCodeProcess(process.hProcess, &run.exitCode);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    CloseHandle(readEnd);
    std::string text;
    for (char ch : run.output)
        if (ch != '\r')
            text += ch;
    run.output = text;
    return run;
}

std::string Quoted(const std::string& path)
{
    return "\"" + path + "\"";
}

TEST(ScriptHostProgram, ReportsTheRunAndEndsWithTheScriptsExitCode)
{
    testing_support::TempFolder folder;
    testing_support::WriteFileBytes(folder / "exit.txt", "$a = 2\r\nExit $a * 2\r\n");
    ProgramRun run = RunHost("--stats " + Quoted(folder / "exit.txt"));
    EXPECT_EQ(run.exitCode, 4u);
    EXPECT_NE(run.output.find("result: ran\nexit-code: 4\nseconds: "), std::string::npos) << run.output;
    EXPECT_NE(run.output.find(" lines: 2 pumps: "), std::string::npos) << run.output;
}

TEST(ScriptHostProgram, ReportsErrorBoxesAndFailures)
{
    testing_support::TempFolder folder;
    testing_support::WriteFileBytes(folder / "broken.txt", "$a = 1\r\n$b = $nope\r\n");
    ProgramRun run = RunHost("--answer " + Quoted(folder / "broken.txt"));
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_NE(run.output.find("box: Internal Error | Line 2  (File \"" + folder.Path() +
                              "\\broken.txt\"):\\n\\n$b = $nope\\n$b = ^ ERROR\\n\\nError: Variable used without being "
                              "declared.\nresult: ran\n"),
              std::string::npos)
        << run.output;

    testing_support::WriteFileBytes(folder / "unknown.txt", "Nope()\r\n");
    run = RunHost("--answer " + Quoted(folder / "unknown.txt"));
    EXPECT_EQ(run.exitCode, 254u);
    EXPECT_NE(run.output.find("result: not-prepared"), std::string::npos) << run.output;

    run = RunHost(Quoted(folder / "missing.txt"));
    EXPECT_EQ(run.exitCode, 255u);
    EXPECT_NE(run.output.find("result: not-loaded"), std::string::npos) << run.output;

    run = RunHost("--bogus x");
    EXPECT_EQ(run.exitCode, 2u);
}

TEST(ScriptHostProgram, ReadsMacroFilesAtTheirSpeed)
{
    testing_support::TempFolder folder;
    const std::string macro = folder / "macro.txt";
    testing_support::WriteFileBytes(macro,
        "[General]\r\nName=m\r\nStartKey=None\r\nEndKey=None\r\nDescription=\r\nEnable=0\r\nRepeatOption=0\r\n"
        "RepeatTimes=1\r\nOriginalSpeed=0\r\nUseSimilarWin=0\r\nUseHalvane=0\r\nTriggerRobot=\r\n[Script]\r\n"
        "Comment: the marked line goes at the faster speed\r\n"
        "Exit 5=> [remove on faster speed]\r\n"
        "Exit 6\r\n");
    EXPECT_EQ(RunHost(Quoted(macro)).exitCode, 5u);
    EXPECT_EQ(RunHost("--speed 1 " + Quoted(macro)).exitCode, 6u);
}

}  // namespace
