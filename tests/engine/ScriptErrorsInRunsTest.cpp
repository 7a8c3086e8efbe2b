// Every script error of the language core, with its exact text, the line it
// names and the column of its caret. Each shows the system-modal "Internal
// Error" box, so these run under the desktop lock.
#include "tests/engine/ScriptTestSupport.h"

#include "tests/support/TestFiles.h"

namespace {

using script_host::Global;
using script_test::ErrorText;
using script_test::Lines;
using script_test::RunExpectingError;

struct ErrorCase
{
    Lines lines;
    int line;            // 1-based line the report names
    int column;          // -1: no caret
    const char* message;
};

void ExpectErrors(const std::vector<ErrorCase>& cases)
{
    for (const ErrorCase& c : cases) {
        script_test::Box box = RunExpectingError(c.lines);
        const std::string& line = c.lines[static_cast<size_t>(c.line - 1)];
        EXPECT_EQ(box.caption, "Internal Error") << line;
        EXPECT_EQ(box.text, ErrorText(c.line, line, c.column, c.message)) << line;
    }
}

const char kIllegalText[] = "Illegal text at the end of statement (one statement per line).";
const char kNotInLoop[] = "\"ExitLoop/ContinueLoop\" statements only valid from inside a For/Do/While loop.";
const char kForBadlyFormatted[] =
    "\"For\" statement is badly formatted.\n\nShould be:\n\nFor $varname = nn To nn [Step nn]";
const char kWrongCount[] = "Incorrect number of parameters in function call.";
const char kBadCall[] = "Error parsing function call.";
const char kSubscripts[] = "Array variable subscript badly formatted.";

TEST(ScriptErrors, OfExpressions)
{
    ExpectErrors({
        {{"$r = $nope + 1"}, 1, 5, "Variable used without being declared."},
        {{"$r = @FOO"}, 1, 5, "Unknown macro."},
        {{"$r = (1 + 2"}, 1, 5, "Missing right bracket ')' in expression."},
        {{"$r = 1 + 2)"}, 1, 5, "Unbalanced brackets in expression."},
        {{"$r = 1 2"}, 1, 5, "Error in expression."},
        {{"$r = 1 +"}, 1, 5, "Error in expression."},
        {{"$r ="}, 1, 4, "Error in expression."},
        {{"$r = 1 OR (2"}, 1, 5, "Error in expression."},
        // A fault that only a right side that is not skipped reaches: the
        // first pass skips it, the second finds it.
        {{"For $i = 1 To 0 Step -1", "$r = $i OR 2 3", "Next"}, 2, 5, "Error in expression."},
        {{"$r = 1 AND 2 3"}, 1, 5, "Error in expression."},
        // The operands before a fault are evaluated, and report their own errors.
        {{"$r = $nope 2"}, 1, 5, "Variable used without being declared."},
        {{"$r = 1 + $nope +"}, 1, 9, "Variable used without being declared."},
        {{"$x = 1", "$r = $x[0]"}, 2, 7, "Subscript used with non-Array variable."},
        {{"Dim $a[3]", "$r = $a[1][2]"}, 2, 5,
         "Array variable has incorrect number of subscripts or subscript dimension range exceeded."},
        {{"Dim $a[3]", "$r = $a[3]"}, 2, 5,
         "Array variable has incorrect number of subscripts or subscript dimension range exceeded."},
        {{"Dim $a[3]", "$r = $a[-1]"}, 2, 7, kSubscripts},
        {{"Dim $a[3]", "$r = $a[$nope] + 1"}, 2, 8, "Variable used without being declared."},
        {{"Dim $a[3]", "$i = -1", "$r = 2 * $a[$i]"}, 3, 11, kSubscripts},
        {{"Dim $a[3]", "$i = 3", "$r = 2 * $a[$i]"}, 3, 9,
         "Array variable has incorrect number of subscripts or subscript dimension range exceeded."},
        {{"$x = 1", "$r = $x[0] + 1"}, 2, 7, "Subscript used with non-Array variable."},
        {{"Dim $a[3]", "$r = $a[1"}, 2, 7, kSubscripts},
        {{"$r = Opt(\"WinWaitDelay\")"}, 1, 5, kWrongCount},
        {{"$r = Opt"}, 1, 5, kBadCall},
        {{"$r = Opt(\"WinWaitDelay\", 1"}, 1, 5, kBadCall},
        {{"$r = Opt(\"WinWaitDelay\" 1)"}, 1, 9, "Error in expression."},
    });
}

TEST(ScriptErrors, OfStatements)
{
    ExpectErrors({
        {{"5 = $x"}, 1, 0, "Unable to parse line."},
        {{"Then"}, 1, -1, "Invalid keyword at the start of this line."},
        {{"ByRef $x"}, 1, -1, "Invalid keyword at the start of this line."},
        {{"$q[1] = 2"}, 1, 0, "You must DIM an array before you can assign to it."},
        {{"$x 5"}, 1, 3, "Expected a = operator in assignment statement."},
        {{"$x = 1 Then"}, 1, 7, kIllegalText},
        {{"SetError(1) 2"}, 1, 12, kIllegalText},
        {{"Opt(\"MustDeclareVars\", 1)", "$fresh = 1"}, 2, 0, "Variable used without being declared."},
        {{"Dim 5"}, 1, 0, "No variable given for \"Dim\", \"Local\" or \"Global\" statement."},
        {{"Dim $a, 5"}, 1, 6, "No variable given for \"Dim\", \"Local\" or \"Global\" statement."},
        {{"Dim $a[0]"}, 1, 6, kSubscripts},
        {{"Dim $a[2"}, 1, 6, kSubscripts},
        {{"Dim $a[2] 5"}, 1, 10, kSubscripts},
        {{"Dim $a[5000][5000]"}, 1, 4, "Unable to allocate array - maximum total size is 16777216 elements."},
        {{"Goto"}, 1, 0, "Unable to parse line."},
        {{"Goto   ; nowhere"}, 1, 0, "Unable to parse line."},
        {{"Tag"}, 1, 0, "Unable to parse line."},
        {{"Exit 1 Then"}, 1, 7, kIllegalText},
        {{"Dim $a[2]", "$a[5] = 1"}, 2, 0,
         "Array variable has incorrect number of subscripts or subscript dimension range exceeded."},
        {{"Dim $a[2]", "$a[1][1] = 1"}, 2, 0,
         "Array variable has incorrect number of subscripts or subscript dimension range exceeded."},
        {{"$s = 1", "$s[0] = 1"}, 2, 2, "Expected a = operator in assignment statement."},
        {{"Opt(\"MustDeclareVars\", 1)", "For $i = 1 To 2", "Next"}, 2, 4, "Variable used without being declared."},
        {{"ExitLoop 1 Then"}, 1, 11, kIllegalText},
    });
    std::string dims = "Dim $a";
    for (int i = 0; i < 65; ++i)
        dims += "[1]";
    ExpectErrors({{{dims}, 1, 6 + 64 * 3, "Too many subscripts used for an array - 64 is the maximum."}});
}

// `count` times `open`, then `inner`, then `count` times `close`.
std::string Nested(const std::string& open, int count, const std::string& inner, const std::string& close)
{
    std::string text;
    for (int i = 0; i < count; ++i)
        text += open;
    text += inner;
    for (int i = 0; i < count; ++i)
        text += close;
    return text;
}

TEST(ScriptErrors, OfNestingWithinALine)
{
    // Each call, subscript or single-line If nested in a line is a level
    // deeper on the program's stack: 32 nest, the 33rd is refused where it
    // begins.
    const char kTooDeep[] = "Too many levels of calls, subscripts and Ifs nested in one line - 32 is the maximum.";
    ExpectErrors({
        {{"$r = " + Nested("Abs(", 33, "1", ")")}, 1, 5 + 33 * 4, kTooDeep},
        {{"Dim $a[1]", "$r = " + Nested("$a[", 33, "0", "]")}, 2, 5 + 33 * 3, kTooDeep},
        {{"Dim $a[1]", "$i = 0", "$r = " + Nested("Abs(", 32, "$a[$i] + 1", ")")}, 3, 5 + 32 * 4 + 3, kTooDeep},
        {{Nested("If 1 Then ", 33, "$r = 1", "")}, 1, 33 * 10 + 5, kTooDeep},
        // Found by fuzzing: a function whose first line nests calls of itself
        // ran out of stack long before the recursion limit.
        {{"Func Down($n)", "$r = " + Nested("Down(", 40, "1", ")"), "EndFunc", "Down(1)"}, 2, 5 + 33 * 5, kTooDeep},
    });
    script_test::RunClean({"Dim $a[1]", "$k = 0", "$c = " + Nested("Abs(", 32, "1", ")"), "$s = " + Nested("$a[", 32, "0", "]"),
                           Nested("If 1 Then ", 32, "$i = 1", ""),
                           "$e = " + Nested("Abs(", 31, "$a[$k] + 2", ")"),
                           Nested("If 1 Then ", 31, "$f = $a[$k] + 3", "")});
    EXPECT_EQ(Global("e"), "2");
    EXPECT_EQ(Global("f"), "3");
    EXPECT_EQ(Global("c"), "1");
    EXPECT_EQ(Global("s"), "0");
    EXPECT_EQ(Global("i"), "1");
}

TEST(ScriptErrors, OfBlocks)
{
    ExpectErrors({
        {{"If 1"}, 1, 4, "If statements must have a Then keyword."},
        {{"If 0 Then", "ElseIf 1", "EndIf"}, 2, 8, "If statements must have a Then keyword."},
        {{"If 0 Then", "Else", "Else", "EndIf"}, 3, -1, "Too many Else statements for matching If statement."},
        {{"If 0 Then", "Else", "ElseIf 1 Then", "EndIf"}, 3, -1,
         "Too many Else statements for matching If statement."},
        {{"If 0 Then", "Else 1", "EndIf"}, 2, 5, kIllegalText},
        {{"If 1 Then", "$x = 1"}, 1, -1, "\"If\" statement has no matching \"EndIf\" statement."},
        {{"If 0 Then", "$x = \"open", "EndIf"}, 2, 5, "String missing closing quote."},
        {{"For $i = 1 To 3", "If $i = 3 Then", "$x = \"open", "EndIf", "Next"}, 3, 5, "String missing closing quote."},
        {{"ExitLoop"}, 1, -1, kNotInLoop},
        {{"ContinueLoop"}, 1, -1, kNotInLoop},
        {{"For $i = 1 To 2", "For $j = 1 To 2", "ExitLoop 3", "Next", "Next"}, 3, -1, kNotInLoop},
        {{"Func Leave()", "ExitLoop", "EndFunc", "For $i = 1 To 2", "Leave()", "Next"}, 2, -1, kNotInLoop},
        {{"While 1", "ContinueLoop 1", "WEnd"}, 2, 13, kIllegalText},
        {{"Select", "EndSelect"}, 1, -1, "\"Select\" statement is missing \"EndSelect\" or \"Case\" statement."},
        {{"Select", "Case 1"}, 1, -1, "\"Select\" statement is missing \"EndSelect\" or \"Case\" statement."},
        {{"Select", "Case Else 1", "EndSelect"}, 2, 10, kIllegalText},
        {{"Select 1", "Case 1", "EndSelect"}, 1, 7, kIllegalText},
        {{"For $i 1 To 3", "Next"}, 1, 7, kForBadlyFormatted},
        {{"For 1 = 1 To 3", "Next"}, 1, 4, kForBadlyFormatted},
        {{"For $i = 1 Step 3", "Next"}, 1, 11, kForBadlyFormatted},
        {{"For $i = 1 To 3"}, 1, -1, "\"For\" statement has no matching \"Next\" statement."},
        {{"While 1"}, 1, -1, "\"While\" statement has no matching \"Wend\" statement."},
        {{"Do"}, 1, -1, "\"Do\" statement has no matching \"Until\" statement."},
        {{"Do 1", "Until 1"}, 1, 3, kIllegalText},
        {{"WEnd"}, 1, -1, "\"Wend\" statement with no matching \"While\" statement."},
        {{"Next"}, 1, -1, "\"Next\" statement with no matching \"For\" statement."},
        {{"Until 1"}, 1, -1, "\"Until\" statement with no matching \"Do\" statement."},
        {{"For $i = 1 To 2", "WEnd", "Next"}, 2, -1, "\"Wend\" statement with no matching \"While\" statement."},
        {{"Else"}, 1, -1, "\"Else\" statement with no matching \"If\" statement."},
        {{"ElseIf 1 Then"}, 1, -1, "\"ElseIf\" statement with no matching \"If\" statement."},
        {{"Case 1"}, 1, -1, "\"Case\" statement with no matching \"Select\" statement."},
        {{"Goto $in", "If 0 Then", "TAG $in", "$x = 1", "Else", "EndIf"}, 5, -1,
         "\"Else\" statement with no matching \"If\" statement."},
        {{"Func f()", "Else", "EndFunc", "If 1 Then", "f()", "EndIf"}, 2, -1,
         "\"Else\" statement with no matching \"If\" statement."},
        {{"For $i = 1 To 2", "While 1", "Goto $x", "WEnd", "TAG $x", "Next", "WEnd"}, 7, -1,
         "\"Wend\" statement with no matching \"While\" statement."},
    });
}

TEST(ScriptErrors, OfUserFunctions)
{
    ExpectErrors({
        {{"Func 5()", "EndFunc"}, 1, -1, "Badly formatted \"Func\" statement."},
        {{"Func f()", "EndFunc", "Func F()", "EndFunc"}, 3, -1, "Duplicate function name."},
        {{"Func f $a", "EndFunc"}, 1, -1, "Badly formatted Func statement."},
        {{"Func f($a $b)", "EndFunc"}, 1, -1, "Badly formatted Func statement."},
        {{"Func f($a,)", "EndFunc"}, 1, -1, "Badly formatted Func statement."},
        {{"Func f(ByRef)", "EndFunc"}, 1, -1, "Badly formatted Func statement."},
        {{"Func f() 5", "EndFunc"}, 1, -1, kIllegalText},
        {{"Func f()", "Func g()", "EndFunc"}, 1, -1, "Func statement has no matching EndFunc."},
        {{"$x = 1", "If 0 Then", "$r = Nope(1)", "EndIf"}, 3, 5, "Unknown function name."},
        {{"Func f($a)", "EndFunc", "f()"}, 3, 0, kWrongCount},
        {{"Func f($a)", "EndFunc", "f(1, 2)"}, 3, 5, kWrongCount},
        {{"Func f($a)", "EndFunc", "f"}, 3, 0, kBadCall},
        {{"Func f(ByRef $a)", "EndFunc", "f(1)"}, 3, 2, "Expected a variable in user function call."},
        {{"Func f(ByRef $a)", "EndFunc", "$v = 1", "f($v + 1)"}, 4, 5, "Expected a variable in user function call."},
        {{"Func f(ByRef $a)", "EndFunc", "f($nope)"}, 3, 2, "Variable used without being declared."},
    });
}

TEST(ScriptErrors, TheCaretAtColumnZeroStandsAlone)
{
    script_test::Box box = RunExpectingError({"5 = $x"});
    EXPECT_NE(box.text.find("\n^ ERROR\n"), std::string::npos) << box.text;
}

TEST(ScriptErrors, AFailingDimExpressionReportsBoth)
{
    script_host::RunReport report = script_host::RunLines({"Dim $a = $nope"});
    ASSERT_EQ(report.Boxes.size(), 2u);
    EXPECT_EQ(report.Boxes[0].text, ErrorText(1, "Dim $a = $nope", 9, "Variable used without being declared."));
    EXPECT_EQ(report.Boxes[1].text, ErrorText(1, "Dim $a = $nope", 9, "Error in expression."));
    EXPECT_EQ(Global("a"), "");   // declared before the expression failed
}

TEST(ScriptErrors, AnErrorStopsTheRun)
{
    script_host::RunReport report = script_host::RunLines({"$a = 1", "$b = $nope", "$c = 1"});
    EXPECT_EQ(report.Boxes.size(), 1u);
    EXPECT_EQ(Global("a"), "1");
    EXPECT_EQ(Global("c"), "<undeclared>");
    EXPECT_EQ(g_ScriptEngine.GetRunState(), kRunStateStop);
}

TEST(ScriptErrors, APreparationErrorRunsNothing)
{
    script_host::RunReport report = script_host::RunLines({"$a = 1", "Nope()"});
    EXPECT_FALSE(report.Prepared);
    EXPECT_EQ(report.Boxes.size(), 1u);
    EXPECT_EQ(Global("a"), "<undeclared>");
}

TEST(ScriptErrors, NameTheScriptFile)
{
    testing_support::TempFolder folder;
    const std::string path = folder / "broken.txt";
    testing_support::WriteFileBytes(path, "$a = 1\r\n\r\n$b = (\r\n");
    script_host::RunReport report = script_host::RunFile(path);
    ASSERT_EQ(report.Boxes.size(), 1u);
    EXPECT_EQ(report.Boxes[0].text, "Line 3  (File \"" + path + "\"):\n\n$b = (\n$b = ^ ERROR\n\n"
                                    "Error: Missing right bracket ')' in expression.");
}

}  // namespace
