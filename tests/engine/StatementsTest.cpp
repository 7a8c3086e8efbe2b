// Statements and blocks: every loop form with ExitLoop and ContinueLoop,
// If and Select, declarations and scopes, arrays and ReDim, Goto and Tag,
// Exit and its code.
#include "tests/engine/ScriptTestSupport.h"

#include "tests/host/EngineAccess.h"

namespace {

using script_host::Global;
using script_test::Lines;
using script_test::RunClean;

struct ScriptCase
{
    const char* name;
    Lines lines;
    const char* out;   // the value of $out afterwards
};

void ExpectOut(const std::vector<ScriptCase>& cases)
{
    for (const ScriptCase& c : cases) {
        RunClean(c.lines);
        EXPECT_EQ(Global("out"), c.out) << c.name;
    }
}

TEST(Loops, EveryFormWithExitAndContinue)
{
    ExpectOut({
        {"for up", {"$out = \"\"", "For $i = 1 To 3", "$out = $out & $i", "Next", "$out = $out & \"|\" & $i"},
         "123|4"},
        {"for skipped", {"$out = \"\"", "For $i = 3 To 1", "$out = $out & $i", "Next", "$out = $out & \"|\" & $i"},
         "|3"},
        {"for down", {"$out = \"\"", "For $i = 3 To 1 Step -1", "$out = $out & $i", "Next", "$out = $out & \"|\" & $i"},
         "321|0"},
        {"for step 2", {"$out = \"\"", "For $i = 1 To 9 Step 2", "$out = $out & $i", "Next"}, "13579"},
        {"for fractional step", {"$out = \"\"", "For $i = 0 To 1 Step 0.25", "$out = $out & $i & \" \"", "Next"},
         "0 0.25 0.5 0.75 1 "},
        {"for step 0 until ExitLoop",
         {"$n = 0", "For $i = 1 To 2 Step 0", "$n = $n + 1", "If $n = 5 Then ExitLoop", "Next", "$out = $n & \"|\" & $i"},
         "5|1"},
        {"for limit evaluated once",
         {"$limit = 3", "$out = \"\"", "For $i = 1 To $limit", "$limit = 10", "$out = $out & $i", "Next"}, "123"},
        {"while", {"$out = 0", "While $out < 5", "$out = $out + 1", "WEnd"}, "5"},
        {"while never", {"$out = \"never\"", "While 0", "$out = \"ran\"", "WEnd"}, "never"},
        {"do until runs once", {"$out = 0", "Do", "$out = $out + 1", "Until 1"}, "1"},
        {"do until", {"$out = 0", "Do", "$out = $out + 2", "Until $out >= 7"}, "8"},
        {"continue in for", {"$out = \"\"", "For $i = 1 To 6", "If $i = 2 Or $i = 5 Then ContinueLoop",
                             "$out = $out & $i", "Next"}, "1346"},
        {"continue in while", {"$i = 0", "$out = \"\"", "While $i < 5", "$i = $i + 1", "If $i = 3 Then",
                               "ContinueLoop", "EndIf", "$out = $out & $i", "WEnd"}, "1245"},
        {"continue in do", {"$i = 0", "$out = \"\"", "Do", "$i = $i + 1", "If $i = 2 Then ContinueLoop",
                            "$out = $out & $i", "Until $i = 4"}, "134"},
        {"exit while", {"$out = 0", "While 1", "$out = $out + 1", "If $out = 3 Then ExitLoop", "WEnd"}, "3"},
        {"exitloop 2", {"$out = \"\"", "For $i = 1 To 3", "For $j = 1 To 3", "$out = $out & $i & $j",
                        "If $j = 2 Then ExitLoop 2", "Next", "Next", "$out = $out & \"|\""}, "1112|"},
        {"exitloop 1 of 2", {"$out = \"\"", "For $i = 1 To 2", "For $j = 1 To 3", "If $j = 2 Then ExitLoop",
                             "$out = $out & $i & $j", "Next", "Next"}, "1121"},
        {"exitloop 0 leaves all", {"$out = \"\"", "While 1", "Do", "For $k = 1 To 9", "$out = $out & $k",
                                   "ExitLoop 0", "Next", "Until 0", "WEnd", "$out = $out & \"|\""}, "1|"},
        {"exitloop inside select", {"$out = \"\"", "For $i = 1 To 3", "Select", "Case $i = 2", "ExitLoop",
                                    "Case Else", "$out = $out & $i", "EndSelect", "Next", "$out = $out & \"end\""},
         "1end"},
        {"next in a single-line if goes on at once", {"$out = \"\"", "For $i = 1 To 4", "$out = $out & $i",
                                                      "If $i < 3 Then Next", "$out = $out & \"!\"", "Next"},
         "123!4!"},
        {"loop in function", {"Func Count($n)", "Local $s = \"\"", "For $i = 1 To $n", "$s = $s & $i", "Next",
                              "Return $s", "EndFunc", "$out = \"\"", "For $j = 1 To 2", "$out = $out & Count(3)",
                              "Next"}, "123123"},
    });
}

TEST(Conditions, IfElseIfElseAndSelect)
{
    ExpectOut({
        {"single-line true", {"$a = 1", "$out = 0", "If $a = 1 Then $out = 2"}, "2"},
        {"single-line false", {"$a = 0", "$out = 0", "If $a = 1 Then $out = 2"}, "0"},
        {"single-line nested", {"$out = 0", "If 1 Then If 1 Then $out = 3"}, "3"},
        {"block then", {"$out = \"\"", "If 1 Then", "$out = \"then\"", "Else", "$out = \"else\"", "EndIf"}, "then"},
        {"block else", {"$out = \"\"", "If 0 Then", "$out = \"then\"", "Else", "$out = \"else\"", "EndIf"}, "else"},
        {"elseif chain", {"$v = 3", "$out = \"\"", "If $v = 1 Then", "$out = \"one\"", "ElseIf $v = 3 Then",
                          "$out = \"three\"", "ElseIf $v > 2 Then", "$out = \"more\"", "Else", "$out = \"other\"",
                          "EndIf"}, "three"},
        {"nothing chosen", {"$out = \"none\"", "If 0 Then", "$out = \"a\"", "ElseIf 0 Then", "$out = \"b\"",
                            "EndIf"}, "none"},
        {"nested blocks", {"$out = \"\"", "If 1 Then", "If 0 Then", "$out = $out & \"x\"", "Else",
                           "$out = $out & \"inner\"", "EndIf", "$out = $out & \"+\"", "Else", "$out = \"wrong\"",
                           "EndIf"}, "inner+"},
        {"single-line if inside block", {"$out = \"\"", "If 0 Then", "If 1 Then $out = \"wrong\"", "Else",
                                         "$out = \"right\"", "EndIf"}, "right"},
        {"select first true", {"$v = 2", "Select", "Case $v = 1", "$out = \"one\"", "Case $v > 1",
                               "$out = \"first\"", "Case $v = 2", "$out = \"second\"", "EndSelect"}, "first"},
        {"select else", {"$v = 9", "Select", "Case $v = 1", "$out = \"one\"", "Case Else", "$out = \"else\"",
                         "EndSelect"}, "else"},
        {"select none", {"$out = \"none\"", "Select", "Case 0", "$out = \"a\"", "Case 0", "$out = \"b\"", "EndSelect",
                         "$out = $out & \"!\""}, "none!"},
        {"nested select", {"$out = \"\"", "Select", "Case 1", "Select", "Case 0", "$out = \"x\"", "Case 1",
                           "$out = \"inner\"", "EndSelect", "$out = $out & \"+\"", "Case 1", "$out = \"wrong\"",
                           "EndSelect"}, "inner+"},
        {"in a loop", {"$out = \"\"", "For $i = 1 To 4", "Select", "Case $i = 1 Or $i = 3", "$out = $out & \"o\"",
                       "Case Else", "If $i = 2 Then", "$out = $out & \"t\"", "Else", "$out = $out & \"f\"", "EndIf",
                       "EndSelect", "Next"}, "otof"},
    });
}

TEST(Conditions, LaterBranchesAreNotEvaluated)
{
    RunClean({
        "Func Probe($v)",
        "    $probes = $probes & $v",
        "    Return $v",
        "EndFunc",
        "$probes = \"\"",
        "For $pass = 1 To 2",
        "If Probe(0) Then",
        "ElseIf Probe(1) Then",
        "ElseIf Probe(2) Then",
        "EndIf",
        "Select",
        "Case Probe(3)",
        "Case Probe(0)",
        "Case Probe(4)",
        "EndSelect",
        "Next",
    });
    EXPECT_EQ(Global("probes"), "013013");
}

TEST(Declarations, ScopesOfDimLocalAndGlobal)
{
    RunClean({
        "$x = \"global\"",
        "$y = \"global\"",
        "Func Scopes()",
        "    Local $x = \"local\"",
        "    Dim $y",
        "    $y = \"changed by Dim\"",
        "    Global $z = \"made global\"",
        "    $w = \"auto local\"",
        "    $inside = $x",
        "EndFunc",
        "Scopes()",
        "Dim $kept",
        "$kept = \"value\"",
        "Dim $kept",
        "Dim $p = 5, $q = \"a\" & \"b\", $s",
    });
    EXPECT_EQ(Global("x"), "global");
    EXPECT_EQ(Global("y"), "changed by Dim");
    EXPECT_EQ(Global("z"), "made global");
    EXPECT_EQ(Global("w"), "<undeclared>");
    EXPECT_EQ(Global("inside"), "<undeclared>");
    EXPECT_EQ(Global("kept"), "value");
    EXPECT_EQ(Global("p"), "5");
    EXPECT_EQ(Global("q"), "ab");
    EXPECT_EQ(Global("s"), "");
}

TEST(Declarations, ArraysAndReDim)
{
    RunClean({
        "Dim $a[3][4]",
        "$a[2][3] = \"last\"",
        "$first = $a[0][0]",
        "$last = $a[2][3]",
        "Dim $b[4]",
        "$b[0] = \"keep\"",
        "$b[3] = \"lost\"",
        "ReDim $b[2]",
        "$kept = $b[0] & \"|\" & $b[1]",
        "ReDim $b[6]",
        "$grown = $b[0] & \"|\" & $b[5]",
        "ReDim $fresh[2]",
        "$fresh[1] = \"new\"",
        "$f = $fresh[1]",
        "Dim $c[2]",
        "$c = 7",
        "$scalar = $c",
    });
    EXPECT_EQ(Global("first"), "0");
    EXPECT_EQ(Global("last"), "last");
    EXPECT_EQ(Global("kept"), "keep|0");
    EXPECT_EQ(Global("grown"), "keep|0");
    EXPECT_EQ(Global("f"), "new");
    EXPECT_EQ(Global("scalar"), "7");
}

TEST(Declarations, AnArrayOfTheLargestSizeCanBeMade)
{
    RunClean({"Dim $big[4096][4096]", "$big[4095][4095] = 1", "$r = $big[4095][4095]"});
    EXPECT_EQ(Global("r"), "1");
}

TEST(Jumps, GotoAndTag)
{
    ExpectOut({
        {"loop by goto", {"$out = 0", "TAG $again", "$out = $out + 1", "If $out < 4 Then Goto $again"}, "4"},
        {"forward", {"$out = \"a\"", "Goto $skip", "$out = \"wrong\"", "TAG $skip", "$out = $out & \"b\""}, "ab"},
        {"blanks and comment", {"$out = \"a\"", "GOTO $skip   ; jump", "$out = \"wrong\"", "TAG $skip  ; here",
                                "$out = $out & \"b\""}, "ab"},
        {"lower-case goto", {"$out = \"a\"", "goto $skip", "$out = \"wrong\"", "TAG $skip", "$out = $out & \"b\""},
         "ab"},
        {"unknown tag", {"$out = \"a\"", "Goto $nowhere", "$out = $out & \"b\""}, "ab"},
        {"case counts", {"$out = \"a\"", "Goto $Skip", "$out = $out & \"b\"", "TAG $skip"}, "ab"},
        {"first tag wins", {"$out = \"\"", "Goto $t", "TAG $t", "$out = $out & \"1\"", "Goto $end", "TAG $t",
                            "$out = $out & \"2\"", "TAG $end"}, "1"},
    });
}

TEST(Jumps, OutOfBlocksLeaveNothingOpenBehind)
{
    ExpectOut({
        {"else of the outer if", {"$out = \"\"", "If 1 Then", "If 1 Then", "Goto $x", "EndIf", "TAG $x",
                                  "$out = $out & \"a\"", "Else", "$out = $out & \"wrong\"", "EndIf",
                                  "$out = $out & \"b\""}, "ab"},
        {"next of the outer for", {"$out = \"\"", "For $i = 1 To 2", "For $j = 1 To 3", "Goto $x", "Next",
                                   "TAG $x", "$out = $out & $i", "Next"}, "12"},
        {"exitloop of the outer loop", {"$out = \"\"", "While 1", "For $j = 1 To 3", "Goto $x", "Next", "TAG $x",
                                        "$out = $out & \"x\"", "ExitLoop", "WEnd", "$out = $out & \"|\""}, "x|"},
        {"case of the outer select", {"$out = \"\"", "Select", "Case 1", "Select", "Case 1", "Goto $x",
                                      "EndSelect", "TAG $x", "$out = $out & \"a\"", "Case 1",
                                      "$out = $out & \"wrong\"", "EndSelect", "$out = $out & \"b\""}, "ab"},
        // The EndIf of a block that a Goto jumped into closes nothing.
        {"endif of a block not entered", {"$out = \"\"", "If 1 Then", "Goto $in", "If 0 Then", "TAG $in",
                                          "EndIf", "$out = $out & \"a\"", "Else", "$out = \"wrong\"", "EndIf",
                                          "$out = $out & \"b\""}, "ab"},
        {"stray endif", {"$out = \"a\"", "EndIf", "EndSelect", "$out = $out & \"b\""}, "ab"},
    });

    // A loop made with Goto through a block runs in constant room.
    RunClean({"$n = 0", "TAG $t", "$n = $n + 1", "If $n < 5000 Then", "For $i = 1 To 2", "Goto $t", "Next",
              "EndIf"});
    EXPECT_EQ(Global("n"), "5000");
    EXPECT_EQ(CPandrel_ScriptTestAccess::OpenBlockCount(), 0);
}

TEST(ExitStatement, EndsTheRunWithItsCode)
{
    script_host::RunReport report = RunClean({"$a = 1", "Exit 3", "$a = 2"});
    EXPECT_EQ(report.ExitCode, 3);
    EXPECT_EQ(Global("a"), "1");

    report = RunClean({"Exit"});
    EXPECT_EQ(report.ExitCode, 0);

    // From inside a function, and in the middle of an expression: nothing
    // after it runs.
    report = RunClean({
        "Func Leave()",
        "    Exit 2 + 3",
        "    $after = 1",
        "EndFunc",
        "Func Mark()",
        "    $marked = 1",
        "EndFunc",
        "$r = Leave() & Mark()",
        "$last = 1",
    });
    EXPECT_EQ(report.ExitCode, 5);
    EXPECT_EQ(Global("after"), "<undeclared>");
    EXPECT_EQ(Global("marked"), "<undeclared>");
    EXPECT_EQ(Global("last"), "<undeclared>");
}

TEST(Preparation, APreparedScriptStartsFromEmptyTables)
{
    // The same macro twice: its Func is registered anew, not a duplicate.
    const Lines withFunction = {"Func Twice($v)", "Return $v * 2", "EndFunc", "$r = Twice(4)"};
    RunClean(withFunction);
    RunClean(withFunction);
    EXPECT_EQ(Global("r"), "8");

    // A tag of the script before does not lead into this one.
    RunClean({"$x = 1", "$y = 2", "$z = 3", "TAG $t", "$out = \"old\""});
    RunClean({"Goto $t", "$out = \"skipped\"", "TAG $t", "$out = $out & \"new\""});
    EXPECT_EQ(Global("out"), "new");
}

TEST(Runs, EmptyAndCommentOnlyScriptsEndAtOnce)
{
    script_host::RunReport report = RunClean({});
    EXPECT_EQ(report.Statistics.LinesRun, 0);
    RunClean({"; only a comment", "", "   "});
}

}  // namespace
