// The waits in runs of scripts: the window waits with and without time-outs,
// WAIT and WAITLONG, and the end key stopping each kind of wait.
#include "tests/builtins/ThreadWindows.h"

#include "engine/automation/ProcessList.h"
#include "tests/engine/ScriptTestSupport.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>
#include <mmsystem.h>

#include <stdio.h>

#include <atomic>
#include <thread>

using builtins_test::ThreadWindows;
using script_host::Global;
using script_test::RunClean;

namespace {

const char kLateTitle[] = "Kestrune Wait Target";

TEST(WindowWaits, EachWaitEndsWhenItsConditionHolds)
{
    ThreadWindows windows;
    // The window turns up while WinWait waits (no time-out, and a time-out
    // of 0 means none too), goes to the front, and closes.
    HWND window = nullptr;
    std::thread play([&] {
        Sleep(300);
        window = windows.MakeWindow(kLateTitle);
        Sleep(300);
        windows.Run([&] { SetForegroundWindow(window); });
        Sleep(300);
        windows.Destroy(window);
    });
    RunClean({
        "Opt(\"WinWaitDelay\", 0)",
        "$wait = WinWait(\"Kestrune Wait\")",
        "$waitZero = WinWait(\"Kestrune Wait\", \"\", 0)",
        "$active = WinWaitActive(\"Kestrune Wait Target\", \"\", 10)",
        "$closed = WinWaitClose(\"Kestrune Wait Target\", \"\", 10)",
        "$notActive = WinWaitNotActive(\"Kestrune Wait Target\", \"\", 10)",
    });
    play.join();
    EXPECT_EQ(Global("wait"), "1");
    EXPECT_EQ(Global("waitZero"), "1");
    EXPECT_EQ(Global("active"), "1");
    EXPECT_EQ(Global("closed"), "1");
    EXPECT_EQ(Global("notActive"), "1");
}

TEST(WindowWaits, ATimeOutGivesZeroAndNoPause)
{
    script_host::RunReport report = RunClean({
        "Opt(\"WinWaitDelay\", 5000)",
        "$wait = WinWait(\"Kestrune never shown\", \"\", 1)",
        "$active = WinWaitActive(\"Kestrune never shown\", \"\", 1)",
    });
    EXPECT_EQ(Global("wait"), "0");
    EXPECT_EQ(Global("active"), "0");
    EXPECT_GE(report.Seconds, 1.9);
    EXPECT_LT(report.Seconds, 5.0);   // no WinWaitDelay after a time-out
}

TEST(Pauses, WaitAndWaitLongPauseTheRun)
{
    script_host::RunReport report = RunClean({"WAIT(250)", "WAITLONG(250)", "$after = 1"});
    EXPECT_EQ(Global("after"), "1");
    EXPECT_GE(report.Seconds, 0.49);
    EXPECT_EQ(g_LongWaitActive, 0);
    // The faster speed drops pauses of 200 ms and less, and only those.
    script_host::RunSettings faster;
    faster.BeforeRun = [] { g_ScriptFile.SpeedMode = 1; };
    report = RunClean({"$i = 0", "While $i < 20", "WAIT(200)", "$i = $i + 1", "WEnd"}, faster);
    EXPECT_LT(report.Seconds, 2.0);
    report = RunClean({"WAIT(201)"}, faster);
    g_ScriptFile.SpeedMode = 0;
    EXPECT_GE(report.Seconds, 0.2);
}

// The end key: a window of the engine's thread whose WM_APP sets the stop
// flag, as the main window's end key does, and notes when.
std::atomic<DWORD> g_endKeyTime{0};

// A wait ends within 100 ms of the end key; the run's own end and the
// clock reads of the test add a little.
const DWORD kEndKeyBoundMs = 100 + 60;

LRESULT CALLBACK EndKeyWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_APP) {
        g_ScriptEngine.StopFlag = 1;
        g_endKeyTime = timeGetTime();
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND MakeEndKeyWindow(const char* title)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = EndKeyWindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "KestruneEndKeyWindow";
    RegisterClassA(&windowClass);
    return CreateWindowA(windowClass.lpszClassName, title, WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                         windowClass.hInstance, nullptr);
}

TEST(EndKey, StopsEveryKindOfWaitAtOnce)
{
    HWND endKey = MakeEndKeyWindow("Kestrune End Key");
    ASSERT_NE(endKey, nullptr);
    ThreadWindows windows;
    HWND active = windows.MakeWindow("Kestrune Stays Active");
    windows.Run([active] { SetForegroundWindow(active); });
    const std::string helper = "'" + script_host::HostProgramPath("exit_helper.exe") + "' 3 30000";
    const std::string busy = "'" + script_host::HostProgramPath("busy_helper.exe") + "' 0 30000";
    const std::vector<std::pair<const char*, std::string>> waits = {
        {"WinWait", "WinWait(\"Kestrune never shown\")"},
        {"WinWaitClose", "WinWaitClose(\"Kestrune End Key\")"},
        {"WinWaitActive", "WinWaitActive(\"Kestrune never shown\")"},
        {"WinWaitNotActive", "WinWaitNotActive(\"Kestrune Stays Active\")"},
        {"WAIT", "WAIT(30000)"},
        {"WAITLONG", "WAITLONG(30000)"},
        {"ProcessWait", "ProcessWait(\"kestrune-none.exe\")"},
        {"ProcessWaitClose", "ProcessWaitClose(\"" + std::to_string(GetCurrentProcessId()) + "\")"},
        {"RunWait", "RunWait(\"" + helper + "\")"},
        {"RunReadyInput", "RunReadyInput(\"" + busy + "\")"},
    };
    for (const auto& wait : waits) {
        g_endKeyTime = 0;
        std::thread press([&] {
            Sleep(300);
            PostMessageA(endKey, WM_APP, 0, 0);
        });
        RunClean({"$before = 1", std::string("$r = ") + wait.second, "$after = 1"});
        const DWORD ended = timeGetTime();
        press.join();
        EXPECT_EQ(Global("before"), "1") << wait.first;
        EXPECT_EQ(Global("after"), "<undeclared>") << wait.first;
        ASSERT_NE(g_endKeyTime.load(), 0u) << wait.first;
        const DWORD latency = ended - g_endKeyTime.load();
        printf("end key -> end of run during %s: %lu ms\n", wait.first, static_cast<unsigned long>(latency));
        EXPECT_LT(latency, kEndKeyBoundMs) << wait.first;
    }
    DestroyWindow(endKey);
    // The programs that RunWait and RunReadyInput were waiting for run on: end them.
    for (const char* program : {"exit_helper.exe", "busy_helper.exe"}) {
        DWORD helperId = 0;
        bool found = false;
        while (FindProcess(program, helperId, found) && found) {
            HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, helperId);
            if (!process)
                break;
            TerminateProcess(process, 0);
            WaitForSingleObject(process, 5000);
            CloseHandle(process);
        }
    }
}

TEST(EndKey, StopsTheWaitForARecordedWindow)
{
    // A line bound to a window that never opens: the engine would try for
    // 20 seconds, 500 ms apart.
    testing_support::TempFolder folder;
    const std::string path = folder / "bound.txt";
    testing_support::WriteFileBytes(path,
        "[General]\r\nName=bound\r\nStartKey=None\r\nEndKey=None\r\nDescription=\r\nEnable=0\r\n"
        "RepeatOption=0\r\nRepeatTimes=1\r\nOriginalSpeed=0\r\nUseSimilarWin=0\r\nUseHalvane=1\r\n"
        "TriggerRobot=\r\n[Script]\r\n"
        "$before = 1\r\n"
        "$bound = 1-> At Win [0]\r\n"
        "[HalvaneInfo]\r\n"
        "WinIndex=0\r\nWinTitle=Kestrune never opened\r\nWinPath=C:\\kestrune\\none.exe"
        "\r\nWinParentLevel=0\r\nWinRect=60,70,360,270\r\n");
    HWND endKey = MakeEndKeyWindow("");
    g_endKeyTime = 0;
    std::thread press([&] {
        Sleep(700);
        PostMessageA(endKey, WM_APP, 0, 0);
    });
    script_host::RunSettings settings;
    settings.UseHalvane = 1;
    script_host::RunReport report = script_host::RunFile(path, settings);
    const DWORD ended = timeGetTime();
    press.join();
    DestroyWindow(endKey);
    EXPECT_TRUE(report.Boxes.empty());   // stopped, not given up
    EXPECT_EQ(Global("before"), "1");
    EXPECT_EQ(Global("bound"), "<undeclared>");
    ASSERT_NE(g_endKeyTime.load(), 0u);
    printf("end key -> end of run during a recorded-window wait: %lu ms\n",
           static_cast<unsigned long>(ended - g_endKeyTime.load()));
    EXPECT_LT(ended - g_endKeyTime.load(), kEndKeyBoundMs);
}

}  // namespace
