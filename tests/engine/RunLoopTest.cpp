// The run loop with real messages: the stop flag and WM_QUIT arriving
// during a DELAY, the Adlib function, a script hot key pressed with
// SendInput, RunWait's poll, the pump's latency, and the nesting limit.
#include "tests/engine/ScriptTestSupport.h"

#include "tests/host/EngineAccess.h"
#include "tests/support/Input.h"

#include <mmsystem.h>

#include <thread>

namespace {

using script_host::Global;
using script_test::Lines;
using script_test::RunClean;

// A window whose WM_APP stands for the macro's end key, and which notes the
// time at which its WM_USER arrived.
DWORD g_userMessageTime = 0;

LRESULT CALLBACK EndKeyWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_APP)
        g_ScriptEngine.StopFlag = 1;
    if (message == WM_USER)
        g_userMessageTime = timeGetTime();
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND MakeEndKeyWindow()
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = EndKeyWindow;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "KestruneRunLoopTest";
    RegisterClassA(&windowClass);
    return CreateWindowA(windowClass.lpszClassName, "", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                         windowClass.hInstance, nullptr);
}

// Posts `message` to `window` after `delayMs`, from another thread.
std::thread PostLater(HWND window, UINT message, DWORD delayMs)
{
    return std::thread([=] {
        Sleep(delayMs);
        PostMessageA(window, message, 0, 0);
    });
}

TEST(RunLoop, TheStopFlagDuringADelayEndsTheRun)
{
    HWND window = MakeEndKeyWindow();
    ASSERT_NE(window, nullptr);
    std::thread endKey = PostLater(window, WM_APP, 200);
    const DWORD start = timeGetTime();
    RunClean({
        "Func Slow()",
        "    DELAY(5000)",
        "    $inside = \"after the delay\"",
        "EndFunc",
        "Func Mark()",
        "    $marked = 1",
        "EndFunc",
        "$before = 1",
        "$r = Slow() & Mark()",
        "$after = 1",
    });
    endKey.join();
    EXPECT_LT(timeGetTime() - start, 2000u);
    EXPECT_EQ(Global("before"), "1");
    EXPECT_EQ(Global("inside"), "<undeclared>");
    EXPECT_EQ(Global("marked"), "<undeclared>");
    EXPECT_EQ(Global("after"), "<undeclared>");
    EXPECT_EQ(g_ScriptEngine.GetNestingDepth(), 0);
    DestroyWindow(window);
}

TEST(RunLoop, ADelayInAFunctionReturnsToIt)
{
    RunClean({"Func Pause()", "    DELAY(50)", "    $next = \"ran\"", "    Return 2", "EndFunc", "$next = \"\"",
              "$r = Pause() + 1"});
    EXPECT_EQ(Global("next"), "ran");
    EXPECT_EQ(Global("r"), "3");
}

TEST(RunLoop, AdlibRunsDuringADelay)
{
    script_host::RunSettings settings;
    settings.BeforeRun = [] { CPandrel_ScriptTestAccess::EnableAdlib("Tick", 50); };
    RunClean({"Func Tick()", "    $ticks = $ticks + 1", "    SetError(9)", "EndFunc", "$ticks = 0", "DELAY(600)",
              "$error = @error"},
             settings);
    EXPECT_GE(std::stoi(Global("ticks")), 4);
    EXPECT_EQ(Global("error"), "0");   // the Adlib function's @error is its own

    // A new preparation turns Adlib off.
    RunClean({"Func Tick()", "    $ticks = $ticks + 1", "EndFunc", "$ticks = 0", "DELAY(300)"});
    EXPECT_EQ(Global("ticks"), "0");
}

TEST(RunLoop, AWmQuitEndsTheRunAndStaysForTheApplication)
{
    const DWORD thread = GetCurrentThreadId();
    std::thread quit([thread] {
        Sleep(200);
        PostThreadMessageA(thread, WM_QUIT, 18, 0);
    });
    const DWORD start = timeGetTime();
    script_host::RunSettings settings;
    bool ranAgain = false;
    RunClean({"$a = 1", "DELAY(5000)", "$a = 2"}, settings);
    quit.join();
    EXPECT_LT(timeGetTime() - start, 2000u);
    EXPECT_EQ(Global("a"), "1");
    EXPECT_EQ(g_ScriptEngine.StopFlag, 1);

    // The application's repeated runs end at once, and the quit is still
    // there for its own message loop.
    script_host::LoadLines({"$again = 1"});
    g_ScriptEngine.Execute(1, 1);
    ranAgain = Global("again") != "<undeclared>";
    EXPECT_FALSE(ranAgain);
    MSG message;
    ASSERT_TRUE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(message.wParam, 18u);
    EXPECT_FALSE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

void PressCtrlAltK()
{
    const WORD chord[] = {VK_CONTROL, VK_MENU, 'K'};
    testing_support::PressChord(chord, 3);
}

TEST(RunLoop, AScriptHotKeyRunsItsFunction)
{
    const int id = 5;
    ASSERT_TRUE(RegisterHotKey(nullptr, id, MOD_CONTROL | MOD_ALT, 'K'));
    script_host::RunSettings settings;
    settings.BeforeRun = [] { CPandrel_ScriptTestAccess::SetHotKey(5, "OnKey"); };
    std::thread press([] {
        Sleep(300);
        PressCtrlAltK();
    });
    RunClean({"Func OnKey()", "    $hits = $hits + 1", "EndFunc", "$hits = 0", "DELAY(1500)", "$done = $hits"},
             settings);
    press.join();
    EXPECT_EQ(Global("done"), "1");

    // The end of the run let the key go: it can be registered again.
    EXPECT_FALSE(CPandrel_ScriptTestAccess::HotKeyInUse(id));
    EXPECT_TRUE(RegisterHotKey(nullptr, id, MOD_CONTROL | MOD_ALT, 'K'));
    UnregisterHotKey(nullptr, id);
}

HANDLE StartExitHelper(const char* exitCode, const char* delayMs)
{
    return script_host::StartHostProgram("exit_helper.exe", std::string(exitCode) + " " + delayMs);
}

TEST(RunWaitPoll, EndsWithTheExitCodeEvenWhenItIsStillActive)
{
    for (const char* code : {"0", "7", "259"}) {
        HANDLE process = StartExitHelper(code, "100");
        ASSERT_NE(process, nullptr);
        const DWORD start = timeGetTime();
        int error = -1;
        EXPECT_EQ(CPandrel_ScriptTestAccess::WaitForProcess(process, error), atoi(code));
        EXPECT_EQ(error, 0);
        EXPECT_LT(timeGetTime() - start, 5000u) << code;
        EXPECT_EQ(g_ScriptEngine.GetRunState(), kRunStateRunning);
    }
}

TEST(RunWaitPoll, ABadHandleEndsTheWaitWithAnError)
{
    int error = 0;
    EXPECT_EQ(CPandrel_ScriptTestAccess::WaitForProcess(reinterpret_cast<HANDLE>(0x7ffffff0), error), 0);
    EXPECT_EQ(error, 1);
    EXPECT_EQ(g_ScriptEngine.GetRunState(), kRunStateRunning);
}

TEST(RunLoop, APostedMessageIsHandledWithinMillisecondsOfABusyLoop)
{
    HWND window = MakeEndKeyWindow();
    g_userMessageTime = 0;
    DWORD posted = 0;
    std::thread poster([&] {
        Sleep(50);
        posted = timeGetTime();
        PostMessageA(window, WM_USER, 0, 0);
    });
    // Long enough to outlast the post by far at the engine's speed.
    script_host::RunReport report = RunClean({"$i = 0", "While $i < 5000000", "$i = $i + 1", "WEnd"});
    poster.join();
    ASSERT_GT(report.Seconds, 0.1);   // the message arrived while lines ran
    ASSERT_NE(g_userMessageTime, 0u);
    EXPECT_LT(g_userMessageTime - posted, 30u);
    // The pump is not entered before every line.
    EXPECT_LT(report.Statistics.Pumps, report.Statistics.LinesRun / 50);
    DestroyWindow(window);
}

TEST(RunLoop, TheStopFlagEndsALongWait)
{
    script_host::RunSettings settings;
    settings.BeforeRun = [] { g_LongWaitActive = 1; };
    HWND window = MakeEndKeyWindow();
    std::thread endKey = PostLater(window, WM_APP, 200);
    RunClean({"$a = 1"}, settings);
    endKey.join();
    EXPECT_EQ(Global("a"), "<undeclared>");
    EXPECT_EQ(g_LongWaitActive, 0);
    DestroyWindow(window);
}

TEST(NestingLimit, The385thLevelIsRefused)
{
    script_host::RunReport report = script_host::RunLines({
        "Func Down($n)",
        "    $deepest = $n",
        "    Down($n + 1)",
        "    $unwound = 1",
        "EndFunc",
        "$deepest = 0",
        "Down(1)",
        "$after = 1",
    });
    ASSERT_EQ(report.Boxes.size(), 1u);
    EXPECT_EQ(report.Boxes[0].caption, "Internal Error");
    EXPECT_EQ(report.Boxes[0].text,
              script_test::ErrorText(3, "    Down($n + 1)", -1,
                                     "Recursion level has been exceeded - Brenvik Kestrune will quit to prevent "
                                     "stack overflow."));
    EXPECT_EQ(Global("deepest"), "384");
    EXPECT_EQ(Global("unwound"), "<undeclared>");
    EXPECT_EQ(Global("after"), "<undeclared>");
    EXPECT_EQ(g_ScriptEngine.GetNestingDepth(), 0);
}

TEST(NestingLimit, TheDeepestLineAtEveryLevelFitsInTheStack)
{
    // Each of the 384 levels is called from inside the deepest nesting a line
    // may hold (31 builtin calls around the call of the next level): the
    // stack holds them all, and the recursion limit ends the run. One call
    // more is refused by the line's own limit before the first level.
    for (int calls : {31, 32}) {
        std::string call = "Down($n + 1)";
        for (int i = 0; i < calls; ++i)
            call = "Abs(" + call + ")";
        script_host::RunReport report = script_host::RunLines(
            {"Func Down($n)", "    $deepest = $n", "    Return " + call, "EndFunc", "$deepest = 0", "Down(1)"});
        ASSERT_EQ(report.Boxes.size(), 1u) << calls;
        const bool deepest = calls == 31;
        EXPECT_NE(report.Boxes[0].text.find(deepest ? "Error: Recursion level has been exceeded"
                                                    : "Error: Too many levels of calls, subscripts and Ifs"),
                  std::string::npos)
            << calls;
        EXPECT_EQ(Global("deepest"), deepest ? "384" : "1") << calls;
    }
}

}  // namespace
