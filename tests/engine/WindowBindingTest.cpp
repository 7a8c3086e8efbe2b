// Lines bound to recorded windows: the line waits for the window that the
// recording went to, here one that a helper program opens late, and the run
// gives up with the exact message when none appears. One give-up waits the
// program's own 40 tries 500 ms apart; the other waits take shorter turns.
#include "tests/engine/ScriptTestSupport.h"

#include "tests/host/EngineAccess.h"
#include "tests/support/TestFiles.h"

#include <mmsystem.h>

namespace {

using script_host::Global;

const char kHelperTitle[] = "Kestrune Late Window";

// A macro file whose second line is bound to a window of window_helper.exe
// titled `title`.
std::string WriteBoundMacro(const testing_support::TempFolder& folder, const std::string& title)
{
    const std::string path = folder / "bound.txt";
    testing_support::WriteFileBytes(path,
        "[General]\r\nName=bound\r\nStartKey=None\r\nEndKey=None\r\nDescription=\r\nEnable=0\r\n"
        "RepeatOption=0\r\nRepeatTimes=1\r\nOriginalSpeed=0\r\nUseSimilarWin=0\r\nUseHalvane=1\r\n"
        "TriggerRobot=\r\n[Script]\r\n"
        "$before = 1\r\n"
        "$bound = 1-> At Win [0]\r\n"
        "[HalvaneInfo]\r\n"
        "WinIndex=0\r\nWinTitle=" + title + "\r\nWinPath=" + script_host::HostProgramPath("window_helper.exe") +
        "\r\nWinParentLevel=0\r\nWinRect=60,70,360,270\r\n");
    return path;
}

HANDLE StartLateWindow(const char* delayMs)
{
    return script_host::StartHostProgram("window_helper.exe",
                                         std::string("\"") + kHelperTitle + "\" " + delayMs + " 8000");
}

// Tries `tries` times, `intervalMs` apart, before it gives up.
std::function<void()> ShorterTurns(int tries, DWORD intervalMs)
{
    return [=] {
        WindowBindingRetries retries;
        retries.Tries = tries;
        retries.IntervalMs = intervalMs;
        CPandrel_ScriptTestAccess::SetWindowBindingRetries(retries);
    };
}

TEST(WindowBoundLines, WaitForAWindowThatOpensLate)
{
    testing_support::TempFolder folder;
    const std::string macro = WriteBoundMacro(folder, kHelperTitle);
    HANDLE helper = StartLateWindow("400");
    ASSERT_NE(helper, nullptr);
    script_host::RunSettings settings;
    settings.UseHalvane = 1;
    settings.BeforeRun = ShorterTurns(200, 50);
    const DWORD start = timeGetTime();
    script_host::RunReport report = script_host::RunFile(macro, settings);
    const DWORD elapsed = timeGetTime() - start;
    EXPECT_TRUE(report.Boxes.empty());
    EXPECT_EQ(Global("before"), "1");
    EXPECT_EQ(Global("bound"), "1");
    EXPECT_GE(elapsed, 300u);
    EXPECT_LT(elapsed, 10000u);
    // The window was brought to its recorded place.
    HWND window = FindWindowA(nullptr, kHelperTitle);
    ASSERT_NE(window, nullptr);
    RECT rect;
    GetWindowRect(window, &rect);
    EXPECT_EQ(rect.left, 60);
    EXPECT_EQ(rect.top, 70);
    TerminateProcess(helper, 0);
    CloseHandle(helper);
}

TEST(WindowBoundLines, WithoutTheOptionTheyRunAtOnce)
{
    testing_support::TempFolder folder;
    const DWORD start = timeGetTime();
    script_host::RunReport report = script_host::RunFile(WriteBoundMacro(folder, "Nowhere Window"));
    EXPECT_TRUE(report.Boxes.empty());
    EXPECT_EQ(Global("bound"), "1");
    EXPECT_LT(timeGetTime() - start, 1000u);
}

struct GiveUpCase
{
    int useSimilarWin;
    bool programsOwnTurns;   // else 4 tries 100 ms apart
    const char* hint;
};

TEST(WindowBoundLines, GiveUpWithTheExactMessage)
{
    const GiveUpCase cases[] = {
        {0, true,
         "' that was open during recording.\n\nIf the window title changes every time you run the robot, edit "
         "the robot and check the option 'Enable to run with other similar files or window titles'."},
        {1, false,
         "' that was open during recording.\n\nIf inputs do not associate with any window, edit the robot and "
         "uncheck the option 'Enable Halvane Technology for this robot'."},
    };
    for (const GiveUpCase& c : cases) {
        testing_support::TempFolder folder;
        script_host::RunSettings settings;
        settings.UseHalvane = 1;
        settings.UseSimilarWin = c.useSimilarWin;
        if (!c.programsOwnTurns)
            settings.BeforeRun = ShorterTurns(4, 100);
        const DWORD start = timeGetTime();
        script_host::RunReport report = script_host::RunFile(WriteBoundMacro(folder, "Nowhere Window"), settings);
        const DWORD elapsed = timeGetTime() - start;
        ASSERT_EQ(report.Boxes.size(), 1u);
        EXPECT_EQ(report.Boxes[0].caption, "Brenvik Kestrune Error");
        EXPECT_EQ(report.Boxes[0].text, std::string("Cannot find window or application titled 'Nowhere Window") + c.hint);
        EXPECT_EQ(Global("before"), "1");
        EXPECT_EQ(Global("bound"), "<undeclared>");
        EXPECT_EQ(g_ScriptEngine.StopFlag, 1);
        if (c.programsOwnTurns) {
            // 40 tries, 500 ms apart; each try's search of the windows takes
            // longer on a loaded machine, so the bound above only shows that
            // the waiting ends.
            EXPECT_GE(elapsed, 19000u);
            EXPECT_LT(elapsed, 90000u);
        } else {
            EXPECT_GE(elapsed, 300u);   // 4 tries: 3 pauses of 100 ms
            EXPECT_LT(elapsed, 10000u);
        }
    }
}

}  // namespace
