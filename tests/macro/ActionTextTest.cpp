// Step lines and script statements, both ways, for every step form and
// suffix.
#include "macro/ActionText.h"

#include <gtest/gtest.h>

namespace {

struct Conversion
{
    const char* step;
    const char* statement;
};

// Each step line and its statement; both directions give the other back.
const Conversion kBothWays[] = {
    {"Mouse Left Click", "MouseClick(\"left\", 1)"},
    {"Mouse Left Click, 3 times", "MouseClick(\"left\", 3)"},
    {"Mouse Right Click", "MouseClick(\"right\", 1)"},
    {"Mouse Right Click, 2 times", "MouseClick(\"right\", 2)"},
    {"Mouse Double Click", "MouseDoubleClick(\"left\", 1)"},
    {"Mouse Double Click, 4 times", "MouseDoubleClick(\"left\", 4)"},
    {"Mouse Scroll Up", "MouseWheel(\"up\")"},
    {"Mouse Scroll Down", "MouseWheel(\"down\")"},
    {"Mouse Left Down", "MouseDown(\"left\")"},
    {"Mouse Left Up", "MouseUp(\"left\")"},
    {"Mouse Right Down", "MouseDown(\"right\")"},
    {"Mouse Right Up", "MouseUp(\"right\")"},
    {"Mouse move to 100, 200", "MouseMove(100, 200)"},
    {"Relative mouse move -5, 7", "MouseRelativeMove(-5, 7)"},
    {"Key Press a", "KeySend(\"\",\"\",\"\",\"a\", 1)"},
    {"Key Press <F1>, 3 times", "KeySend(\"\",\"\",\"\",\"<F1>\", 3)"},
    {"Key Up <Shift>", "KeyUp(\"\",\"\",\"\",\"<Shift>\", 1)"},
    {"Key Down <Ctrl>, 2 times", "KeyDown(\"\",\"\",\"\",\"<Ctrl>\", 2)"},
    {"Key Press ,", "KeySend(\"\",\"\",\"\",\",\",1)"},
    {"Key Press ,, 3 times", "KeySend(\"\",\"\",\"\",\",\",3)"},
    {"Key Up ,, 2 times", "KeyUp(\"\",\"\",\"\",\",\",2)"},
    {"Key Down ,", "KeyDown(\"\",\"\",\"\",\",\",1)"},
    {"Wait 500 milliseconds", "WAIT(500)"},
    {"Input text Hello, world", "Send(\"Hello, world\", 1)"},
    {"Input text a+b^c!d#e{f}", "Send(\"a+b^c!d#e{f}\", 1)"},
    {"If color at (10, 20) Equal to #FF8000, Then", "If CheckColor(10,20,255,128,0,0) Then"},
    {"If color at (0, 5) Unqual to #0A0B0C, Then", "If CheckColor(0,5,10,11,12,1) Then"},
    {"If color at mouse point Approximately equal to #FFFFFF, Then", "If CheckColor(-1,-1,255,255,255,2) Then"},
    {"Else", "Else"},
    {"EndIf", "EndIf"},
    {"TAG start", "TAG $start"},
    {"Switch to TAG start", "GOTO $start"},
    {"Start loop3, loop 5 times", "For $count3 = 1 To 5"},
    {"End loop block", "Next"},
    {"Comment: ==== Start recorded actions ====", "Comment: ==== Start recorded actions ===="},
    {"Run C:\\Tools\\tool.exe|-q file.txt|1|0", "Run(\"C:\\Tools\\tool.exe\", \"-q file.txt\", 1)"},
    {"Run notepad.exe||5|1", "RunReadyInput(\"notepad.exe\", \"\", 5)"},
    {"Run report.doc|C:\\Docs|3|2", "RunWait(\"report.doc\", \"C:\\Docs\", 3)"},
    // As the run-program step editor writes them: the program in single
    // quotes with its parameters, the working directory, the window state.
    {"Run 'C:\\Tools\\app.exe' -x||3|2", "RunWait(\"'C:\\Tools\\app.exe' -x\", \"\", 3)"},
    // Double quotes inside are doubled, the language's rule for a literal.
    {"Run '\"C:\\My Tools\\app.exe\"' /open \"a b.txt\"|C:\\Work\"s|1|0",
     "Run(\"'\"\"C:\\My Tools\\app.exe\"\"' /open \"\"a b.txt\"\"\", \"C:\\Work\"\"s\", 1)"},
    {"Run '\"'||0|1", "RunReadyInput(\"'\"\"'\", \"\", 0)"},
    {"Shut down computer", "Shutdown(1)"},
    {"Power off computer", "Shutdown(8)"},
    {"Restart computer", "Shutdown(2)"},
    {"Log off computer", "Shutdown(0)"},
};

TEST(ActionText, EveryStepFormBothWays)
{
    for (const Conversion& c : kBothWays) {
        EXPECT_EQ(ActionTextToScript(c.step), c.statement) << c.step;
        EXPECT_EQ(ScriptToActionText(c.statement), c.step) << c.statement;
    }
}

TEST(ActionText, SuffixesRideOnEveryForm)
{
    const char kMarker[] = "=> [remove on faster speed]";
    for (const Conversion& c : kBothWays) {
        const CString step = CString(c.step) + " At Win [3]" + kMarker;
        const CString statement = CString(c.statement) + "-> At Win [3]" + kMarker;
        EXPECT_EQ(ActionTextToScript(step), statement) << c.step;
        EXPECT_EQ(ScriptToActionText(statement), step) << c.statement;
        EXPECT_EQ(ActionTextToScript(CString(c.step) + kMarker), CString(c.statement) + kMarker) << c.step;
        EXPECT_EQ(ActionTextToScript(CString(c.step) + " At Win [12]"), CString(c.statement) + "-> At Win [12]");
    }
}

TEST(ActionText, OneWayForms)
{
    const Conversion cases[] = {
        {"Wait 1 minutes", "WAIT(60000)"},
        {"Wait 2 minutes", "WAITLONG(120000)"},
        {"Wait 61 seconds", "WAITLONG(61000)"},
        {"Wait 60 seconds", "WAIT(60000)"},
        {"Wait 3 seconds", "WAIT(3000)"},
        {"Wait 99999999 minutes", "WAITLONG(2147483647)"},
        {"Input text say \"hi\" now", "Send(\"say hi now\", 1)"},
        {"Mouse Scroll up", "MouseWheel(\"up\")"},
        {"Mouse Scroll sideways", "MouseWheel(\"down\")"},
        {"Something else entirely", ""},
        {"", ""},
        // The last binding counts; one without a closing "]" is part of the step.
        {"Mouse Left Click At Win [1] At Win [2]", "MouseClick(\"left\", 1)-> At Win [2]"},
        {"TAG x At Win [4", "TAG $x At Win [4"},
    };
    for (const Conversion& c : cases)
        EXPECT_EQ(ActionTextToScript(c.step), c.statement) << c.step;
    EXPECT_EQ(ActionTextToScript("Nothing here At Win [2]=> [remove on faster speed]"),
              "-> At Win [2]=> [remove on faster speed]");
}

TEST(ActionText, OneWayStatements)
{
    const Conversion cases[] = {
        {"Wait 120000 milliseconds", "WAITLONG(120000)"},
        {"Input text older form", "Send(\"older form\")"},
        {"Mouse Left Click", "MouseClick(\"LEFT\", 1)"},
        {"", "Shutdown(5)"},
        {"", "MsgBox(0, \"a\", \"b\")"},
    };
    for (const Conversion& c : cases)
        EXPECT_EQ(ScriptToActionText(c.statement), c.step) << c.statement;
    EXPECT_EQ(ScriptToActionText("Shutdown(5)-> At Win [1]"), " At Win [1]");
}

}  // namespace
