// User functions: parameters by value and ByRef, recursion, return values,
// and calls whose right side changes the array being assigned.
#include "tests/engine/ScriptTestSupport.h"

namespace {

using script_host::Global;
using script_test::RunClean;

TEST(Functions, ByValueAndByRefParameters)
{
    RunClean({
        "Func Change($byValue, ByRef $byRef)",
        "    $byValue = \"changed\"",
        "    $byRef = \"changed\"",
        "EndFunc",
        "Func Bump(ByRef $n, $step)",
        "    $n = $n + $step",
        "EndFunc",
        "$a = \"original\"",
        "$b = \"original\"",
        "Change($a, $b)",
        "Dim $list[3]",
        "$list[2] = 10",
        "Bump($list[2], 5)",
        "Bump($list[2], 1)",
        "$element = $list[2]",
        "$arr = 0",
        "Dim $copy[2]",
        "$copy[0] = \"kept\"",
        "Change($copy, $arr)",
        "$stillArray = $copy[0]",
    });
    EXPECT_EQ(Global("a"), "original");
    EXPECT_EQ(Global("b"), "changed");
    EXPECT_EQ(Global("element"), "16");
    EXPECT_EQ(Global("stillArray"), "kept");
    EXPECT_EQ(Global("arr"), "changed");
}

TEST(Functions, ByRefReachesThroughNestedCalls)
{
    RunClean({
        "Func Inner(ByRef $v)",
        "    $v = $v & \"i\"",
        "EndFunc",
        "Func Outer(ByRef $v)",
        "    $v = $v & \"o\"",
        "    Inner($v)",
        "EndFunc",
        "$s = \"\"",
        "Outer($s)",
        "Outer($s)",
    });
    EXPECT_EQ(Global("s"), "oioi");
}

TEST(Functions, RecursionAndNestedCalls)
{
    RunClean({
        "Func Fact($n)",
        "    If $n <= 1 Then Return 1",
        "    Return $n * Fact($n - 1)",
        "EndFunc",
        "Func Fib($n)",
        "    If $n < 2 Then Return $n",
        "    Return Fib($n - 1) + Fib($n - 2)",
        "EndFunc",
        "Func Add($x, $y)",
        "    Return $x + $y",
        "EndFunc",
        "$fact = Fact(10)",
        "$fib = Fib(15)",
        "$nested = Add(Add(1, 2), Add(Fact(3), 4))",
    });
    EXPECT_EQ(Global("fact"), "3628800");
    EXPECT_EQ(Global("fib"), "610");
    EXPECT_EQ(Global("nested"), "13");
}

TEST(Functions, AGlobalReadBetweenCallsStaysTheNamesVariable)
{
    // The same place reads the global $x, then a local $x of one call,
    // then the global again; and a loop that calls reads its globals
    // across the calls, while the first call adds a global name.
    RunClean({
        "Func Read($useLocal)",
        "    If $useLocal Then Local $x = \"local\"",
        "    Return $x",
        "EndFunc",
        "Func AddGlobal($k)",
        "    Global $made = $k",
        "EndFunc",
        "$x = \"global\"",
        "$seen = Read(0) & \" \" & Read(1) & \" \" & Read(0)",
        "$sum = 0",
        "For $i = 1 To 5",
        "    AddGlobal($i)",
        "    $sum = $sum + $i",
        "Next",
        "$x = \"changed\"",
        "$after = Read(0)",
    });
    EXPECT_EQ(Global("seen"), "global local global");
    EXPECT_EQ(Global("sum"), "15");
    EXPECT_EQ(Global("made"), "5");
    EXPECT_EQ(Global("after"), "changed");
}

TEST(Functions, AParameterNamedTwiceTakesTheLastArgument)
{
    // The later argument is assigned to the variable the first one made,
    // through the alias when the first is ByRef.
    RunClean({
        "Func Twice($a, $a)",
        "    Return $a",
        "EndFunc",
        "Func ThroughRef(ByRef $a, $a)",
        "EndFunc",
        "$last = Twice(1, 2) & Twice(3, 4)",
        "$target = \"kept\"",
        "ThroughRef($target, \"written\")",
    });
    EXPECT_EQ(Global("last"), "24");
    EXPECT_EQ(Global("target"), "written");
}

TEST(Functions, EachCallStartsWithItsOwnReturnValue)
{
    RunClean({
        "Func Five()",
        "    Return 5",
        "EndFunc",
        "Func BareReturn()",
        "    $x = Five()",
        "    Return",
        "EndFunc",
        "Func EndsAtEndFunc()",
        "    $x = Five()",
        "EndFunc",
        "Func ReturnsAfterCall()",
        "    $x = Five()",
        "    Return $x + 1",
        "EndFunc",
        "$bare = BareReturn()",
        "$end = EndsAtEndFunc()",
        "$after = ReturnsAfterCall()",
    });
    EXPECT_EQ(Global("bare"), "0");
    EXPECT_EQ(Global("end"), "0");
    EXPECT_EQ(Global("after"), "6");
}

TEST(Functions, TheRightSideMayReDimTheArrayBeingAssigned)
{
    RunClean({
        "Dim $a[2]",
        "Func Grow()",
        "    ReDim $a[50]",
        "    $a[40] = \"far\"",
        "    Return 7",
        "EndFunc",
        "$a[1] = Grow()",
        "$r = $a[1] & \"|\" & $a[40]",
    });
    EXPECT_EQ(Global("r"), "7|far");
}

TEST(Functions, AByRefElementOutlivesAReDimOfItsArray)
{
    RunClean({
        "Dim $a[2]",
        "Func Shrink(ByRef $e)",
        "    ReDim $a[1]",
        "    $e = \"written\"",
        "    $seen = $e",
        "EndFunc",
        "$seen = \"\"",
        "Shrink($a[1])",
        "Dim $b[3]",
        "Func Replace(ByRef $e, $v)",
        "    $e = $v",
        "EndFunc",
        "Func Scrap()",
        "    $b = \"scrapped\"",
        "    Return 1",
        "EndFunc",
        "Replace($b[2], Scrap())",
        // Neighbouring elements, and one element twice.
        "Dim $c[4]",
        "Func Pair(ByRef $x, ByRef $y)",
        "    ReDim $c[1]",
        "    $x = $x & \"one\"",
        "    $y = $y & \"two\"",
        "    $pair = $x & \"|\" & $y",
        "EndFunc",
        "$pair = \"\"",
        "$c[2] = \"<\"",
        "Pair($c[2], $c[3])",
        "$first = $pair",
        "ReDim $c[4]",
        "Pair($c[3], $c[3])",
    });
    // The aliases wrote to elements their arrays no longer hold.
    EXPECT_EQ(Global("seen"), "written");
    EXPECT_EQ(Global("b"), "scrapped");
    EXPECT_EQ(Global("first"), "<one|0two");
    EXPECT_EQ(Global("pair"), "0onetwo|0onetwo");
}

TEST(Functions, AFuncMetWhileRunningIsSkipped)
{
    RunClean({
        "$out = \"a\"",
        "Func Body()",
        "    $out = \"wrong\"",
        "EndFunc",
        "$out = $out & \"b\"",
        "Func AtTheEnd()",
        "    $out = \"wrong too\"",
    });
    EXPECT_EQ(Global("out"), "ab");
}

TEST(Functions, CallsAsStatementsDropTheirResult)
{
    RunClean({
        "Func Side($v)",
        "    $side = $v",
        "    Return \"dropped\"",
        "EndFunc",
        "$side = \"\"",
        "Side(\"done\")",
        "SetError(4)",
        "$e = @error",
    });
    EXPECT_EQ(Global("side"), "done");
    EXPECT_EQ(Global("e"), "4");
}

}  // namespace
