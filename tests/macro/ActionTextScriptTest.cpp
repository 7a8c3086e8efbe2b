// The statements that step lines become run with the real lexer and
// statement executor. Their builtins are swapped for ones that do nothing,
// so that no input is sent, no program started and nothing shut down.
#include "macro/ActionText.h"
#include "engine/BuiltinTable.h"
#include "tests/host/EngineAccess.h"
#include "tests/host/ScriptHost.h"
#include "tests/support/DialogAnswerer.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A recorded macro as the editor holds it, with a marker step after each
// step so that the run shows how far it got.
const char* const kSteps[] = {
    "Comment: ==== Start recorded actions ====",
    "Mouse move to 100, 200 At Win [0]",
    "Mouse Left Click, 2 times At Win [0]",
    "Mouse Right Click",
    "Mouse Double Click, 3 times",
    "Mouse Scroll Up",
    "Mouse Scroll Down",
    "Mouse Left Down",
    "Mouse Left Up",
    "Mouse Right Down",
    "Mouse Right Up",
    "Relative mouse move -5, 7=> [remove on faster speed]",
    "Key Press a",
    "Key Press <F1>, 3 times",
    "Key Down <Shift>",
    "Key Up <Shift>",
    "Key Press ,, 2 times",
    "Key Down ,",
    "Key Up ,",
    "Key Press ;",
    "Key Press '",
    "Key Press \\",
    "Key Press [, 2 times",
    "Key Down =",
    "Wait 50 milliseconds",
    "Wait 2 minutes",
    "Input text a+b \"quoted\" {x}",
    "Input text 50% off; 'single' ^c",
    "TAG here",
    "Run notepad.exe||5|0",
    "Run tool.exe|-x|1|1",
    "Run doc.txt|C:\\|3|2",
    "Shut down computer",
    "Power off computer",
    "Restart computer",
    "Log off computer",
    "Comment: ==== End of recorded actions ====",
};

TEST(ActionTextStatements, TokeniseAndRunWithTheRealEngine)
{
    // Saved as the editor saves them, suffixes and comments included, and
    // read back by the line store as a macro file.
    script_host::InertBuiltins inert;
    testing_support::TempFolder folder;
    std::string script = "$steps = 0\r\n";
    int count = 0;
    for (const char* step : kSteps) {
        const CString statement = ActionTextToScript(step);
        ASSERT_FALSE(statement.IsEmpty()) << step;
        script += std::string(statement) + "\r\n$steps = $steps + 1\r\n";
        ++count;
    }
    const std::string path = folder / "steps.txt";
    testing_support::WriteFileBytes(path,
        "[General]\r\nName=steps\r\nStartKey=None\r\nEndKey=None\r\nDescription=\r\nEnable=0\r\n"
        "RepeatOption=0\r\nRepeatTimes=1\r\nOriginalSpeed=0\r\nUseSimilarWin=0\r\nUseHalvane=0\r\n"
        "TriggerRobot=\r\n[Script]\r\n" + script);
    script_host::RunReport report = script_host::RunFile(path);
    EXPECT_TRUE(report.Prepared);
    for (const auto& box : report.Boxes)
        ADD_FAILURE() << box.caption << ": " << box.text;
    EXPECT_EQ(script_host::Global("steps"), std::to_string(count));
}

TEST(ActionTextStatements, LoopsColourTestsAndJumpsRunAsBlocks)
{
    script_host::InertBuiltins inert;
    const char* const steps[] = {
        "Start loop1, loop 3 times",
        "Start loop2, loop 2 times",
        "Mouse Left Click",
        "End loop block",
        "End loop block",
        "If color at (10, 20) Equal to #FF8000, Then",
        "Key Press x",
        "Else",
        "Switch to TAG done",
        "EndIf",
        "Key Press y",
        "TAG done",
        "If color at mouse point Unqual to #000000, Then",
        "EndIf",
    };
    script_host::LoadLines({});
    std::vector<std::string> lines;
    for (const char* step : steps)
        lines.push_back(static_cast<const char*>(ActionTextToScript(step)));
    lines.push_back("$inner = $count2");
    lines.push_back("$outer = $count1");
    script_host::RunReport report = script_host::RunLines(lines);
    EXPECT_TRUE(report.Prepared);
    EXPECT_TRUE(report.Boxes.empty());
    EXPECT_EQ(script_host::Global("outer"), "4");   // each loop has a counter of its own
    EXPECT_EQ(script_host::Global("inner"), "3");
    // The loops run 1 + 3 For lines, 6 clicks and 6 + 3 Next lines. The inert
    // CheckColor is false: the Else branch's Goto skips "Key Press y" and
    // lands after the TAG; then the second test, its EndIf, the two
    // assignments.
    EXPECT_EQ(report.Statistics.LinesRun, 19 + 2 + 2 + 2);
}

// Run step lines whose program and parameters hold double quotes, as the
// run-program step editor writes them, saved and run by the real engine.
TEST(ActionTextStatements, DoubleQuotesInARunStepReachTheProgramUnchanged)
{
    // exit_helper.exe ends with its first argument as the exit code: "3 4"
    // is one argument, and 3 the code, only when its quotes arrive; without
    // them the helper sees four arguments and ends with 2.
    const std::string helper = script_host::HostProgramPath("exit_helper.exe");
    const CString statement = ActionTextToScript(("Run '" + helper + "' \"3 4\" 50||1|2").c_str());
    script_host::RunReport report = script_host::RunLines({"$code = " + std::string(statement)});
    EXPECT_TRUE(report.Prepared) << statement.GetString();
    for (const auto& box : report.Boxes)
        ADD_FAILURE() << box.caption << ": " << box.text;
    EXPECT_EQ(script_host::Global("code"), "3") << statement.GetString();
}

// What the run builtins were given, in place of starting anything.
std::vector<std::string> g_runArguments;

int RecordRunArguments(BuiltinContext&, CVariantList& args, CEngineVariant&)
{
    for (int i = 0; i < args.GetCount(); ++i)
        g_runArguments.push_back(args.GetItem(i).GetString());
    return 0;
}

TEST(ActionTextStatements, AQuotedProgramPathReachesRunAsTyped)
{
    BuiltinEntry table[kBuiltinCount];
    for (int i = 0; i < kBuiltinCount; ++i) {
        table[i] = GetBuiltinTable()[i];
        if (strcmp(table[i].Name, "RUN") == 0)
            table[i].Handler = RecordRunArguments;
    }
    CPandrel_ScriptTestAccess::UseBuiltinTable(table);
    g_runArguments.clear();
    const CString statement =
        ActionTextToScript("Run '\"C:\\My Tools\\app.exe\"' /open \"a b.txt\"|C:\\Work\"s|1|0");
    script_host::RunReport report = script_host::RunLines({std::string(statement)});
    CPandrel_ScriptTestAccess::RestoreBuiltinTable();
    EXPECT_TRUE(report.Prepared) << statement.GetString();
    for (const auto& box : report.Boxes)
        ADD_FAILURE() << box.caption << ": " << box.text;
    EXPECT_EQ(g_runArguments,
              (std::vector<std::string>{"'\"C:\\My Tools\\app.exe\"' /open \"a b.txt\"", "C:\\Work\"s", "1"}));
}

TEST(ActionTextStatements, ARunStatementWithALongThirdArgumentWarns)
{
    testing_support::DialogAnswerer answerer(IDOK);
    EXPECT_EQ(ScriptToActionText("Run(\"tool.exe\", \"\", 10)"), "Run tool.exe||10|0");
    ASSERT_TRUE(answerer.WaitFor(1));
    const std::vector<testing_support::DialogAnswerer::Seen> boxes = answerer.Dialogs();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "Warning");
    EXPECT_EQ(boxes[0].text, "Some error may happened");
}

}  // namespace
