// The script's own builtins in real runs: calls by name, variables by name,
// array bounds, the hot-key slots and the Adlib interval, and the unknown
// function names that are script errors.
#include "tests/engine/ScriptTestSupport.h"

#include <gtest/gtest.h>

using script_host::Global;
using script_test::RunClean;
using script_test::RunExpectingError;

namespace {

TEST(ScriptBuiltins, CallRunsAFunctionByNameAndGivesItsReturn)
{
    RunClean({
        "Func Five()",
        "    Return 5",
        "EndFunc",
        "Func NoReturn()",
        "    $ran = $ran + 1",
        "EndFunc",
        "Func Fails()",
        "    SetError(7)",
        "EndFunc",
        "$ran = 0",
        "$five = Call(\"five\")",
        "$plain = Call(\"NoReturn\")",
        "Call(\"Fails\")",
        "$failedError = @error",
        "$missing = Call(\"Nowhere\")",
        "$missingError = @error",
    });
    EXPECT_EQ(Global("five"), "5");
    EXPECT_EQ(Global("plain"), "1");
    EXPECT_EQ(Global("ran"), "1");
    EXPECT_EQ(Global("failedError"), "7");   // the function's @error stays
    EXPECT_EQ(Global("missingError"), "1");
}

TEST(ScriptBuiltins, VariablesByNameAndArrayBounds)
{
    RunClean({
        "$text = \"kept\"",
        "Dim $grid[3][5]",
        "Func Inside()",
        "    Local $own = 1",
        "    $localDeclared = IsDeclared(\"own\")",
        "EndFunc",
        "$localDeclared = 0",
        "Inside()",
        "$value = Eval(\"TEXT\")",
        "$none = Eval(\"nothing\")",
        "$noneError = @error",
        "$declared = IsDeclared(\"text\")",
        "$undeclared = IsDeclared(\"nothing\")",
        "$rows = UBound($grid)",
        "$columns = UBound($grid, 2)",
        "$dimensions = UBound($grid, 0)",
        "$beyond = UBound($grid, 3)",
        "$beyondError = @error",
        "$scalar = UBound($text)",
        "$scalarError = @error",
        "$broken = Break(1)",
    });
    EXPECT_EQ(Global("value"), "kept");
    EXPECT_EQ(Global("none"), "");
    EXPECT_EQ(Global("noneError"), "1");
    EXPECT_EQ(Global("declared"), "1");
    EXPECT_EQ(Global("undeclared"), "0");
    EXPECT_EQ(Global("localDeclared"), "-1");
    EXPECT_EQ(Global("rows"), "3");
    EXPECT_EQ(Global("columns"), "5");
    EXPECT_EQ(Global("dimensions"), "2");
    EXPECT_EQ(Global("beyond"), "0");
    EXPECT_EQ(Global("beyondError"), "1");
    EXPECT_EQ(Global("scalar"), "1");
    EXPECT_EQ(Global("scalarError"), "1");
    EXPECT_EQ(Global("broken"), "1");
}

TEST(ScriptBuiltins, HotKeySlotsAreTakenRebindAndFreed)
{
    RunClean({
        "Func One()",
        "EndFunc",
        "Func Two()",
        "EndFunc",
        "$freeUnknown = HotKeySet(\"^!{F11}\")",
        "$set = HotKeySet(\"^!{F11}\", \"One\")",
        "$rebound = HotKeySet(\"^!{F11}\", \"Two\")",
        "$freed = HotKeySet(\"^!{F11}\")",
        "$freedAgain = HotKeySet(\"^!{F11}\")",
        "$badKey = HotKeySet(\"\", \"One\")",
        "$onlyModifier = HotKeySet(\"^\", \"One\")",
        "$kept = HotKeySet(\"+#{F12}\", \"One\")",
    });
    EXPECT_EQ(Global("freeUnknown"), "0");
    EXPECT_EQ(Global("set"), "1");
    EXPECT_EQ(Global("rebound"), "1");
    EXPECT_EQ(Global("freed"), "1");
    EXPECT_EQ(Global("freedAgain"), "0");
    EXPECT_EQ(Global("badKey"), "0");
    EXPECT_EQ(Global("onlyModifier"), "0");
    EXPECT_EQ(Global("kept"), "1");
    // The run's end let every key go, so the system has it free again.
    EXPECT_TRUE(RegisterHotKey(nullptr, 0, MOD_SHIFT | MOD_WIN, VK_F12));
    UnregisterHotKey(nullptr, 0);
}

TEST(ScriptBuiltins, AdlibWithoutAUsableIntervalWaitsAQuarterSecond)
{
    RunClean({
        "Func Tick()",
        "    If $first = 0 Then $first = TimerDiff($start)",
        "EndFunc",
        "$first = 0",
        "$start = TimerInit()",
        "AdlibEnable(\"Tick\", 0)",
        "While $first = 0 And TimerDiff($start) < 5000",
        "    Delay(10)",
        "WEnd",
        "AdlibDisable()",
    });
    const double first = atof(Global("first").c_str());
    EXPECT_GE(first, 240.0);
    EXPECT_LT(first, 5000.0);
}

TEST(ScriptBuiltins, UnknownFunctionNamesAreScriptErrors)
{
    for (const char* line : {"HotKeySet(\"^!{F11}\", \"Nowhere\")", "AdlibEnable(\"Nowhere\", 10)"}) {
        const script_test::Box box = RunExpectingError({line});
        EXPECT_EQ(box.text, script_test::ErrorText(1, line, -1, "Unknown function name.")) << line;
    }
}

}  // namespace
