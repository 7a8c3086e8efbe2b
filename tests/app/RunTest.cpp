// Running macros as a user does: by a start hot key, by a second start with
// "-a <name>", by Run; stopping them with the end key; repeats, the macro to
// run next, the faster speed. The visible effects are lines a macro appends
// to a file, and text it types into Wine's notepad.
#include "tests/app/KestruneSession.h"
#include "tests/probe/KestruneProbe.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

using namespace kestrune_e2e;
using namespace kestrune_probe;

namespace {

const DWORD kExitTimeout = 20000;
const DWORD kRunTimeout = 10000;
const DWORD kQuitExitCode = 18;

// The keys of the macros below.
const char kStartText[] = "Ctrl + Shift + <F5>";
const UINT kStartModifiers = MOD_CONTROL | MOD_SHIFT;
const UINT kStartKey = VK_F5;
const char kEndText[] = "Ctrl + Shift + <F6>";
const UINT kEndModifiers = MOD_CONTROL | MOD_SHIFT;
const UINT kEndKey = VK_F6;
const char kMarkerText[] = "Ctrl + Shift + <F8>";
const UINT kMarkerModifiers = MOD_CONTROL | MOD_SHIFT;
const UINT kMarkerKey = VK_F8;

class Runs : public testing::Test
{
protected:
    // A ticked macro that appends `text` to the output file.
    MacroSpec Writer(const std::string& name, const std::string& text, const std::string& startKey = kStartText)
    {
        MacroSpec macro = { name, startKey, kEndText, "", 1 };
        macro.script = AppendLineScript(m_outputFile, text);
        return macro;
    }

    // A ticked macro that appends a line every 100 ms until its end key.
    MacroSpec Ticker(const std::string& name)
    {
        MacroSpec macro = Writer(name, "tick");
        macro.repeatOption = 1;
        macro.script.push_back("DELAY(100)");
        return macro;
    }

    // A macro that writes the end marker "end", started by Ctrl+Shift+F8
    // once the run under test is over (a request during a run is refused).
    MacroSpec Marker() { return Writer("Marker", "end", kMarkerText); }
    void RunMarker() const
    {
        ASSERT_TRUE(WaitUntil([] { return IsHotKeyHeld(kMarkerModifiers, kMarkerKey); }, kRunTimeout));
        PressHotKey(kMarkerModifiers, kMarkerKey);
    }

    std::vector<std::string> Output() const { return ReadLines(m_outputFile); }

    // The output ends with the marker: whatever ran before it is over.
    bool WaitForOutputEnd() const
    {
        return WaitUntil([&] {
            std::vector<std::string> lines = Output();
            return !lines.empty() && lines.back() == "end";
        }, kRunTimeout);
    }

    bool WaitForOutput(const std::vector<std::string>& lines, DWORD timeoutMs = kRunTimeout) const
    {
        return WaitUntil([&] { return Output() == lines; }, timeoutMs);
    }

    ScriptFolder m_scripts;
    testing_support::TempFolder m_output;
    const std::string m_outputFile = m_output / "out.txt";
};

TEST_F(Runs, AStartKeyRunsTheMacro)
{
    m_scripts.Write(Writer("Writer", "ran"));
    KestruneProcess kestrune;
    ASSERT_NE(kestrune.WaitUntilReady(), nullptr);

    PressHotKey(kStartModifiers, kStartKey);
    EXPECT_TRUE(WaitForOutput({ "ran" }));
    // Afterwards the start key is Kestrune's again, and runs it again.
    ASSERT_TRUE(WaitUntil([] { return IsHotKeyHeld(kStartModifiers, kStartKey); }, 5000));
    PressHotKey(kStartModifiers, kStartKey);
    EXPECT_TRUE(WaitForOutput({ "ran", "ran" }));
}

TEST_F(Runs, RepeatTimesRunsTheScriptThatOften)
{
    // The macro to run next starts once the repeats are over: its line ends
    // the output.
    MacroSpec macro = Writer("Thrice", "run");
    macro.repeatTimes = 3;
    macro.triggerRobot = "Marker";
    m_scripts.Write(macro);
    m_scripts.Write(Marker());
    KestruneProcess kestrune;
    ASSERT_NE(kestrune.WaitUntilReady(), nullptr);

    PressHotKey(kStartModifiers, kStartKey);
    ASSERT_TRUE(WaitForOutputEnd());
    EXPECT_EQ(Output(), std::vector<std::string>({ "run", "run", "run", "end" }));
}

TEST_F(Runs, TheEndKeyDuringARepeatEndsTheRepeats)
{
    MacroSpec macro = Writer("Thrice", "run");
    macro.repeatTimes = 3;
    macro.script.push_back("DELAY(1500)");
    m_scripts.Write(macro);
    m_scripts.Write(Marker());
    KestruneProcess kestrune;
    ASSERT_NE(kestrune.WaitUntilReady(), nullptr);

    PressHotKey(kStartModifiers, kStartKey);
    ASSERT_TRUE(WaitForOutput({ "run", "run" }));   // in the second run's wait
    PressHotKey(kEndModifiers, kEndKey);
    RunMarker();
    ASSERT_TRUE(WaitForOutputEnd()) << "the run ends";
    EXPECT_EQ(Output(), std::vector<std::string>({ "run", "run", "end" })) << "no third run";
}

TEST_F(Runs, TheEndKeyStopsAMacroThatRunsUntilIt)
{
    m_scripts.Write(Ticker("Ticker"));
    m_scripts.Write(Writer("Other", "other", "Ctrl + Shift + <F7>"));
    m_scripts.Write(Marker());
    KestruneProcess kestrune;
    ASSERT_NE(kestrune.WaitUntilReady(), nullptr);

    PressHotKey(kStartModifiers, kStartKey);
    ASSERT_TRUE(WaitUntil([&] { return Output().size() >= 3; }, kRunTimeout));
    // During the run the start keys are let go and the end keys stay.
    EXPECT_FALSE(IsHotKeyHeld(kStartModifiers, kStartKey));
    EXPECT_FALSE(IsHotKeyHeld(MOD_CONTROL | MOD_SHIFT, VK_F7));
    EXPECT_TRUE(IsHotKeyHeld(kEndModifiers, kEndKey));

    PressHotKey(kEndModifiers, kEndKey);
    RunMarker();
    ASSERT_TRUE(WaitForOutputEnd()) << "stopped";
    std::vector<std::string> lines = Output();
    lines.pop_back();
    for (const std::string& line : lines)
        EXPECT_EQ(line, "tick");
    EXPECT_TRUE(WaitUntil([] { return IsHotKeyHeld(kStartModifiers, kStartKey); }, 5000));
    EXPECT_TRUE(IsHotKeyHeld(MOD_CONTROL | MOD_SHIFT, VK_F7));
    EXPECT_TRUE(kestrune.IsRunning());
}

TEST_F(Runs, RequestsToRunDuringARunAreRefused)
{
    m_scripts.Write(Ticker("Ticker"));
    m_scripts.Write(Writer("Other", "other", "Ctrl + Shift + <F7>"));
    KestruneProcess kestrune;
    HWND window = kestrune.WaitUntilReady();
    ASSERT_NE(window, nullptr);
    HWND list = MacroListOf(window);
    BringToFront(window);
    ASSERT_TRUE(ClickRow(list, "Other"));

    PressHotKey(kStartModifiers, kStartKey);
    ASSERT_TRUE(WaitUntil([&] { return !Output().empty(); }, kRunTimeout));
    ClickButton(window, 1002);   // Run, with Other selected
    KestruneProcess second("-a Other");
    EXPECT_EQ(second.WaitForExit(kExitTimeout), 0u);
    PressHotKey(kEndModifiers, kEndKey);

    // Once the run is over, the same requests run.
    ASSERT_TRUE(WaitUntil([] { return IsHotKeyHeld(kStartModifiers, kStartKey); }, kRunTimeout)) << "the run ends";
    ClickButton(window, 1002);
    ASSERT_TRUE(WaitUntil([&] { return Output().back() == "other"; }, kRunTimeout));
    std::vector<std::string> lines = Output();
    lines.pop_back();
    for (const std::string& line : lines)
        EXPECT_EQ(line, "tick");
}

TEST_F(Runs, AMissingNextMacroIsReportedAndNothingRuns)
{
    MacroSpec macro = Writer("Leader", "leader");
    macro.triggerRobot = "Ghost";
    m_scripts.Write(macro);
    m_scripts.Write(Marker());
    KestruneProcess kestrune;
    ASSERT_NE(kestrune.WaitUntilReady(), nullptr);

    PressHotKey(kStartModifiers, kStartKey);
    HWND message = WaitForDialog(kestrune.Id(), "Can not find the macro", kRunTimeout);
    ASSERT_NE(message, nullptr);
    EXPECT_EQ(DialogText(message), "Can not find the macro: \"Ghost\" which will run after current macro");
    PressDialogButton(message, IDOK);
    RunMarker();
    ASSERT_TRUE(WaitForOutputEnd());
    EXPECT_EQ(Output(), std::vector<std::string>({ "end" }));
}

TEST_F(Runs, AScriptThatDoesNotPrepareRunsNothingAndKeepsItsKeys)
{
    MacroSpec macro = Writer("Broken", "ran");
    macro.script.push_back("NoSuchFunction(1)");
    m_scripts.Write(macro);
    KestruneProcess kestrune;
    ASSERT_NE(kestrune.WaitUntilReady(), nullptr);

    for (int attempt = 0; attempt < 2; ++attempt) {
        PressHotKey(kStartModifiers, kStartKey);
        HWND error = WaitForDialog(kestrune.Id(), "Unknown function name.", kRunTimeout);
        ASSERT_NE(error, nullptr) << attempt;
        PressDialogButton(error, IDOK);
        EXPECT_TRUE(WaitUntil([] { return IsHotKeyHeld(kStartModifiers, kStartKey); }, 5000)) << attempt;
    }
    EXPECT_TRUE(Output().empty());
    EXPECT_TRUE(kestrune.IsRunning());
}

TEST_F(Runs, TheProgramsStackHoldsTheDeepestNestingOfCalls)
{
    // 384 levels of user-function calls fit, each inside the deepest nesting
    // a line may hold, 31 builtin calls (a smaller stack overflows); the next
    // level is refused with the message, and the program goes on.
    std::string call = "Down($n + 1)";
    for (int i = 0; i < 31; ++i)
        call = "Abs(" + call + ")";
    MacroSpec macro = { "Deep", kStartText, kEndText, "", 1 };
    macro.script = { "Func Down($n)", "    Return " + call, "EndFunc", "Down(1)" };
    m_scripts.Write(macro);
    KestruneProcess kestrune;
    ASSERT_NE(kestrune.WaitUntilReady(), nullptr);

    PressHotKey(kStartModifiers, kStartKey);
    HWND error = WaitForDialog(kestrune.Id(), "Recursion level has been exceeded", kRunTimeout);
    ASSERT_NE(error, nullptr);
    PressDialogButton(error, IDOK);
    EXPECT_TRUE(WaitUntil([] { return IsHotKeyHeld(kStartModifiers, kStartKey); }, 5000));
    EXPECT_TRUE(kestrune.IsRunning());
}

TEST_F(Runs, TheNextMacroRunsAfterAndAChainEndsWhereItWouldGoRound)
{
    MacroSpec first = Writer("First", "first");
    first.triggerRobot = "Second";
    MacroSpec second = Writer("Second", "second", "Ctrl + Shift + <F7>");
    second.triggerRobot = "First";   // and back: each runs once
    m_scripts.Write(first);
    m_scripts.Write(second);
    m_scripts.Write(Marker());
    KestruneProcess kestrune;
    ASSERT_NE(kestrune.WaitUntilReady(), nullptr);

    PressHotKey(kStartModifiers, kStartKey);
    ASSERT_TRUE(WaitForOutput({ "first", "second" }));
    RunMarker();
    ASSERT_TRUE(WaitForOutputEnd());
    EXPECT_EQ(Output(), std::vector<std::string>({ "first", "second", "end" }));
    EXPECT_TRUE(kestrune.IsRunning());
}

TEST_F(Runs, AtTheFasterSpeedTheMarkedLinesAreLeftOut)
{
    for (bool faster : { false, true }) {
        MacroSpec macro = Writer(faster ? "Faster" : "Original", "kept", faster ? "Ctrl + Shift + <F7>" : kStartText);
        std::vector<std::string> dropped = AppendLineScript(m_outputFile, "dropped");
        for (std::string& line : dropped)
            macro.script.push_back(line + " => [remove on faster speed]");
        for (const std::string& line : AppendLineScript(m_outputFile, "end"))
            macro.script.push_back(line);
        macro.faster = faster;
        m_scripts.Write(macro);
    }
    KestruneProcess kestrune;
    ASSERT_NE(kestrune.WaitUntilReady(), nullptr);

    PressHotKey(MOD_CONTROL | MOD_SHIFT, VK_F7);
    ASSERT_TRUE(WaitForOutputEnd());
    EXPECT_EQ(Output(), std::vector<std::string>({ "kept", "end" }));
    PressHotKey(kStartModifiers, kStartKey);
    ASSERT_TRUE(WaitForOutput({ "kept", "end", "kept", "dropped", "end" }));
}

TEST_F(Runs, ASecondStartRunsTheMacroInTheFirstBeforeItEnds)
{
    m_scripts.Write(Writer("Writer", "ran"));
    KestruneProcess first;
    ASSERT_NE(first.WaitUntilReady(), nullptr);

    // The name is found without regard to case.
    KestruneProcess second("-A WRITER");
    EXPECT_EQ(second.WaitForExit(kExitTimeout), 0u);
    EXPECT_EQ(Output(), std::vector<std::string>({ "ran" })) << "it has run when the second start ends";
    EXPECT_TRUE(first.IsRunning());
}

TEST_F(Runs, SecondStartsTogetherHandOverTheirRequestsOneAfterTheOther)
{
    // Each run lasts long enough for the other request to arrive during it,
    // where it would be refused if it were not held back until the run ends.
    MacroSpec macro = Writer("Writer", "ran");
    macro.script.push_back("DELAY(700)");
    m_scripts.Write(macro);
    KestruneProcess first;
    ASSERT_NE(first.WaitUntilReady(), nullptr);

    KestruneProcess second("-a Writer");
    KestruneProcess third("-a Writer");
    EXPECT_EQ(second.WaitForExit(kExitTimeout), 0u);
    EXPECT_EQ(third.WaitForExit(kExitTimeout), 0u);
    EXPECT_EQ(Output(), std::vector<std::string>({ "ran", "ran" }));
}

TEST_F(Runs, AFirstStartWithTheSwitchRunsTheMacroHiddenAndEndsWith18)
{
    MacroSpec macro = Writer("Writer", "ran");
    macro.script.push_back("DELAY(1500)");
    m_scripts.Write(macro);
    KestruneProcess kestrune("-a Writer");
    ASSERT_TRUE(WaitForOutput({ "ran" }));
    HWND window = FindMainWindow(kestrune.Id());
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(IsWindowVisible(window)) << "the macro runs with the main window hidden";
    EXPECT_EQ(kestrune.WaitForExit(kExitTimeout), kQuitExitCode);
    EXPECT_EQ(Output(), std::vector<std::string>({ "ran" }));
}

TEST_F(Runs, QuittingDuringARunEndsItAndTheProgram)
{
    m_scripts.Write(Ticker("Ticker"));
    KestruneProcess kestrune;
    HWND window = kestrune.WaitUntilReady();
    ASSERT_NE(window, nullptr);

    PressHotKey(kStartModifiers, kStartKey);
    ASSERT_TRUE(WaitUntil([&] { return Output().size() >= 2; }, kRunTimeout));
    PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    HWND question = WaitForDialog(kestrune.Id(), "Are you sure you want to quit Kestrune?", 5000);
    ASSERT_NE(question, nullptr);
    PressDialogButton(question, IDYES);
    EXPECT_EQ(kestrune.WaitForExit(kExitTimeout), kQuitExitCode);
}

TEST_F(Runs, AMacroTypesIntoNotepad)
{
    // A start key without Shift: the test's own Shift, released late on a
    // busy machine, could otherwise fall between a capital's Shift and its key.
    MacroSpec macro = { "Typist", "Ctrl + <F7>", kEndText, "", 1 };
    macro.script = { "Send(\"Typed by Kestrune\")" };
    m_scripts.Write(macro);
    KestruneProcess kestrune;
    ASSERT_NE(kestrune.WaitUntilReady(), nullptr);

    STARTUPINFOA startup = { sizeof startup };
    PROCESS_INFORMATION notepad = {};
    char commandLine[] = "notepad.exe";
    ASSERT_TRUE(CreateProcessA(nullptr, commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &notepad));
    HWND editor = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (editor = FindWindowA(nullptr, "Untitled - Notepad")) != nullptr; }, 20000));
    HWND edit = FindWindowExA(editor, nullptr, "Edit", nullptr);
    ASSERT_NE(edit, nullptr);
    ASSERT_TRUE(BringToFront(editor));

    PressHotKey(MOD_CONTROL, VK_F7);
    char text[256] = {};
    EXPECT_TRUE(WaitUntil([&] {
        SendMessageA(edit, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
        return std::string(text) == "Typed by Kestrune";
    }, kRunTimeout)) << text;

    TerminateProcess(notepad.hProcess, 0);
    WaitForSingleObject(notepad.hProcess, 5000);
    CloseHandle(notepad.hThread);
    CloseHandle(notepad.hProcess);
}

}  // namespace
