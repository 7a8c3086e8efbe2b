// The clipboard shared with a second program, and script hot keys pressed
// with real input while the script runs and waits.
#include "tests/engine/ScriptTestSupport.h"

#include "tests/builtins/BuiltinTestSupport.h"
#include "tests/support/Input.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <thread>

using namespace builtins_test;
using script_host::Global;
using script_test::RunClean;

namespace {

// Runs clipboard_helper.exe with `arguments`; its exit code, or -1.
long RunClipboardHelper(const std::string& arguments)
{
    HANDLE process = script_host::StartHostProgram("..\\builtins\\clipboard_helper.exe", arguments);
    if (!process)
        return -1;
    DWORD exitCode = static_cast<DWORD>(-1);
    if (WaitForSingleObject(process, 20000) == WAIT_OBJECT_0)
        GetExitCodeProcess(process, &exitCode);
    CloseHandle(process);
    return static_cast<long>(exitCode);
}

TEST(Clipboard, TextPutIsReadByAnotherProgramAndBack)
{
    testing_support::TempFolder folder;
    const std::string file = folder / "clipboard.txt";
    EXPECT_EQ(Call("CLIPPUT", {Text("from the script\r\nsecond line")}).result.GetInt(), 1);
    ASSERT_EQ(RunClipboardHelper("read " + file), 0);
    EXPECT_EQ(testing_support::ReadFileBytes(file), "from the script\r\nsecond line");

    ASSERT_EQ(RunClipboardHelper("write from the other program"), 0);
    Outcome read = Call("CLIPGET");
    EXPECT_EQ(read.Text(), "from the other program");
    EXPECT_EQ(read.error, 0);

    ASSERT_EQ(RunClipboardHelper("clear"), 0);
    Outcome empty = Call("CLIPGET");
    EXPECT_EQ(empty.Text(), "");
    EXPECT_EQ(empty.error, 1);
}

// While another program holds the clipboard open, a put fails with 0 and
// leaves the clipboard as it was, and a read finds nothing.
TEST(Clipboard, AClipboardHeldByAnotherProgramGivesFailures)
{
    Call("CLIPPUT", {Text("before")});
    char name[64];
    wsprintfA(name, "KestruneClipboard%lu", GetCurrentProcessId());
    HANDLE held = CreateEventA(nullptr, TRUE, FALSE, (std::string(name) + " held").c_str());
    HANDLE release = CreateEventA(nullptr, TRUE, FALSE, (std::string(name) + " release").c_str());
    HANDLE holder = script_host::StartHostProgram("..\\builtins\\clipboard_helper.exe", std::string("hold ") + name);
    ASSERT_NE(holder, nullptr);
    ASSERT_EQ(WaitForSingleObject(held, 20000), WAIT_OBJECT_0);
    Outcome put = Call("CLIPPUT", {Text("while held")});
    Outcome get = Call("CLIPGET");
    SetEvent(release);
    WaitForSingleObject(holder, 20000);
    CloseHandle(holder);
    CloseHandle(held);
    CloseHandle(release);

    EXPECT_EQ(put.result.GetInt(), 0);
    EXPECT_EQ(get.error, 1);
    EXPECT_EQ(Call("CLIPGET").Text(), "before");
}

void PressCtrlAltK()
{
    const WORD chord[] = {VK_CONTROL, VK_MENU, 'K'};
    testing_support::PressChord(chord, 3);
}

// Waits for the script's marker variable to become `value`, then presses
// the key.
void PressWhenMarked(const char* value)
{
    char marker[8] = "";
    for (int i = 0; i < 1000; ++i) {
        GetEnvironmentVariableA("KESTRUNE_HOTKEY_MARK", marker, sizeof marker);
        if (strcmp(marker, value) == 0)
            break;
        Sleep(10);
    }
    PressCtrlAltK();
}

TEST(ScriptHotKeys, HotKeySetThenAPressRunsTheFunctionWhileTheScriptWaits)
{
    SetEnvironmentVariableA("KESTRUNE_HOTKEY_MARK", nullptr);
    std::thread presser([] {
        PressWhenMarked("1");
        PressWhenMarked("2");
    });
    RunClean({
        "Func OnKey()",
        "    $hits = $hits + 1",
        "    $waited = $waiting",
        "EndFunc",
        "Func Other()",
        "    $others = $others + 1",
        "EndFunc",
        "$hits = 0",
        "$others = 0",
        "$waited = 0",
        "$set = HotKeySet(\"^!k\", \"Other\")",
        "$rebound = HotKeySet(\"^!k\", \"OnKey\")",
        "$start = TimerInit()",
        "EnvSet(\"KESTRUNE_HOTKEY_MARK\", \"1\")",
        "While $hits = 0 And TimerDiff($start) < 10000",
        "    $waiting = 1",
        "    Delay(20)",
        "    $waiting = 0",
        "WEnd",
        "$firstHits = $hits",
        "$freed = HotKeySet(\"^!k\")",
        "EnvSet(\"KESTRUNE_HOTKEY_MARK\", \"2\")",
        "Delay(300)",
    });
    presser.join();
    EXPECT_EQ(Global("set"), "1");
    EXPECT_EQ(Global("rebound"), "1");
    EXPECT_EQ(Global("firstHits"), "1");
    EXPECT_EQ(Global("waited"), "1");
    EXPECT_EQ(Global("others"), "0");
    EXPECT_EQ(Global("freed"), "1");
    EXPECT_EQ(Global("hits"), "1");    // the freed key calls nothing
}

}  // namespace
